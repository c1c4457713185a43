#include "ui/core/stream.h"

#include "ui/core/exceptions.h"
#include "ui/core/text.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace vela::ui {

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count && Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (count && Write(buffer, count) != count) throw EStreamError("Stream write error");
}

std::int32_t TStream::ReadInt32() {
  std::uint8_t b[4];
  ReadBuffer(b, 4);
  return std::int32_t(std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
                      (std::uint32_t(b[3]) << 24));
}

void TStream::WriteInt32(std::int32_t value) {
  auto v = std::uint32_t(value);
  std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
  WriteBuffer(b, 4);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::uint8_t buffer[65536];
  std::int64_t left = count;
  while (left > 0) {
    std::size_t chunk = std::size_t(std::min<std::int64_t>(left, sizeof buffer));
    source.ReadBuffer(buffer, chunk);
    WriteBuffer(buffer, chunk);
    left -= std::int64_t(chunk);
  }
  return count;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= data_.size()) return 0;
  std::size_t n = std::min(count, data_.size() - position_);
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (position_ + count > data_.size()) data_.resize(position_ + count);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::Beginning ? 0
                      : origin == TSeekOrigin::Current ? std::int64_t(position_)
                                                       : std::int64_t(data_.size());
  std::int64_t target = base + offset;
  if (target < 0) target = 0;
  position_ = std::size_t(target);
  return target;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) throw EStreamError("Negative stream size");
  data_.resize(std::size_t(size));
  if (position_ > data_.size()) position_ = data_.size();
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  std::int64_t n = source.Size();
  data_.assign(std::size_t(n), 0);
  source.ReadBuffer(data_.data(), std::size_t(n));
  position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& target) const { target.WriteBuffer(data_.data(), data_.size()); }

namespace {

std::filesystem::path PathOf(const std::wstring& path) {
#ifdef _WIN32
  return std::filesystem::path(path);
#else
  return std::filesystem::path(WideToUtf8(path));
#endif
}

} // namespace

void TMemoryStream::LoadFromFile(const std::wstring& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  if (!in) throw EStreamError(L"Cannot open file \"" + path + L"\"");
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EStreamError(L"Cannot read file \"" + path + L"\"");
  data_ = std::move(bytes);
  position_ = 0;
}

void TMemoryStream::SaveToFile(const std::wstring& path) const {
  std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
  if (!out) throw EStreamError(L"Cannot create file \"" + path + L"\"");
  out.write(reinterpret_cast<const char*>(data_.data()), std::streamsize(data_.size()));
  if (!out) throw EStreamError(L"Cannot write file \"" + path + L"\"");
}

} // namespace vela::ui
