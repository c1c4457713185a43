#include "tests/win/skin_draw/surfaces.h"

namespace vela::skin::test {

Bitmap RandomBitmap(int width, int height, std::uint32_t seed, bool withMagenta) {
  static const Pixel kColours[] = {0x00102030, 0x00C0A080, 0x00FFFFFF, 0x00000000,
                                   0x0030C060, 0x00FE00FF, 0x00FF01FF};
  Bitmap b(width, height);
  std::uint32_t state = seed * 2654435761u + 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      const std::uint32_t pick = (state >> 24) % 9;
      if (pick < 7)
        b.At(x, y) = kColours[pick];
      else if (withMagenta)
        b.At(x, y) = kMagenta;
      else
        b.At(x, y) = (state >> 8) & 0x00FFFFFFu;
    }
  }
  return b;
}

std::unique_ptr<ui::TBitmap> SurfaceOf(const Bitmap& bitmap) {
  auto surface = std::make_unique<ui::TBitmap>();
  surface->CopyFrom(bitmap.View());
  return surface;
}

::testing::AssertionResult SamePixels(const ui::TBitmap& gdi, const Bitmap& portable) {
  GdiFlush();
  const Raster g = gdi.View();
  if (g.width != portable.Width() || g.height != portable.Height()) {
    return ::testing::AssertionFailure() << "sizes differ: " << g.width << "x" << g.height << " vs "
                                         << portable.Width() << "x" << portable.Height();
  }
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      const Pixel a = g.At(x, y) & 0x00FFFFFFu, b = portable.At(x, y) & 0x00FFFFFFu;
      if (a != b) {
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y
                                             << "): GDI " << std::hex << a << ", portable " << b;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

} // namespace vela::skin::test
