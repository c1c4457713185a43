// A simulated bootloader: answers requests, keeps the image it receives, and misbehaves on
// purpose when a fault plan says so. It knows nothing about sockets; the server carries out
// the replies it returns.
//
//   SimulatedDevice device(identity, plan, stderr);
//   Reply reply = device.handle(message);   // from link::DeviceStreamReader
//   for (auto& write : reply.writes) send(write);   // after reply.delay_ms
//   if (reply.close) close the connection;
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "link/device_stream.h"
#include "tools/vela-bootsim/received_image.h"

namespace vela::tools {

// Name, hardware version, software version.
using BoardFields = std::array<std::string, 3>;

struct DeviceIdentity {
  BoardFields device;
  std::vector<BoardFields> cards;
};

struct FaultPlan {
  int wrong_ack_every = 0;   // every K-th acknowledgement carries another block's number
  int dup_ack_every = 0;     // every K-th acknowledgement is sent twice
  int dup_ack_gap_ms = 0;    // the time between the two
  int drop_ack_at = 0;       // the first acknowledgement of this block is not sent
  int close_after_block = 0; // the connection is closed once, instead of acknowledging it
  int refuse_for_ms = 0;     // after a close, connections are refused this long
  int ack_delay_ms = 0;      // each acknowledgement waits this long
  bool split_writes = false; // every reply goes out one byte per write
  bool merge = false;        // all announcements go out in one write
  bool forget_on_close = false; // a closed connection loses the selection and the image
  std::uint32_t seed = 1;
  double drop_ack_rate = 0; // probability of dropping an acknowledgement
};

struct Reply {
  std::vector<std::string> writes; // each one write, unless split
  int delay_ms = 0;                // before the writes
  int gap_ms = 0;                  // between one write and the next
  bool close = false;              // after the writes
  bool image_ended = false;        // the transfer ended: the image should be written out
};

class SimulatedDevice {
public:
  SimulatedDevice(DeviceIdentity identity, FaultPlan plan, std::FILE* log);

  Reply handle(const link::DeviceMessage& message);
  // The link went away: the image is kept for a transfer that resumes, unless the plan
  // says the device restarts then (forget_on_close).
  void on_disconnect();

  ReceivedImage& image() { return image_; }
  const std::string& selected() const { return selected_; }
  int blocks_received() const { return blocks_received_; }
  int acks_sent() const { return acks_sent_; }

  // "!Name:" / "!Card:" lines with quoted fields, CR LF each.
  std::vector<std::string> announcements() const;

private:
  Reply on_block(const link::DeviceMessage& message);
  Reply acknowledge(std::uint16_t block);
  bool drop_by_chance();
  void note(const char* format, ...);

  DeviceIdentity identity_;
  FaultPlan plan_;
  std::FILE* log_;
  ReceivedImage image_;
  std::string selected_;
  std::mt19937 random_;
  int blocks_received_ = 0;
  int acks_counted_ = 0;
  int acks_sent_ = 0;
  bool dropped_once_ = false;
  bool closed_once_ = false;
};

} // namespace vela::tools
