// The device's side of the link, for a bootloader simulator: reading what the tool sends
// from a byte stream, and building announcements.
//
//   DeviceStreamReader reader;
//   reader.Append(received_bytes);
//   while (auto m = reader.Next()) { switch (m->kind) { ... } }
//
//   std::string line = BuildAnnouncement(AnnouncementKind::kCard, {"CPU 1", "V1", "V2"},
//                                        IsCp936LeadByte);  // !Card:"CPU 1",V1,V2\r\n
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/fields.h"
#include "link/protocol.h"

namespace vela::link {

enum class AnnouncementKind { kDevice, kCard };

// "!Name" or "!Card", the byte ":" (the tool does not examine it), the fields quoted as
// needed and joined by ",", CR LF.
std::string BuildAnnouncement(AnnouncementKind kind, std::span<const std::string> fields,
                              LeadBytePredicate is_lead);

// Card names of a select message's list ("A,B" without "!Select:" and CR LF). Names are
// not quoted on the wire, so a name holding a comma cannot be told apart.
std::vector<std::string> SplitSelectNames(std::string_view list, LeadBytePredicate is_lead);

enum class DeviceMessageKind {
  kQuery,   // "!Bootloader:"
  kSelect,  // "!Select:" + names; `names` holds them
  kBlock,   // a block frame; `block` and `data`
  kGotoApp, // "!GotoApp:"
  kOther,   // any other line (its text, without CR LF, in `line`)
};

struct DeviceMessage {
  DeviceMessageKind kind = DeviceMessageKind::kOther;
  std::vector<std::string> names;
  std::uint16_t block = 0;
  std::vector<std::uint8_t> data;
  std::string line;
};

// Collects stream bytes and cuts them into messages: block frames by their length field
// (their data may hold CR LF), text messages at CR LF. Messages split across reads are
// reassembled; several in one read are all returned.
class DeviceStreamReader {
public:
  explicit DeviceStreamReader(LeadBytePredicate is_lead = IsCp936LeadByte) : is_lead_(is_lead) {}

  void Append(std::span<const std::uint8_t> bytes);
  // The next complete message, if any.
  std::optional<DeviceMessage> Next();
  std::size_t pending() const { return buffer_.size() - start_; }

private:
  std::optional<DeviceMessage> NextLine();
  DeviceMessage ClassifyLine(std::string_view line) const;
  void Compact();

  LeadBytePredicate is_lead_;
  std::vector<std::uint8_t> buffer_;
  std::size_t start_ = 0;
};

} // namespace vela::link
