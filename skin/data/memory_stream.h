#pragma once
// A growable byte stream in memory with a read/write position.
//
// It plays the part of the framework's memory stream for the portable skin code: the package
// reader expands into one, hands members out in others, and the INI reader reads its text
// from one. Reading past the end moves fewer bytes; writing past the end grows the stream.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

namespace vela::skin {

class MemoryStream {
public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  explicit MemoryStream(std::span<const std::uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}

  std::size_t Size() const { return bytes_.size(); }
  std::size_t Position() const { return position_; }
  void SetPosition(std::size_t position) { position_ = position; }
  std::size_t Remaining() const {
    return position_ < bytes_.size() ? bytes_.size() - position_ : 0;
  }

  // Changes the size; new bytes are zero. The position is kept.
  void SetSize(std::size_t size) { bytes_.resize(size); }
  // Empties the stream and rewinds it.
  void Clear() {
    bytes_.clear();
    position_ = 0;
  }

  // Copies up to `count` bytes from the position on and returns how many were moved.
  std::size_t Read(void* destination, std::size_t count) {
    const std::size_t moved = std::min(count, Remaining());
    if (moved != 0)
      std::memcpy(destination, bytes_.data() + position_, moved);
    position_ += moved;
    return moved;
  }

  // Writes at the position, growing the stream (zero-filled) where needed.
  void Write(const void* source, std::size_t count) {
    if (count == 0)
      return;
    if (position_ + count > bytes_.size())
      bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, source, count);
    position_ += count;
  }
  void Write(std::span<const std::uint8_t> bytes) { Write(bytes.data(), bytes.size()); }

  // Little-endian signed 32-bit values, the integers of every stored skin structure.
  bool ReadInt32(std::int32_t& value) {
    std::uint8_t b[4];
    if (Read(b, 4) != 4)
      return false;
    value = std::int32_t(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 |
                         std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24);
    return true;
  }
  void WriteInt32(std::int32_t value) {
    const auto v = std::uint32_t(value);
    const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                               std::uint8_t(v >> 24)};
    Write(b, 4);
  }

  const std::uint8_t* Data() const { return bytes_.data(); }
  std::uint8_t* Data() { return bytes_.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::span<const std::uint8_t> View() const { return bytes_; }
  // The bytes from the position to the end.
  std::span<const std::uint8_t> RemainingView() const {
    return std::span<const std::uint8_t>(bytes_).subspan(std::min(position_, bytes_.size()));
  }

  // Replaces the content and rewinds.
  void Assign(std::vector<std::uint8_t> bytes) {
    bytes_ = std::move(bytes);
    position_ = 0;
  }
  // Hands the content over, leaving the stream empty.
  std::vector<std::uint8_t> TakeBytes() {
    position_ = 0;
    return std::exchange(bytes_, {});
  }

private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

} // namespace vela::skin
