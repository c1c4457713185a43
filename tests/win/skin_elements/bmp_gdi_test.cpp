// The bitmap decoder against the system's own: every format is drawn by GDI from the same
// file into a 32-bit DIB section and compared pixel by pixel with what the decoder produced.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "skin/data/bmp.h"
#include "tests/unit/skin_elements/bmp_builder.h"

namespace vela::skin {
namespace {

using testing::BmpSpec;
using testing::BuildBmp;

// What GDI draws from the file: the file's header and bits handed to StretchDIBits.
Bitmap DrawWithGdi(const std::vector<std::uint8_t>& file, int width, int height) {
  BITMAPINFO target{};
  target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  target.bmiHeader.biWidth = width;
  target.bmiHeader.biHeight = -height;
  target.bmiHeader.biPlanes = 1;
  target.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP dib = CreateDIBSection(dc, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  std::uint32_t offBits = 0;
  std::memcpy(&offBits, file.data() + 10, 4);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + 14);
  StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, file.data() + offBits, info,
                DIB_RGB_COLORS, SRCCOPY);
  GdiFlush();
  Bitmap out(width, height);
  const auto* px = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out.At(x, y) = px[y * width + x] & 0x00FFFFFFu;
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
  return out;
}

std::vector<std::uint8_t> RandomBytes(std::mt19937& rng, std::size_t n) {
  std::vector<std::uint8_t> v(n);
  for (auto& b : v) b = std::uint8_t(rng());
  return v;
}

std::vector<Pixel> RandomPalette(std::mt19937& rng, int n) {
  std::vector<Pixel> p(static_cast<std::size_t>(n));
  for (auto& c : p) c = rng() & 0x00FFFFFFu;
  return p;
}

void ExpectSameAsGdi(BmpSpec bmp, const char* what) {
  // Compressed bits must state their size for the system's decoder.
  if (bmp.compression == BI_RLE8 || bmp.compression == BI_RLE4)
    bmp.imageSize = std::uint32_t(bmp.pixels.size());
  const std::vector<std::uint8_t> file = BuildBmp(bmp);
  const Bitmap ours = DecodeBmp(file);
  ASSERT_FALSE(ours.Empty()) << what;
  const Bitmap gdi = DrawWithGdi(file, ours.Width(), ours.Height());
  for (int y = 0; y < ours.Height(); ++y)
    for (int x = 0; x < ours.Width(); ++x)
      ASSERT_EQ(ours.At(x, y), gdi.At(x, y)) << what << " at " << x << "," << y;
}

TEST(BmpDecoderAgainstGdi, UncompressedFormatsMatch) {
  std::mt19937 rng(7);
  const int w = 13, h = 7;
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    for (bool topDown : {false, true}) {
      BmpSpec s;
      s.width = w;
      s.height = topDown ? -h : h;
      s.bitCount = bits;
      if (bits <= 8) s.palette = RandomPalette(rng, 1 << bits);
      s.pixels = RandomBytes(rng, std::size_t((w * bits + 31) / 32 * 4 * h));
      ExpectSameAsGdi(s, (std::to_string(bits) + (topDown ? " bits top-down" : " bits")).c_str());
    }
  }
}

TEST(BmpDecoderAgainstGdi, BitfieldsMatch) {
  std::mt19937 rng(11);
  BmpSpec s;
  s.width = 9;
  s.height = 4;
  s.bitCount = 16;
  s.compression = BI_BITFIELDS;
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixels = RandomBytes(rng, std::size_t(20 * 4));
  ExpectSameAsGdi(s, "565");
  s.bitCount = 32;
  s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  s.pixels = RandomBytes(rng, std::size_t(36 * 4));
  ExpectSameAsGdi(s, "32-bit masks");
}

TEST(BmpDecoderAgainstGdi, RunLengthEncodedMatch) {
  std::mt19937 rng(5);
  BmpSpec rle8;
  rle8.width = 6;
  rle8.height = 3;
  rle8.bitCount = 8;
  rle8.compression = BI_RLE8;
  rle8.palette = RandomPalette(rng, 4);
  rle8.pixels = {3, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 0, 1, 3, 2, 2, 0, 1};
  ExpectSameAsGdi(rle8, "rle8");

  BmpSpec rle4 = rle8;
  rle4.bitCount = 4;
  rle4.compression = BI_RLE4;
  rle4.palette = RandomPalette(rng, 16);
  rle4.pixels = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 0, 2, 0xAB, 0, 1};
  ExpectSameAsGdi(rle4, "rle4");
}

} // namespace
} // namespace vela::skin
