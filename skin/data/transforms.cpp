#include "skin/data/transforms.h"

#include <algorithm>
#include <utility>

namespace vela::skin {
namespace {

constexpr Pixel kColourBits = 0x00FFFFFFu;

// Builds a new bitmap of the given size whose pixel (x, y) is source(from(x, y)).
template <typename Map>
Bitmap Remap(const Bitmap& source, int width, int height, Map from) {
  Bitmap result(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto [sx, sy] = from(x, y);
      result.At(x, y) = source.At(sx, sy) & kColourBits;
    }
  }
  return result;
}

} // namespace

void GrayBitmap(Bitmap& bitmap) {
  const Raster view = bitmap.View();
  for (int y = 0; y < view.height; ++y) {
    Pixel* row = view.Row(y);
    for (int x = 0; x < view.width; ++x) {
      const Pixel p = row[x];
      const auto grey = std::uint8_t((PixelRed(p) + PixelGreen(p) + PixelBlue(p)) / 3);
      row[x] = MakePixel(grey, grey, grey);
    }
  }
}

void MirrorBitmap(Bitmap& bitmap) {
  if (bitmap.Empty()) return;
  Bitmap result(bitmap.Width(), bitmap.Height());
  const Raster from = bitmap.View(), to = result.View();
  for (int y = 0; y < from.height; ++y) {
    const Pixel* src = from.Row(y);
    Pixel* dst = to.Row(y);
    for (int x = 0; x < from.width; ++x) dst[from.width - 1 - x] = src[x] & kColourBits;
  }
  bitmap = std::move(result);
}

void MirrorBitmapCells(Bitmap& bitmap, int cellCount) {
  const int cellWidth = cellCount > 0 ? bitmap.Width() / cellCount : 0;
  if (cellWidth <= 0) {
    MirrorBitmap(bitmap);
    return;
  }
  const Raster view = bitmap.View();
  for (int y = 0; y < view.height; ++y) {
    Pixel* row = view.Row(y);
    for (int x = 0; x < view.width; ++x) row[x] &= kColourBits;
    for (int c = 0; c < cellCount; ++c) std::reverse(row + c * cellWidth, row + (c + 1) * cellWidth);
  }
}

void FlipBitmap(Bitmap& bitmap) {
  if (bitmap.Empty()) return;
  Bitmap result(bitmap.Width(), bitmap.Height());
  const Raster from = bitmap.View(), to = result.View();
  for (int y = 0; y < from.height; ++y) {
    const Pixel* src = from.Row(from.height - 1 - y);
    Pixel* dst = to.Row(y);
    for (int x = 0; x < from.width; ++x) dst[x] = src[x] & kColourBits;
  }
  bitmap = std::move(result);
}

void RotateBitmapLeft(Bitmap& bitmap) {
  if (bitmap.Empty()) return;
  const int oldWidth = bitmap.Width();
  bitmap = Remap(bitmap, bitmap.Height(), oldWidth,
                 [oldWidth](int x, int y) { return std::pair{oldWidth - 1 - y, x}; });
}

void RotateBitmapRight(Bitmap& bitmap) {
  if (bitmap.Empty()) return;
  const int oldHeight = bitmap.Height();
  bitmap = Remap(bitmap, oldHeight, bitmap.Width(),
                 [oldHeight](int x, int y) { return std::pair{y, oldHeight - 1 - x}; });
}

} // namespace vela::skin
