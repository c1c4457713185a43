#pragma once
// Small hand-drawn rasters for pixel tests. Each character is one pixel:
//   '.' black   'M' magenta   'W' white   any other letter or digit a colour of its own
// Rows are given top to bottom as strings of equal length.
#include <initializer_list>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "skin/data/raster.h"

namespace vela::skin {
// Readable rectangles in assertion messages.
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
} // namespace vela::skin

namespace vela::skin::test {

Pixel ColourOf(char c);
Bitmap Art(std::initializer_list<const char*> rows);
std::string ArtOf(const Raster& raster); // rows joined with '\n', '?' for unknown colours

// Compares pixel for pixel. On a difference, writes the actual and expected images as PPM
// files named after the test under the build tree and reports both as art.
::testing::AssertionResult SameRaster(const Raster& actual, const Bitmap& expected);
inline ::testing::AssertionResult SameRaster(const Bitmap& actual, const Bitmap& expected) {
  return SameRaster(actual.View(), expected);
}

} // namespace vela::skin::test
