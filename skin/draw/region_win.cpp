#include "skin/draw/region_win.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "skin/draw/region.h"

namespace vela::skin {

namespace {

// One region from `count` rectangles, through a region-data block.
ui::TGdiObject<HRGN> RegionOfChunk(const Rect* rects, std::size_t count) {
  std::vector<std::uint8_t> block(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(block.data());
  RECT bound{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  auto* out = reinterpret_cast<RECT*>(data->Buffer);
  for (std::size_t i = 0; i < count; ++i) {
    const Rect& r = rects[i];
    out[i] = RECT{r.left, r.top, r.right, r.bottom};
    bound.left = std::min<LONG>(bound.left, r.left);
    bound.top = std::min<LONG>(bound.top, r.top);
    bound.right = std::max<LONG>(bound.right, r.right);
    bound.bottom = std::max<LONG>(bound.bottom, r.bottom);
  }
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = DWORD(count);
  data->rdh.nRgnSize = DWORD(count * sizeof(RECT));
  data->rdh.rcBound = bound;
  return ui::TGdiObject<HRGN>(ExtCreateRegion(nullptr, DWORD(block.size()), data));
}

} // namespace

ui::TGdiObject<HRGN> RegionFromRects(const std::vector<Rect>& rects) {
  if (rects.empty())
    return ui::TGdiObject<HRGN>(CreateRectRgn(0, 0, 0, 0));
  ui::TGdiObject<HRGN> result;
  bool failed = false;
  ForEachRectChunk(rects, kRegionChunkRects, [&](const Rect* first, std::size_t count) {
    if (failed)
      return;
    ui::TGdiObject<HRGN> chunk = RegionOfChunk(first, count);
    if (!chunk) {
      failed = true;
    } else if (!result) {
      result = std::move(chunk);
    } else if (CombineRgn(result.Get(), result.Get(), chunk.Get(), RGN_OR) == ERROR) {
      failed = true;
    }
  });
  if (failed)
    result.Reset();
  return result;
}

ui::TGdiObject<HRGN> RegionFromBitmap(const Raster& bitmap, int x, int y, int toleranceBlue,
                              int toleranceGreen, int toleranceRed, Pixel colour) {
  const TransparentRange range =
      TransparentRange::From(colour, toleranceBlue, toleranceGreen, toleranceRed);
  return RegionFromRects(OpaqueRunRects(bitmap, x, y, range));
}

} // namespace vela::skin
