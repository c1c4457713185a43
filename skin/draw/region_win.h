#pragma once
// Window regions from the opaque pixels of a bitmap.
#include <windows.h>

#include <vector>

#include "skin/data/raster.h"
#include "ui/graphics.h"

namespace vela::skin {

// The union of `rects` as a region, built from chunks of at most kRegionChunkRects rectangles
// (each made with ExtCreateRegion and OR-combined into the result). An empty list gives an
// empty region. Null only when GDI refuses to create one.
ui::TGdiObject<HRGN> RegionFromRects(const std::vector<Rect>& rects);

// The region of the pixels of `bitmap` that are not within the colour range of `colour` plus
// the per-channel tolerances (see TransparentRange), moved by (x, y). The frame skinner cuts
// window regions with tolerance 1 on each channel and magenta.
ui::TGdiObject<HRGN> RegionFromBitmap(const Raster& bitmap, int x, int y, int toleranceBlue,
                              int toleranceGreen, int toleranceRed, Pixel colour);

} // namespace vela::skin
