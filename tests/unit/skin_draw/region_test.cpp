#include "skin/draw/region.h"

#include <vector>

#include <gtest/gtest.h>

#include "tests/unit/skin_draw/golden.h"

// The pixel art of these tests is laid out by hand, one string per row.
// clang-format off
namespace vela::skin {
namespace {

using test::Art;

const TransparentRange kMagentaTolerance1 = TransparentRange::From(kMagenta, 1, 1, 1);

TEST(TransparentRange, ToleranceWidensEachChannelUpwardOnly) {
  EXPECT_TRUE(kMagentaTolerance1.Contains(MakePixel(255, 1, 255)));
  EXPECT_TRUE(kMagentaTolerance1.Contains(MakePixel(255, 0, 255)));
  EXPECT_FALSE(kMagentaTolerance1.Contains(MakePixel(254, 0, 255)));
  EXPECT_FALSE(kMagentaTolerance1.Contains(MakePixel(255, 2, 255)));
  EXPECT_FALSE(kMagentaTolerance1.Contains(MakePixel(255, 0, 254)));
  // The upper bound is capped at 255 and the channels are told apart: blue 10 with a blue
  // tolerance of 300 admits every blue, but red stays exact.
  const TransparentRange wide = TransparentRange::From(MakePixel(7, 0, 10), 300, 0, 0);
  EXPECT_TRUE(wide.Contains(MakePixel(7, 0, 255)));
  EXPECT_FALSE(wide.Contains(MakePixel(7, 0, 9)));
  EXPECT_FALSE(wide.Contains(MakePixel(8, 0, 10)));
  // A negative tolerance makes the range empty.
  EXPECT_FALSE(TransparentRange::From(kMagenta, -1, 0, 0).Contains(kMagenta));
}

TEST(OpaqueRunRects, MakesOneRectanglePerRunMovedByTheOffsets) {
  const Bitmap frame = Art({"MMabMM",
                            "MabcdM",
                            "abcdef",
                            "aMMbMc"});
  const std::vector<Rect> expected = {
      {12, 20, 14, 21}, {11, 21, 15, 22}, {10, 22, 16, 23},
      {10, 23, 11, 24}, {13, 23, 14, 24}, {15, 23, 16, 24},
  };
  EXPECT_EQ(OpaqueRunRects(frame.View(), 10, 20, kMagentaTolerance1), expected);
}

TEST(OpaqueRunRects, AllMagentaIsEmptyAndNoMagentaIsTheWholeBitmap) {
  EXPECT_TRUE(OpaqueRunRects(Bitmap(5, 3, kMagenta).View(), 0, 0, kMagentaTolerance1).empty());
  const std::vector<Rect> full = OpaqueRunRects(Bitmap(5, 2, 0).View(), -3, 4, kMagentaTolerance1);
  EXPECT_EQ(full, (std::vector<Rect>{{-3, 4, 2, 5}, {-3, 5, 2, 6}}));
  EXPECT_TRUE(OpaqueRunRects(Raster{}, 0, 0, kMagentaTolerance1).empty());
}

TEST(OpaqueRunRects, ReadsRowsThroughTheStride) {
  // A 2 x 2 view into a 3-wide buffer: the third column is not part of the bitmap.
  Pixel pixels[] = {0, kMagenta, 0, kMagenta, 0, 0};
  const Raster view{pixels, 2, 2, 3};
  EXPECT_EQ(OpaqueRunRects(view, 0, 0, kMagentaTolerance1),
            (std::vector<Rect>{{0, 0, 1, 1}, {1, 1, 2, 2}}));
}

TEST(ForEachRectChunk, SplitsIntoChunksOfAtMostTheLimit) {
  const std::vector<Rect> rects(4500, Rect{0, 0, 1, 1});
  std::vector<std::size_t> sizes;
  const Rect* expectedFirst = rects.data();
  ForEachRectChunk(rects, kRegionChunkRects, [&](const Rect* first, std::size_t count) {
    EXPECT_EQ(first, expectedFirst);
    expectedFirst += count;
    sizes.push_back(count);
  });
  EXPECT_EQ(sizes, (std::vector<std::size_t>{2000, 2000, 500}));
  sizes.clear();
  ForEachRectChunk(std::vector<Rect>{}, kRegionChunkRects,
                   [&](const Rect*, std::size_t count) { sizes.push_back(count); });
  EXPECT_TRUE(sizes.empty());
}

} // namespace
} // namespace vela::skin
// clang-format on
