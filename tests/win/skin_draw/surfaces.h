#pragma once
// Helpers of the GDI tests: seeded pseudo-random rasters and pixel comparison of a DIB
// section (drawn by GDI) with a Bitmap (drawn by the portable primitives).
#include <cstdint>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "skin/data/raster.h"
#include "ui/bitmap.h"

namespace vela::skin::test {

// Pixels of a few colours (so that runs and repeats occur), magenta among them when asked.
Bitmap RandomBitmap(int width, int height, std::uint32_t seed, bool withMagenta);

// A DIB section holding a copy of `bitmap`.
std::unique_ptr<ui::TBitmap> SurfaceOf(const Bitmap& bitmap);

// Pixel-for-pixel equality, ignoring the fourth byte, naming the first difference.
::testing::AssertionResult SamePixels(const ui::TBitmap& gdi, const Bitmap& portable);

} // namespace vela::skin::test
