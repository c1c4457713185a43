// The image a simulated device has received, block by block, and its file on disk.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vela::tools {

class ReceivedImage {
public:
  // Forgets everything received so far (a new transfer has been selected).
  void reset();
  // Stores a block's data at its offset, (block - 1) * 1024; block 0 is ignored.
  void store(std::uint16_t block, std::span<const std::uint8_t> data);

  // Bytes from offset 0 to the end of the furthest block received.
  std::size_t size() const { return size_; }
  std::span<const std::uint8_t> bytes() const { return {bytes_.data(), size_}; }
  // True when something was stored since the last write.
  bool dirty() const { return dirty_; }

  // Writes the image to path through a temporary file and a rename, so that a reader never
  // sees half a file. Clears dirty on success.
  bool write_to(const std::string& path, std::string& error);

private:
  std::vector<std::uint8_t> bytes_;
  std::size_t size_ = 0;
  bool dirty_ = false;
};

} // namespace vela::tools
