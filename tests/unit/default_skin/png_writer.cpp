#include "tests/unit/default_skin/png_writer.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace vela::test {

namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) {
      c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    table[n] = c;
  }
  return table;
}

void PutBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(std::uint8_t(v >> shift));
  }
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[5],
              std::span<const std::uint8_t> data) {
  PutBE32(out, std::uint32_t(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const std::span<const std::uint8_t> covered(out.data() + typeAt, 4 + data.size());
  PutBE32(out, Crc32(covered));
}

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  static const std::array<std::uint32_t, 256> table = MakeCrcTable();
  crc = ~crc;
  for (std::uint8_t b : bytes) {
    crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  }
  return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : bytes) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> ZlibStored(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> out = {0x78, 0x01}; // deflate, 32 KiB window, no dictionary
  std::size_t at = 0;
  do {
    const std::size_t n = std::min<std::size_t>(65535, data.size() - at);
    const bool last = at + n == data.size();
    out.push_back(last ? 1 : 0); // BFINAL, BTYPE 00 (stored)
    out.push_back(std::uint8_t(n));
    out.push_back(std::uint8_t(n >> 8));
    out.push_back(std::uint8_t(~n));
    out.push_back(std::uint8_t(~n >> 8));
    out.insert(out.end(), data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + n));
    at += n;
  } while (at < data.size());
  PutBE32(out, Adler32(data));
  return out;
}

std::vector<std::uint8_t> EncodePng(const skin::Raster& image) {
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBE32(header, std::uint32_t(image.width));
  PutBE32(header, std::uint32_t(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, no filter, no interlace
  PutChunk(out, "IHDR", header);
  std::vector<std::uint8_t> rows;
  rows.reserve(std::size_t(image.height) * (1 + 3 * std::size_t(image.width)));
  for (int y = 0; y < image.height; ++y) {
    rows.push_back(0); // filter: none
    for (int x = 0; x < image.width; ++x) {
      const skin::Pixel p = image.At(x, y);
      rows.insert(rows.end(), {skin::PixelRed(p), skin::PixelGreen(p), skin::PixelBlue(p)});
    }
  }
  PutChunk(out, "IDAT", ZlibStored(rows));
  PutChunk(out, "IEND", {});
  return out;
}

bool WritePng(const std::string& path, const skin::Raster& image) {
  const std::vector<std::uint8_t> bytes = EncodePng(image);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file);
}

} // namespace vela::test
