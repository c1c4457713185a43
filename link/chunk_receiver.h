// Scanning one received chunk for announcements and acknowledgements.
//
//   class Gui : public ChunkHandler { ... };
//   ChunkReceiver receiver(IsSystemAnsiLeadByte);
//   receiver.Receive({buffer, count}, from, gui);  // AnnouncementError may pass through
//
// The order of events for one chunk: the traffic status, then (only for a chunk ending in
// CR LF) the announcements and acknowledgements in the order of their positions, then one
// log line. An exception thrown by a handler (AnnouncementError from the device list) ends
// the chunk: later messages are not handled and no log line is written.
// Receiving allocates nothing except for the field lists of announcements.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/fields.h"
#include "link/protocol.h"

namespace vela::link {

class ChunkHandler {
public:
  virtual ~ChunkHandler() = default;
  // Status panel 1: "Received Data from IP:a.b.c.d,Port:p", for every chunk.
  virtual void SetTrafficStatus(std::string_view text) = 0;
  // An announcement's fields 0 to 2, or fewer when the text has fewer. Its field text runs
  // to the end of the chunk, but fields past the third are never used, so they are not split.
  virtual void OnDeviceAnnouncement(std::span<const std::string> fields) = 0;
  virtual void OnCardAnnouncement(std::span<const std::string> fields) = 0;
  virtual void OnAcknowledgement(std::uint16_t block) = 0;
  // The receive log line is `own_text` (UTF-8: "【Receive from a.b.c.d: p】：") followed by
  // `wire_text` (the chunk's bytes up to its first zero byte, in the ANSI code page).
  virtual void AppendReceiveLog(std::string_view own_text, std::string_view wire_text) = 0;
};

// "a.b.c.d".
std::string FormatDotted(const Ipv4Endpoint& endpoint);

class ChunkReceiver {
public:
  explicit ChunkReceiver(LeadBytePredicate is_lead) : is_lead_(is_lead) {}

  // `chunk` is what one receive returned (1 to 10240 bytes; longer chunks are handled the
  // same way). Bytes past its end read as zero.
  void Receive(std::span<const std::uint8_t> chunk, const Ipv4Endpoint& from,
               ChunkHandler& handler);

private:
  void Scan(std::span<const std::uint8_t> chunk, ChunkHandler& handler);
  std::vector<std::string> FieldsAt(std::span<const std::uint8_t> chunk,
                                    std::size_t keyword_position) const;
  std::string_view FormatStatus(const Ipv4Endpoint& from);
  std::string_view FormatLogPrefix(const Ipv4Endpoint& from);

  LeadBytePredicate is_lead_;
  std::array<char, 64> status_{};
  std::array<char, 64> log_prefix_{};
};

// The text of a chunk from `start`: up to the first zero byte, at the latest to the end.
std::string_view ChunkText(std::span<const std::uint8_t> chunk, std::size_t start = 0);

// Stream reassembly for callers that want more than one receive call per chunk (the
// command-line tool): bytes are collected until they end in CR LF and then released as one
// chunk, so that a message the device wrote in pieces is not lost. Collected bytes that
// reach 10240 without ending in CR LF are released as they stand, as one receive would have
// returned them. Fixed buffer, no allocation.
class ChunkAssembler {
public:
  // Appends bytes; calls `deliver(span)` for every completed chunk.
  template <typename Deliver> void Append(std::span<const std::uint8_t> bytes, Deliver&& deliver) {
    for (std::uint8_t b : bytes) {
      buffer_[size_++] = b;
      if (size_ == buffer_.size() || EndsWithLineEnd()) {
        deliver(std::span<const std::uint8_t>(buffer_.data(), size_));
        size_ = 0;
      }
    }
  }
  std::size_t pending() const { return size_; }
  void Reset() { size_ = 0; }

private:
  bool EndsWithLineEnd() const {
    return size_ >= 2 && buffer_[size_ - 2] == '\r' && buffer_[size_ - 1] == '\n';
  }
  std::array<std::uint8_t, kReceiveBufferSize> buffer_{};
  std::size_t size_ = 0;
};

} // namespace vela::link
