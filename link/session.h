// One update link as the GUI and the command-line tool both run it: the chunk receiver
// feeds the device list and the transfer; all outside effects go through one port object.
//
//   class Window : public SessionPorts { ... };
//   UpdateSession session(list_view_model, window, IsSystemAnsiLeadByte);
//   session.Query();                              // "!Bootloader:\r\n" after connecting
//   session.Receive({buf, n}, from);              // each received chunk; may throw
//   session.transfer().StartUpgrade(true, list_view_model);
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/chunk_receiver.h"
#include "link/device_list.h"
#include "link/transfer.h"

namespace vela::link {

class SessionPorts : public TransferPorts {
public:
  // Status panel 1.
  virtual void SetTrafficStatus(std::string_view text) = 0;
  // The receive log line: UTF-8 `own_text` followed by the chunk's ANSI `wire_text`.
  virtual void AppendReceiveLog(std::string_view own_text, std::string_view wire_text) = 0;
  // Called after each announcement has added its row (the command-line tool prints it).
  virtual void OnRowAdded(int /*row*/) {}
  // Called before an acknowledgement reaches the transfer; true keeps it from the transfer.
  // The window passes every one on; the command-line tool, which may send a block more
  // than once, absorbs the answers to its own extra copies.
  virtual bool AbsorbAcknowledgement(std::uint16_t /*block*/) { return false; }
};

class UpdateSession : private ChunkHandler {
public:
  UpdateSession(ListModel& model, SessionPorts& ports, LeadBytePredicate is_lead);

  // Sends the bootloader query.
  void Query();
  // Handles one received chunk. AnnouncementError ends it (see chunk_receiver.h).
  void Receive(std::span<const std::uint8_t> chunk, const Ipv4Endpoint& from);

  DeviceList& list() { return list_; }
  const DeviceList& list() const { return list_; }
  Transfer& transfer() { return transfer_; }
  const Transfer& transfer() const { return transfer_; }

private:
  void SetTrafficStatus(std::string_view text) override;
  void OnDeviceAnnouncement(std::span<const std::string> fields) override;
  void OnCardAnnouncement(std::span<const std::string> fields) override;
  void OnAcknowledgement(std::uint16_t block) override;
  void AppendReceiveLog(std::string_view own_text, std::string_view wire_text) override;

  SessionPorts& ports_;
  ChunkReceiver receiver_;
  DeviceList list_;
  Transfer transfer_;
};

} // namespace vela::link
