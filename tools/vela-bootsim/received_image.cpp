#include "tools/vela-bootsim/received_image.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "link/protocol.h"

namespace vela::tools {

void ReceivedImage::reset() {
  bytes_.clear();
  size_ = 0;
  dirty_ = false;
}

void ReceivedImage::store(std::uint16_t block, std::span<const std::uint8_t> data) {
  if (block == 0)
    return;
  std::size_t offset = static_cast<std::size_t>(block - 1) * link::kBlockSize;
  std::size_t end = offset + data.size();
  if (bytes_.size() < end)
    bytes_.resize(end);
  std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
  size_ = std::max(size_, end);
  dirty_ = true;
}

bool ReceivedImage::write_to(const std::string& path, std::string& error) {
  std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(size_));
    out.close();
    if (!out) {
      error = "cannot write " + temporary;
      return false;
    }
  }
  std::error_code code;
  std::filesystem::rename(temporary, path, code);
  if (code) {
    // Some file systems refuse to replace an existing file by rename.
    std::filesystem::remove(path, code);
    std::filesystem::rename(temporary, path, code);
  }
  if (code) {
    error = "cannot rename " + temporary + " to " + path + ": " + code.message();
    return false;
  }
  dirty_ = false;
  return true;
}

} // namespace vela::tools
