// The portable nearest-neighbour stretch against the system's stretched blit in
// colour-on-colour mode, pixel for pixel, over many sizes.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/draw/stretch.h"
#include "tests/win/skin_draw/surfaces.h"

namespace vela::skin {
namespace {

using test::RandomBitmap;
using test::SamePixels;
using test::SurfaceOf;

// Stretches `source` (part of a 40 x 30 image) onto `dest` of a canvas both ways and compares.
::testing::AssertionResult StretchAgrees(const Rect& dest, const Rect& source, int canvasW,
                                         int canvasH, std::uint32_t seed) {
  const Bitmap image = RandomBitmap(40, 30, seed, false);
  const auto from = SurfaceOf(image);
  Bitmap portable(canvasW, canvasH, 0x00123456);
  const auto gdi = SurfaceOf(portable);
  {
    const ui::TStretchModeSaver mode(gdi->Dc(), COLORONCOLOR);
    StretchBlt(gdi->Dc(), dest.left, dest.top, dest.Width(), dest.Height(), from->Dc(), source.left,
               source.top, source.Width(), source.Height(), SRCCOPY);
  }
  StretchCopy(portable.View(), dest, image.View(), source);
  return SamePixels(*gdi, portable)
         << " stretching {" << source.left << "," << source.top << "," << source.right << ","
         << source.bottom << "} onto {" << dest.left << "," << dest.top << "," << dest.right << ","
         << dest.bottom << "}";
}

TEST(StretchAgainstGdi, EveryPairOfSmallSizesInBothDirections) {
  const int sizes[] = {1, 2, 3, 4, 5, 7, 8, 13, 16, 20, 29};
  std::uint32_t seed = 1;
  for (int sw : sizes) {
    for (int dw : sizes) {
      // Width and height stretched differently at once: sw -> dw across, dw -> sw down.
      const int sh = std::min(sw, 30), dh = std::min(dw, 30);
      ASSERT_TRUE(
          StretchAgrees(Rect{2, 1, 2 + dw, 1 + sh}, Rect{3, 0, 3 + sw, dh}, 40, 40, seed++));
    }
  }
}

TEST(StretchAgainstGdi, LargeFactorsAndSourcesInsideTheImage) {
  std::uint32_t seed = 100;
  const Rect cases[][2] = {
      {{0, 0, 97, 5}, {10, 5, 13, 7}},      // 3 -> 97 across
      {{0, 0, 2, 90}, {0, 0, 37, 29}},      // 37 -> 2 across, 29 -> 90 down
      {{5, 5, 6, 6}, {4, 4, 40, 30}},       // everything onto one pixel
      {{0, 0, 100, 100}, {39, 29, 40, 30}}, // one pixel onto everything
      {{1, 0, 64, 17}, {7, 3, 40, 20}},
  };
  for (const auto& c : cases)
    ASSERT_TRUE(StretchAgrees(c[0], c[1], 100, 100, seed++));
}

TEST(StretchAgainstGdi, ClippedDestinationsKeepTheMapping) {
  std::uint32_t seed = 200;
  const Rect dests[] = {{-5, -3, 20, 12}, {10, 8, 35, 30}, {-20, 2, 8, 9}, {3, -9, 9, 40}};
  for (const Rect& d : dests) {
    ASSERT_TRUE(StretchAgrees(d, Rect{2, 2, 13, 9}, 16, 14, seed++));
    ASSERT_TRUE(StretchAgrees(d, Rect{0, 0, 40, 30}, 16, 14, seed++));
  }
}

} // namespace
} // namespace vela::skin
