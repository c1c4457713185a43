#include "skin/draw/region.h"

#include <algorithm>

namespace vela::skin {

TransparentRange TransparentRange::From(Pixel colour, int toleranceBlue, int toleranceGreen,
                                        int toleranceRed) {
  TransparentRange r;
  r.lowRed = PixelRed(colour);
  r.lowGreen = PixelGreen(colour);
  r.lowBlue = PixelBlue(colour);
  // A negative tolerance leaves an empty range for that channel: nothing is transparent.
  r.highRed = std::min(int(r.lowRed) + toleranceRed, 255);
  r.highGreen = std::min(int(r.lowGreen) + toleranceGreen, 255);
  r.highBlue = std::min(int(r.lowBlue) + toleranceBlue, 255);
  return r;
}

std::vector<Rect> OpaqueRunRects(const Raster& bitmap, int x, int y,
                                 const TransparentRange& range) {
  std::vector<Rect> rects;
  if (bitmap.Empty())
    return rects;
  for (int row = 0; row < bitmap.height; ++row) {
    const Pixel* p = bitmap.Row(row);
    int col = 0;
    while (col < bitmap.width) {
      while (col < bitmap.width && range.Contains(p[col]))
        ++col;
      if (col == bitmap.width)
        break;
      const int start = col;
      while (col < bitmap.width && !range.Contains(p[col]))
        ++col;
      rects.push_back(Rect{start + x, row + y, col + x, row + y + 1});
    }
  }
  return rects;
}

} // namespace vela::skin
