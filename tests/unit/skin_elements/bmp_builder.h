#pragma once
// Builds bitmap files byte by byte for the decoder tests, with every header field under the
// test's control so that lying and damaged files can be made as easily as good ones.
#include <cstdint>
#include <optional>
#include <vector>

#include "skin/data/raster.h"

namespace vela::skin::testing {

struct BmpSpec {
  int width = 0;
  int height = 0; // negative: top-down rows
  int bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 40; // 12 writes the old core header
  std::vector<Pixel> palette;    // written as the colour table
  std::vector<std::uint32_t> masks; // written right after a 40-byte header
  std::vector<std::uint8_t> pixels; // raw pixel bytes, exactly as stored
  std::optional<std::uint32_t> offBits;
  std::optional<std::uint32_t> colorsUsed;
  std::uint32_t imageSize = 0;
};

inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

inline std::vector<std::uint8_t> BuildBmp(const BmpSpec& s) {
  std::vector<std::uint8_t> out;
  const bool core = s.headerSize == 12;
  const std::uint32_t entry = core ? 3 : 4;
  const std::uint32_t table =
      std::uint32_t(s.masks.size() * 4 + s.palette.size() * entry);
  const std::uint32_t off = s.offBits.value_or(14 + s.headerSize + table);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, std::uint32_t(off + s.pixels.size()));
  PutU32(out, 0);
  PutU32(out, off);
  PutU32(out, s.headerSize);
  if (core) {
    PutU16(out, std::uint32_t(s.width));
    PutU16(out, std::uint32_t(s.height));
    PutU16(out, 1);
    PutU16(out, std::uint32_t(s.bitCount));
  } else {
    PutU32(out, std::uint32_t(s.width));
    PutU32(out, std::uint32_t(s.height));
    PutU16(out, 1);
    PutU16(out, std::uint32_t(s.bitCount));
    PutU32(out, s.compression);
    PutU32(out, s.imageSize);
    PutU32(out, 2835);
    PutU32(out, 2835);
    PutU32(out, s.colorsUsed.value_or(std::uint32_t(s.palette.size())));
    PutU32(out, 0);
    while (out.size() < 14 + s.headerSize) out.push_back(0);
  }
  for (std::uint32_t m : s.masks) PutU32(out, m);
  for (Pixel p : s.palette) {
    out.push_back(PixelBlue(p));
    out.push_back(PixelGreen(p));
    out.push_back(PixelRed(p));
    if (!core) out.push_back(0);
  }
  while (out.size() < off) out.push_back(0);
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  return out;
}

// An RLE8 bitmap of `width` x `height` whose stream is `runs` repeats of 255 pixels on the
// first row, with no end of line between them, then the end-of-bitmap marker. It is tiny once
// compressed, and every run after the first few lies wholly past the right edge.
inline std::vector<std::uint8_t> Rle8RunsPastTheRowEnd(int width, int height, std::size_t runs) {
  BmpSpec s;
  s.width = width;
  s.height = height;
  s.bitCount = 8;
  s.compression = 1;
  s.palette = {0x000000, 0xFF0000};
  s.pixels.reserve(2 * runs + 2);
  for (std::size_t i = 0; i < runs; ++i) {
    s.pixels.push_back(255);
    s.pixels.push_back(1);
  }
  s.pixels.push_back(0);
  s.pixels.push_back(1);
  return BuildBmp(s);
}

// Stores rows given top row first as bottom-up 24-bit rows padded to four bytes.
inline std::vector<std::uint8_t> Rows24(const std::vector<std::vector<Pixel>>& rows) {
  std::vector<std::uint8_t> out;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    for (Pixel p : *it) {
      out.push_back(PixelBlue(p));
      out.push_back(PixelGreen(p));
      out.push_back(PixelRed(p));
    }
    while (out.size() % 4 != 0) out.push_back(0);
  }
  return out;
}

// A complete 24-bit file of the given bitmap, the format skin packages normally carry.
inline std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap) {
  std::vector<std::vector<Pixel>> rows(std::size_t(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) rows[std::size_t(y)].push_back(bitmap.At(x, y));
  BmpSpec s;
  s.width = bitmap.Width();
  s.height = bitmap.Height();
  s.pixels = Rows24(rows);
  return BuildBmp(s);
}

} // namespace vela::skin::testing
