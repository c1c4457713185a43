#include "link/firmware_image.h"

#include <cstring>
#include <fstream>

#include "link/texts.h"

namespace vela::link {

namespace {

ImageLoad Refusal(ImageLoadStatus status, std::string message) {
  return ImageLoad{status, std::move(message)};
}

ImageLoad RefusalForSize(std::size_t size) {
  if (size == 0)
    return Refusal(ImageLoadStatus::kEmpty, std::string(text::kImageEmpty));
  return Refusal(ImageLoadStatus::kTooLarge, std::string(text::kImageTooLarge));
}

std::string UnreadableMessage(const std::filesystem::path& path) {
  // u8string keeps non-ASCII names intact on every platform; the text is UTF-8 throughout.
  const std::u8string name = path.u8string();
  return std::string(text::kImageUnreadable) + std::string(name.begin(), name.end());
}

} // namespace

FirmwareImage::FirmwareImage() : buffer_(new std::uint8_t[kImageCapacity]()) {}

void FirmwareImage::SetSize(std::size_t size) {
  size_ = static_cast<std::int32_t>(size);
  block_count_ = BlockCountFor(size_);
}

void FirmwareImage::Forget() {
  SetSize(0);
}

ImageLoad FirmwareImage::LoadBytes(std::span<const std::uint8_t> bytes) {
  Forget();
  if (bytes.empty() || bytes.size() > kImageCapacity)
    return RefusalForSize(bytes.size());
  std::memcpy(buffer_.get(), bytes.data(), bytes.size());
  SetSize(bytes.size());
  return {};
}

ImageLoad FirmwareImage::LoadFile(const std::filesystem::path& path) {
  Forget();
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return Refusal(ImageLoadStatus::kUnreadable, UnreadableMessage(path));
  }
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return Refusal(ImageLoadStatus::kUnreadable, UnreadableMessage(path));
  // Reading one byte more than fits tells a file that is too large without trusting a
  // size the file system reports (pipes and devices have none).
  file.read(reinterpret_cast<char*>(buffer_.get()), std::streamsize(kImageCapacity));
  std::size_t size = static_cast<std::size_t>(file.gcount());
  if (file.bad())
    return Refusal(ImageLoadStatus::kUnreadable, UnreadableMessage(path));
  if (size == kImageCapacity && file.peek() != std::ifstream::traits_type::eof()) {
    return RefusalForSize(kImageCapacity + 1);
  }
  if (file.bad())
    return Refusal(ImageLoadStatus::kUnreadable, UnreadableMessage(path));
  if (size == 0)
    return RefusalForSize(0);
  SetSize(size);
  return {};
}

} // namespace vela::link
