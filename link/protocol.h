// Wire format of the update link: the fixed messages the tool sends, block frames and
// acknowledgements, and the sizes every side of the link agrees on.
//
//   std::string text = BuildSelectMessage(names);          // "!Select:A,B\r\n"
//   BlockFrameBuffer frame;
//   std::size_t n = BuildBlockFrame(image_bytes, block, frame);  // send frame[0..n)
//
// The device side (a simulator) uses BuildAcknowledgement and ParseBlockFrame; the device
// reader in device_stream.h builds on the latter.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vela::link {

inline constexpr std::size_t kBlockSize = 1024;
// "!AData" + number + length + at most one block + CR LF.
inline constexpr std::size_t kFrameOverhead = 12;
inline constexpr std::size_t kMaxFrameSize = kBlockSize + kFrameOverhead; // 1036
inline constexpr std::size_t kImageCapacity = 1048577;                    // 1 MiB and one byte
inline constexpr std::size_t kReceiveBufferSize = 10240;
inline constexpr std::size_t kSendBufferSize = 102400;
inline constexpr std::size_t kMaxSelectedCards = 4097;
inline constexpr std::size_t kAcknowledgementSize = 10; // "~AData" + number + CR LF

inline constexpr std::string_view kBootloaderQuery = "!Bootloader:\r\n";
inline constexpr std::string_view kGotoAppCommand = "!GotoApp:\r\n";
inline constexpr std::string_view kSelectPrefix = "!Select:";
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kFrameKeyword = "!AData";
inline constexpr std::string_view kAckKeyword = "~AData";
inline constexpr std::string_view kDeviceKeyword = "!Name";
inline constexpr std::string_view kCardKeyword = "!Card";

using BlockFrameBuffer = std::array<std::uint8_t, kMaxFrameSize>;

// "!Select:" + names joined by "," (no blanks added) + CR LF.
std::string BuildSelectMessage(std::span<const std::string> names);

// Number of blocks of an image: size / 1024 rounded up, 0 for an empty image.
std::int32_t BlockCountFor(std::int64_t image_size);

// Builds the frame of `block` (counted from 1) of `image` into `out` and returns its size
// (12 + data length). The data length is 1024, or the remainder for the last block. A block
// outside the image gives a frame with length 0; no byte is ever read from beyond `image`.
std::size_t BuildBlockFrame(std::span<const std::uint8_t> image, std::int32_t block,
                            BlockFrameBuffer& out);

// "~AData" + block number big-endian + CR LF, as a device answers a frame.
std::array<std::uint8_t, kAcknowledgementSize> BuildAcknowledgement(std::uint16_t block);

// Reads an acknowledgement at the start of `bytes`: the keyword and the two number bytes,
// where bytes past the end read as zero (so a truncated number still yields a value, exactly
// as the receiver scans a chunk). Empty when the keyword is not there.
std::optional<std::uint16_t> ParseAcknowledgement(std::span<const std::uint8_t> bytes);

enum class FrameParseStatus {
  kFrame,      // a whole frame starts at bytes[0]
  kIncomplete, // bytes[0..] is a prefix of a frame; wait for more bytes
  kNotAFrame,  // bytes[0] does not start a well-formed frame
};

struct ParsedFrame {
  FrameParseStatus status = FrameParseStatus::kNotAFrame;
  std::uint16_t block = 0;
  std::uint16_t length = 0;
  std::span<const std::uint8_t> data; // view into the parsed bytes
  std::size_t consumed = 0;           // bytes of the whole frame, CR LF included
};

// Device side: recognises a block frame at the start of `bytes`. A frame whose length field
// exceeds 1024 or that does not end in CR LF is not a frame.
ParsedFrame ParseBlockFrame(std::span<const std::uint8_t> bytes);

// IPv4 endpoint of a received chunk: the four address bytes in the order they are written
// ("a.b.c.d"), and the port in host order.
struct Ipv4Endpoint {
  std::array<std::uint8_t, 4> octets{};
  std::uint16_t port = 0;
};

} // namespace vela::link
