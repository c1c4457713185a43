#include "skin/draw/stretch.h"

#include <vector>

#include <gtest/gtest.h>

#include "tests/unit/skin_draw/golden.h"

// The pixel art of these tests is laid out by hand, one string per row.
// clang-format off
namespace vela::skin {
namespace {

using test::Art;
using test::SameRaster;

std::vector<int> Mapping(int source, int dest, StretchAxis axis) {
  std::vector<int> out;
  for (int i = 0; i < dest; ++i)
    out.push_back(StretchSourceIndex(source, dest, i, axis));
  return out;
}

// Pixel choices read back from the system's stretched blit in colour-on-colour mode.
TEST(StretchSourceIndex, MatchesTheSystemsPixelChoice) {
  struct Case {
    int source, dest;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {1, 4, {0, 0, 0, 0}},
      {2, 5, {0, 0, 0, 1, 1}},
      {3, 4, {0, 1, 1, 2}},
      {5, 12, {0, 0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4}},
      {7, 12, {0, 0, 1, 2, 2, 3, 3, 4, 4, 5, 6, 6}},
      {6, 6, {0, 1, 2, 3, 4, 5}},
      {3, 2, {1, 2}},
      {4, 3, {0, 2, 3}},
      {12, 5, {1, 4, 6, 9, 11}},
      {11, 7, {1, 2, 4, 5, 7, 8, 10}},
      {2, 1, {0}},
      {12, 1, {10}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Mapping(c.source, c.dest, StretchAxis::Horizontal), c.expected)
        << "columns " << c.source << " -> " << c.dest;
    if (c.dest >= c.source) {
      EXPECT_EQ(Mapping(c.source, c.dest, StretchAxis::Vertical), c.expected)
          << "rows " << c.source << " -> " << c.dest;
    }
  }
  // Rows are shrunk by rounding instead.
  const Case rows[] = {
      {3, 2, {0, 2}}, {4, 3, {0, 1, 3}}, {12, 5, {0, 2, 5, 7, 10}}, {11, 7, {0, 2, 3, 5, 6, 8, 9}},
      {2, 1, {0}},    {12, 1, {0}},
  };
  for (const Case& c : rows) {
    EXPECT_EQ(Mapping(c.source, c.dest, StretchAxis::Vertical), c.expected)
        << "rows " << c.source << " -> " << c.dest;
  }
}

TEST(StretchSourceIndex, StaysInsideTheSourceForLargeRuns) {
  for (int source : {1, 2, 3, 97, 1920, 16384}) {
    for (int dest : {1, 2, 5, 730, 16384}) {
      for (StretchAxis axis : {StretchAxis::Horizontal, StretchAxis::Vertical}) {
        const std::vector<int> m = Mapping(source, dest, axis);
        for (std::size_t i = 0; i < m.size(); ++i) {
          ASSERT_GE(m[i], 0) << source << "->" << dest << " at " << i;
          ASSERT_LT(m[i], source) << source << "->" << dest << " at " << i;
          if (i > 0) {
            ASSERT_GE(m[i], m[i - 1]) << source << "->" << dest << " at " << i;
          }
        }
      }
    }
  }
}

TEST(StretchCopy, GrowsAndShrinksInBothDirections) {
  const Bitmap source = Art({"ab",
                             "cd"});
  Bitmap grown(5, 3);
  StretchCopy(grown.View(), grown.View().Bounds(), source.View(), source.View().Bounds());
  EXPECT_TRUE(SameRaster(grown, Art({"aaabb",
                                     "aaabb",
                                     "cccdd"})));

  const Bitmap wide = Art({"abcdef",
                           "ghijkl",
                           "nopqrs"});
  Bitmap shrunk(3, 2);
  StretchCopy(shrunk.View(), shrunk.View().Bounds(), wide.View(), wide.View().Bounds());
  // 6 -> 3 takes columns 1, 3, 5; 3 -> 2 takes rows 0, 2.
  EXPECT_TRUE(SameRaster(shrunk, Art({"bdf",
                                      "oqs"})));
}

TEST(StretchCopy, ClipsTheDestinationWithoutShiftingTheMapping) {
  const Bitmap source = Art({"abc",
                             "def"});
  Bitmap full(7, 4, 0);
  StretchCopy(full.View(), Rect{0, 0, 7, 4}, source.View(), source.View().Bounds());
  // The same stretch placed two pixels left of and one above a 5 x 3 canvas.
  Bitmap clipped(5, 3, 0);
  StretchCopy(clipped.View(), Rect{-2, -1, 5, 3}, source.View(), source.View().Bounds());
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(clipped.At(x, y), full.At(x + 2, y + 1)) << x << "," << y;
    }
  }
}

TEST(StretchCopy, LeavesPixelsWhoseSourceLiesOutsideTheImage) {
  const Bitmap source = Art({"ab"});
  Bitmap canvas(4, 1, test::ColourOf('z'));
  // Source columns 1..3 of a 2-pixel image, copied 1:1: only column 1 exists.
  StretchCopy(canvas.View(), Rect{0, 0, 3, 1}, source.View(), Rect{1, 0, 4, 1});
  EXPECT_TRUE(SameRaster(canvas, Art({"bzzz"})));
  // Stretched: destination pixels mapped to missing columns stay, on every row.
  Bitmap stretched = Art({"zzzz",
                          "yyyy",
                          "xxxx"});
  StretchCopy(stretched.View(), Rect{0, 0, 4, 3}, source.View(), Rect{-1, 0, 1, 1});
  EXPECT_TRUE(SameRaster(stretched, Art({"zzaa",
                                         "yyaa",
                                         "xxaa"})));
}

TEST(StretchCopy, DrawsNothingForEmptyOrInvertedRectangles) {
  const Bitmap source = Art({"ab"});
  Bitmap canvas(3, 1, test::ColourOf('z'));
  StretchCopy(canvas.View(), Rect{2, 0, 0, 1}, source.View(), source.View().Bounds());
  StretchCopy(canvas.View(), Rect{0, 0, 3, 1}, source.View(), Rect{2, 0, 0, 1});
  StretchCopy(canvas.View(), Rect{0, 0, 3, 0}, source.View(), source.View().Bounds());
  StretchCopy(canvas.View(), Rect{0, 0, 3, 1}, Raster{}, Rect{0, 0, 1, 1});
  EXPECT_TRUE(SameRaster(canvas, Art({"zzz"})));
}

TEST(CopyPixels, ClipsBothRastersAndHandlesOverlap) {
  const Bitmap source = Art({"abc",
                             "def"});
  Bitmap canvas(3, 3, 0);
  CopyPixels(canvas.View(), 1, -1, source.View(), Rect{-1, 0, 3, 2});
  // Source column -1 does not exist; the rest lands one right and one up, clipped.
  EXPECT_TRUE(SameRaster(canvas, Art({"..d",
                                      "...",
                                      "..."})));

  Bitmap strip = Art({"abcde"});
  CopyPixels(strip.View(), 1, 0, strip.View(), Rect{0, 0, 4, 1});
  EXPECT_TRUE(SameRaster(strip, Art({"aabcd"})));
}

} // namespace
} // namespace vela::skin
// clang-format on
