#include "link/protocol.h"

#include <algorithm>
#include <cstring>

namespace vela::link {

namespace {

void PutBigEndian16(std::uint8_t* out, std::uint32_t value) {
  out[0] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
  out[1] = static_cast<std::uint8_t>(value & 0xFF);
}

std::uint16_t ReadBigEndian16(std::uint8_t high, std::uint8_t low) {
  return static_cast<std::uint16_t>(high * 256 + low);
}

// Bytes past the end of a span read as zero, as in the zero-filled receive buffer.
std::uint8_t ByteOrZero(std::span<const std::uint8_t> bytes, std::size_t i) {
  return i < bytes.size() ? bytes[i] : 0;
}

// How many leading bytes of `bytes` agree with `keyword`, stopping at the first difference.
std::size_t MatchingPrefix(std::span<const std::uint8_t> bytes, std::string_view keyword) {
  std::size_t n = 0;
  while (n < keyword.size() && n < bytes.size() &&
         bytes[n] == static_cast<std::uint8_t>(keyword[n])) {
    ++n;
  }
  return n;
}

} // namespace

std::string BuildSelectMessage(std::span<const std::string> names) {
  std::size_t size = kSelectPrefix.size() + kLineEnd.size();
  for (const std::string& name : names)
    size += name.size() + 1;
  std::string message;
  message.reserve(size);
  message += kSelectPrefix;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0)
      message += ',';
    message += names[i];
  }
  message += kLineEnd;
  return message;
}

std::int32_t BlockCountFor(std::int64_t image_size) {
  if (image_size <= 0)
    return 0;
  return static_cast<std::int32_t>((image_size + std::int64_t(kBlockSize) - 1) /
                                   std::int64_t(kBlockSize));
}

std::size_t BuildBlockFrame(std::span<const std::uint8_t> image, std::int32_t block,
                            BlockFrameBuffer& out) {
  std::size_t offset = 0;
  std::size_t length = 0;
  if (block >= 1) {
    offset = std::size_t(block - 1) * kBlockSize;
    if (offset < image.size())
      length = std::min(kBlockSize, image.size() - offset);
  }
  std::memcpy(out.data(), kFrameKeyword.data(), kFrameKeyword.size());
  PutBigEndian16(out.data() + 6, static_cast<std::uint32_t>(block));
  PutBigEndian16(out.data() + 8, static_cast<std::uint32_t>(length));
  if (length > 0)
    std::memcpy(out.data() + 10, image.data() + offset, length);
  out[10 + length] = '\r';
  out[11 + length] = '\n';
  return kFrameOverhead + length;
}

std::array<std::uint8_t, kAcknowledgementSize> BuildAcknowledgement(std::uint16_t block) {
  std::array<std::uint8_t, kAcknowledgementSize> ack{};
  std::memcpy(ack.data(), kAckKeyword.data(), kAckKeyword.size());
  PutBigEndian16(ack.data() + 6, block);
  ack[8] = '\r';
  ack[9] = '\n';
  return ack;
}

std::optional<std::uint16_t> ParseAcknowledgement(std::span<const std::uint8_t> bytes) {
  if (MatchingPrefix(bytes, kAckKeyword) != kAckKeyword.size())
    return std::nullopt;
  return ReadBigEndian16(ByteOrZero(bytes, 6), ByteOrZero(bytes, 7));
}

ParsedFrame ParseBlockFrame(std::span<const std::uint8_t> bytes) {
  ParsedFrame frame;
  const std::size_t matched = MatchingPrefix(bytes, kFrameKeyword);
  if (matched < kFrameKeyword.size()) {
    frame.status =
        matched == bytes.size() ? FrameParseStatus::kIncomplete : FrameParseStatus::kNotAFrame;
    return frame;
  }
  if (bytes.size() < 10) {
    frame.status = FrameParseStatus::kIncomplete;
    return frame;
  }
  frame.block = ReadBigEndian16(bytes[6], bytes[7]);
  frame.length = ReadBigEndian16(bytes[8], bytes[9]);
  if (frame.length > kBlockSize) {
    frame.status = FrameParseStatus::kNotAFrame;
    return frame;
  }
  const std::size_t total = kFrameOverhead + frame.length;
  if (bytes.size() < total) {
    frame.status = FrameParseStatus::kIncomplete;
    return frame;
  }
  if (bytes[total - 2] != '\r' || bytes[total - 1] != '\n') {
    frame.status = FrameParseStatus::kNotAFrame;
    return frame;
  }
  frame.status = FrameParseStatus::kFrame;
  frame.data = bytes.subspan(10, frame.length);
  frame.consumed = total;
  return frame;
}

} // namespace vela::link
