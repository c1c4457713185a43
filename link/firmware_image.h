// The firmware image: one fixed buffer of 1,048,577 bytes, its size and block count.
//
//   FirmwareImage image;
//   ImageLoad r = image.LoadFile(path);
//   if (r.status != ImageLoadStatus::kLoaded) ShowMessage(r.message);
//
// A file larger than the buffer and an empty file are refused: nothing is loaded, the size
// and block count are 0, and the message says why. The buffer is allocated once, here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "link/protocol.h"

namespace vela::link {

enum class ImageLoadStatus { kLoaded, kTooLarge, kEmpty, kUnreadable };

struct ImageLoad {
  ImageLoadStatus status = ImageLoadStatus::kLoaded;
  std::string message; // UTF-8 operator text; empty when loaded
};

class FirmwareImage {
public:
  FirmwareImage();

  // Loads a file from its start. Size and block count are 0 unless it is loaded.
  ImageLoad LoadFile(const std::filesystem::path& path);
  // Loads bytes from memory with the same refusals.
  ImageLoad LoadBytes(std::span<const std::uint8_t> bytes);
  // The image counts as empty (a cancelled file dialog): size and block count 0.
  void Forget();

  std::int32_t size() const { return size_; }
  std::int32_t block_count() const { return block_count_; }
  bool empty() const { return size_ == 0; }
  std::span<const std::uint8_t> bytes() const { return {buffer_.get(), std::size_t(size_)}; }

private:
  void SetSize(std::size_t size);

  std::unique_ptr<std::uint8_t[]> buffer_;
  std::int32_t size_ = 0;
  std::int32_t block_count_ = 0;
};

} // namespace vela::link
