// Regions built from bitmaps, checked point by point with the system's hit test.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/draw/region.h"
#include "skin/draw/region_win.h"
#include "tests/win/skin_draw/surfaces.h"

namespace vela::skin {
namespace {

// Every pixel of the bitmap (and a border of one pixel around it) is inside the region exactly
// when it is not transparent.
::testing::AssertionResult RegionMatchesPixels(HRGN region, const Bitmap& bitmap, int ox, int oy,
                                               const TransparentRange& range) {
  for (int y = -1; y <= bitmap.Height(); ++y) {
    for (int x = -1; x <= bitmap.Width(); ++x) {
      const bool inside = x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height();
      const bool opaque = inside && !range.Contains(bitmap.At(x, y));
      if ((PtInRegion(region, x + ox, y + oy) != FALSE) != opaque) {
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << (opaque ? "opaque" : "transparent");
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(RegionFromBitmap, FollowsTheOpaquePixelsWithTolerance) {
  // Rounded top corners, as a frame's top border has them, plus near-magenta pixels.
  Bitmap frame = test::RandomBitmap(60, 8, 7, false);
  for (int x = 0; x < 3; ++x)
    frame.At(x, 0) = frame.At(59 - x, 0) = kMagenta;
  frame.At(0, 1) = frame.At(59, 1) = MakePixel(255, 1, 255); // within tolerance 1
  frame.At(1, 1) = MakePixel(254, 0, 255);                   // not within it
  const ui::TGdiObject<HRGN> region = RegionFromBitmap(frame.View(), 5, 9, 1, 1, 1, kMagenta);
  ASSERT_TRUE(region);
  EXPECT_TRUE(
      RegionMatchesPixels(region.Get(), frame, 5, 9, TransparentRange::From(kMagenta, 1, 1, 1)));
  EXPECT_FALSE(PtInRegion(region.Get(), 5 + 0, 9 + 1));
  EXPECT_TRUE(PtInRegion(region.Get(), 5 + 1, 9 + 1));
}

TEST(RegionFromBitmap, CombinesManyChunksIntoOneRegion) {
  // A checkerboard of 100 x 90 pixels has 4500 one-pixel runs: three chunks.
  Bitmap board(100, 90);
  for (int y = 0; y < 90; ++y) {
    for (int x = 0; x < 100; ++x)
      board.At(x, y) = (x + y) % 2 ? kMagenta : 0x00406080;
  }
  const TransparentRange range = TransparentRange::From(kMagenta, 1, 1, 1);
  ASSERT_EQ(OpaqueRunRects(board.View(), 0, 0, range).size(), 4500u);
  const ui::TGdiObject<HRGN> region = RegionFromBitmap(board.View(), -3, 2, 1, 1, 1, kMagenta);
  ASSERT_TRUE(region);
  EXPECT_TRUE(RegionMatchesPixels(region.Get(), board, -3, 2, range));
}

TEST(RegionFromBitmap, AllMagentaIsEmptyAndNoMagentaIsTheMovedRectangle) {
  const ui::TGdiObject<HRGN> empty =
      RegionFromBitmap(Bitmap(20, 10, kMagenta).View(), 0, 0, 1, 1, 1, kMagenta);
  ASSERT_TRUE(empty);
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty.Get(), &box), NULLREGION);

  const ui::TGdiObject<HRGN> full =
      RegionFromBitmap(Bitmap(20, 10, 0x00336699).View(), 7, -4, 1, 1, 1, kMagenta);
  ASSERT_TRUE(full);
  const ui::TGdiObject<HRGN> expected(CreateRectRgn(7, -4, 27, 6));
  EXPECT_TRUE(EqualRgn(full.Get(), expected.Get()));
}

} // namespace
} // namespace vela::skin
