#pragma once
// Byte streams: the in-memory stream that carries stored binary data (glyphs, the stored
// skin) and whole files.
//
//   TMemoryStream s;
//   s.LoadFromFile(L"image.bin");          // throws EStreamError when it cannot be read
//   std::int32_t n = s.ReadInt32();
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vela::ui {

enum class TSeekOrigin { Beginning, Current, End };

class TStream {
public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size() const = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::Beginning); }
  // Read or write exactly count bytes, or throw EStreamError.
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
  std::int32_t ReadInt32();      // little-endian
  void WriteInt32(std::int32_t value);
  // Copies count bytes from the source's position; count 0 copies the whole source from its
  // start. Returns the number of bytes copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() const override { return std::int64_t(data_.size()); }
  void SetSize(std::int64_t size);
  void Clear();

  void LoadFromStream(TStream& source);
  void SaveToStream(TStream& target) const;
  // Paths are UTF-16 so that any file name the operator picks can be opened.
  void LoadFromFile(const std::wstring& path);
  void SaveToFile(const std::wstring& path) const;

  const std::uint8_t* Memory() const { return data_.data(); }
  std::uint8_t* Memory() { return data_.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return data_; }

private:
  std::vector<std::uint8_t> data_;
  std::size_t position_ = 0;
};

} // namespace vela::ui
