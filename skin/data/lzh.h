#pragma once
// Expansion of LZH-compressed streams: LZSS over a 4096-byte ring whose literals and match
// lengths are coded by an adaptive Huffman tree and whose match positions by a fixed prefix
// code.
//
// A compressed stream is a signed 32-bit little-endian expanded size followed by the bit
// stream, most significant bit of each byte first. There is no checksum and no end marker:
// decoding stops when the expanded size has been produced; missing input reads as zero bits.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/data/memory_stream.h"

namespace vela::skin {

class ElzhException : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kLzhNoMemoryMessage = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kLzhFreeErrorMessage =
    "LZH : Error freeing memory for dictionary tables";

// Decodes exactly `size` bytes from the bit stream `bits` (without the size field) and returns
// them. A size of 0 or less yields nothing. A match that would run past `size` is cut there.
std::vector<std::uint8_t> LzhDecodeBits(std::span<const std::uint8_t> bits, std::int32_t size);

// Reads the size field of a compressed stream; false when the stream is shorter than 4 bytes.
bool LzhExpandedSize(std::span<const std::uint8_t> stream, std::int32_t& size);

// Expands a whole compressed stream (size field and bit stream) into `out`. Returns false, with
// `out` empty, when the size field is missing or exceeds `maxSize`.
bool LzhExpand(std::span<const std::uint8_t> stream, std::vector<std::uint8_t>& out,
               std::int32_t maxSize);

// The decompressor object as the skin loader drives it: two stream references and a decode
// through block callbacks. Decode buffers its reads and writes internally; the bytes produced
// and the point where it stops are those of a byte-at-a-time decoder.
class TLZH {
public:
  // A block callback moves up to `count` bytes through `buffer` and reports how many it moved.
  using BlockCallback =
      std::function<void(std::uint8_t* buffer, std::uint16_t count, std::uint16_t& moved)>;

  TLZH() = default;
  TLZH(MemoryStream* input, MemoryStream* output) : InputStream(input), OutputStream(output) {}

  MemoryStream* InputStream = nullptr;  // not owned
  MemoryStream* OutputStream = nullptr; // not owned

  // Produces exactly `size` bytes through `write` (nothing for 0 or less), reading the bit
  // stream through `read`. Throws ElzhException when its tables cannot be allocated.
  void Decode(std::int32_t size, const BlockCallback& read, const BlockCallback& write);
  // Decode with StreamRead and StreamWrite.
  void Decode(std::int32_t size);

  // Moves the smaller of `count` and what is left of the input stream.
  void StreamRead(std::uint8_t* buffer, std::uint16_t count, std::uint16_t& moved);
  // Writes `count` bytes to the output stream.
  void StreamWrite(std::uint8_t* buffer, std::uint16_t count, std::uint16_t& moved);
};

// Unpacks one compressed stream from `source` (read from position 0) into `destination` (written
// from position 0), which ends positioned after the last byte written. Returns false, writing
// nothing, when the size field is missing or the expanded size exceeds `maxSize`.
bool UnpackLzhStream(MemoryStream& source, MemoryStream& destination, std::int32_t maxSize);

} // namespace vela::skin
