#include <cstddef>

#include "tools/skinart/default_skin.h"

namespace vela::tools {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFFu);
  Put16(out, v >> 16);
}

} // namespace

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& image) {
  const int w = image.Width(), h = image.Height();
  const std::uint32_t rowBytes = (std::uint32_t(w) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * std::uint32_t(h);
  constexpr std::uint32_t kHeaders = 14 + 40;
  std::vector<std::uint8_t> out;
  out.reserve(kHeaders + pixelBytes);
  // File header.
  out.push_back('B');
  out.push_back('M');
  Put32(out, kHeaders + pixelBytes);
  Put32(out, 0);
  Put32(out, kHeaders);
  // Info header: positive height (rows bottom-up), one plane, 24 bits, no compression, 96 dpi.
  Put32(out, 40);
  Put32(out, std::uint32_t(w));
  Put32(out, std::uint32_t(h));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, pixelBytes);
  Put32(out, 3780);
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    for (int x = 0; x < w; ++x) {
      const Pixel p = image.At(x, y);
      out.push_back(skin::PixelBlue(p));
      out.push_back(skin::PixelGreen(p));
      out.push_back(skin::PixelRed(p));
    }
    out.resize(start + rowBytes, 0);
  }
  return out;
}

} // namespace vela::tools
