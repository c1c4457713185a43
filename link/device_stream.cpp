#include "link/device_stream.h"

#include <algorithm>

namespace vela::link {

namespace {

constexpr std::string_view kQueryLine = "!Bootloader:";
constexpr std::string_view kGotoAppLine = "!GotoApp:";

// A line longer than any message the tool sends is garbage; it is handed out in one piece
// rather than collected without end.
constexpr std::size_t kMaxLine = kSendBufferSize + kMaxFrameSize;

} // namespace

std::string BuildAnnouncement(AnnouncementKind kind, std::span<const std::string> fields,
                              LeadBytePredicate is_lead) {
  std::string line(kind == AnnouncementKind::kDevice ? kDeviceKeyword : kCardKeyword);
  line += ':';
  line += JoinFields(fields, is_lead);
  line += kLineEnd;
  return line;
}

std::vector<std::string> SplitSelectNames(std::string_view list, LeadBytePredicate is_lead) {
  std::vector<std::string> names;
  std::size_t from = 0;
  std::size_t i = 0;
  while (i < list.size()) {
    const auto c = static_cast<unsigned char>(list[i]);
    if (c == ',') {
      names.emplace_back(list.substr(from, i - from));
      from = ++i;
    } else {
      i += (is_lead(c) && i + 1 < list.size()) ? 2 : 1;
    }
  }
  if (!list.empty())
    names.emplace_back(list.substr(from));
  return names;
}

void DeviceStreamReader::Append(std::span<const std::uint8_t> bytes) {
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

std::optional<DeviceMessage> DeviceStreamReader::Next() {
  const std::span<const std::uint8_t> pending_bytes(buffer_.data() + start_,
                                                    buffer_.size() - start_);
  if (pending_bytes.empty())
    return std::nullopt;
  const ParsedFrame frame = ParseBlockFrame(pending_bytes);
  if (frame.status == FrameParseStatus::kIncomplete)
    return std::nullopt;
  if (frame.status == FrameParseStatus::kFrame) {
    DeviceMessage message;
    message.kind = DeviceMessageKind::kBlock;
    message.block = frame.block;
    message.data.assign(frame.data.begin(), frame.data.end());
    start_ += frame.consumed;
    Compact();
    return message;
  }
  return NextLine();
}

std::optional<DeviceMessage> DeviceStreamReader::NextLine() {
  const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(start_);
  const std::string_view crlf = kLineEnd;
  const auto end = std::search(begin, buffer_.end(), crlf.begin(), crlf.end());
  const std::size_t length = static_cast<std::size_t>(end - begin);
  const bool complete = end != buffer_.end();
  if (!complete && length <= kMaxLine)
    return std::nullopt;
  const std::string_view line(reinterpret_cast<const char*>(buffer_.data() + start_), length);
  DeviceMessage message = ClassifyLine(line);
  if (!complete)
    message.kind = DeviceMessageKind::kOther;
  start_ += length + (complete ? kLineEnd.size() : 0);
  Compact();
  return message;
}

DeviceMessage DeviceStreamReader::ClassifyLine(std::string_view line) const {
  DeviceMessage message;
  if (line == kQueryLine) {
    message.kind = DeviceMessageKind::kQuery;
  } else if (line == kGotoAppLine) {
    message.kind = DeviceMessageKind::kGotoApp;
  } else if (line.starts_with(kSelectPrefix)) {
    message.kind = DeviceMessageKind::kSelect;
    message.names = SplitSelectNames(line.substr(kSelectPrefix.size()), is_lead_);
  } else {
    message.kind = DeviceMessageKind::kOther;
  }
  message.line = std::string(line);
  return message;
}

void DeviceStreamReader::Compact() {
  if (start_ == buffer_.size()) {
    buffer_.clear();
    start_ = 0;
  } else if (start_ > 65536) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
    start_ = 0;
  }
}

} // namespace vela::link
