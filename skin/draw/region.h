#pragma once
// The rectangles of a window region cut along the transparent pixels of a bitmap. The GDI
// adapter (region_win.h) turns them into a region handle in chunks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/data/raster.h"

namespace vela::skin {

// Regions are built from at most this many rectangles at a time.
constexpr std::size_t kRegionChunkRects = 2000;

// The colour range that counts as transparent: a pixel is transparent when its red, green and
// blue each lie within [colour's channel, channel + tolerance], the upper bound capped at 255.
struct TransparentRange {
  std::uint8_t lowRed = 0, lowGreen = 0, lowBlue = 0;
  int highRed = 0, highGreen = 0, highBlue = 0;

  // Channel tolerances in the order the frame skinner passes them: blue, green, red.
  static TransparentRange From(Pixel colour, int toleranceBlue, int toleranceGreen,
                               int toleranceRed);
  bool Contains(Pixel p) const {
    const int r = PixelRed(p), g = PixelGreen(p), b = PixelBlue(p);
    return r >= lowRed && r <= highRed && g >= lowGreen && g <= highGreen && b >= lowBlue &&
           b <= highBlue;
  }
};

// Row by row from the top, every maximal run of pixels that are not transparent becomes the
// one-pixel-high rectangle (run start + x, row + y, run end + x, row + y + 1). The union of the
// rectangles is the bitmap's opaque area moved by (x, y).
std::vector<Rect> OpaqueRunRects(const Raster& bitmap, int x, int y, const TransparentRange& range);

// Calls `sink(first, count)` for consecutive slices of `rects` of at most `chunk` rectangles.
template <typename Sink>
void ForEachRectChunk(const std::vector<Rect>& rects, std::size_t chunk, Sink&& sink) {
  for (std::size_t i = 0; i < rects.size(); i += chunk) {
    sink(rects.data() + i, std::min(chunk, rects.size() - i));
  }
}

} // namespace vela::skin
