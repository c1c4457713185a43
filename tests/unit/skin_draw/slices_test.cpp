#include "skin/draw/slices.h"

#include <vector>

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

TEST(CellRect, SideBySideAndStackedCellsCountFromOne) {
  // A 5-cell strip 100 pixels wide: cells are 20 wide, cell 2 starts at x = 20.
  EXPECT_EQ(CellRect(100, 16, 5, 2, false), (Rect{20, 0, 40, 16}));
  EXPECT_EQ(CellRect(100, 16, 5, 5, false), (Rect{80, 0, 100, 16}));
  // Leftover columns belong to no cell: 103 / 5 is still 20.
  EXPECT_EQ(CellRect(103, 16, 5, 5, false), (Rect{80, 0, 100, 16}));
  // Stacked: 2 cells of a 30 x 20 image are 10 high.
  EXPECT_EQ(CellRect(30, 20, 2, 1, true), (Rect{0, 0, 30, 10}));
  EXPECT_EQ(CellRect(30, 20, 2, 2, true), (Rect{0, 10, 30, 20}));
}

TEST(CellRect, ClampsTheCellAndRefusesStripsWithoutCells) {
  EXPECT_EQ(CellRect(40, 8, 4, 0, false), (Rect{0, 0, 10, 8}));
  EXPECT_EQ(CellRect(40, 8, 4, 9, false), (Rect{30, 0, 40, 8}));
  EXPECT_EQ(CellRect(40, 8, 4, -3, true), (Rect{0, 0, 40, 2}));
  EXPECT_TRUE(CellRect(40, 8, 0, 1, false).Empty());
  EXPECT_TRUE(CellRect(40, 8, -2, 1, false).Empty());
  EXPECT_TRUE(CellRect(3, 8, 4, 1, false).Empty()); // narrower than its cell count
  EXPECT_TRUE(CellRect(40, 3, 4, 1, true).Empty());
  EXPECT_TRUE(CellRect(0, 0, 1, 1, false).Empty());
}

TEST(CollapseMargins, DropsOnlyThePairThatDoesNotFit) {
  const Margins m{4, 3, 5, 2};
  EXPECT_EQ(CollapseMargins(m, 9, 5), m);                     // exactly fits
  EXPECT_EQ(CollapseMargins(m, 8, 5), (Margins{0, 3, 0, 2})); // too narrow
  EXPECT_EQ(CollapseMargins(m, 9, 4), (Margins{4, 0, 5, 0})); // too low
  EXPECT_EQ(CollapseMargins(Margins{-2, 1, 3, -1}, 10, 10), (Margins{0, 1, 3, 0}));
  // Margins far beyond any raster are dropped, never overflowing when added.
  EXPECT_EQ(CollapseMargins(Margins{0x7FFFFFFF, 0, 0x7FFFFFFF, 0}, 100, 10), (Margins{}));
}

// A 10 x 8 cell at x = 10 of its strip, margins L 2, T 1, R 3, B 2, on a 20 x 6 target.
TEST(NineSlices, CutsTheCellIntoPiecesInPaintingOrder) {
  const Rect cell{10, 0, 20, 8};
  const std::vector<Slice> expected = {
      {SlicePart::TopLeft, {10, 0, 12, 1}, {0, 0, 2, 1}},
      {SlicePart::BottomLeft, {10, 6, 12, 8}, {0, 4, 2, 6}},
      {SlicePart::TopRight, {17, 0, 20, 1}, {17, 0, 20, 1}},
      {SlicePart::LeftEdge, {10, 1, 12, 6}, {0, 1, 2, 4}},
      {SlicePart::TopEdge, {12, 0, 17, 1}, {2, 0, 17, 1}},
      {SlicePart::Middle, {12, 1, 17, 6}, {2, 1, 17, 4}},
      {SlicePart::BottomRight, {17, 6, 20, 8}, {17, 4, 20, 6}},
      {SlicePart::RightEdge, {17, 1, 20, 6}, {17, 1, 20, 4}},
      {SlicePart::BottomEdge, {12, 6, 17, 8}, {2, 4, 17, 6}},
  };
  EXPECT_EQ(NineSlices(cell, Margins{2, 1, 3, 2}, 20, 6, true), expected);

  std::vector<Slice> frame = expected;
  frame.erase(frame.begin() + 5);
  EXPECT_EQ(NineSlices(cell, Margins{2, 1, 3, 2}, 20, 6, false), frame);
}

TEST(NineSlices, LeavesOutPiecesWithoutArea) {
  // No margins: the middle alone.
  EXPECT_EQ(NineSlices(Rect{0, 0, 4, 4}, Margins{}, 9, 9, true),
            (std::vector<Slice>{{SlicePart::Middle, {0, 0, 4, 4}, {0, 0, 9, 9}}}));
  EXPECT_TRUE(NineSlices(Rect{}, Margins{1, 1, 1, 1}, 9, 9, true).empty());
  EXPECT_TRUE(NineSlices(Rect{0, 0, 4, 4}, Margins{}, 0, 9, true).empty());
  EXPECT_TRUE(NineSlices(Rect{0, 0, 4, 4}, Margins{}, -5, 9, true).empty());
}

TEST(FitMarginsToCell, KeepsMarginsThatLeaveAMiddleAndShrinksTheOthersInProportion) {
  struct Case {
    Margins in;
    int width, height;
    Margins out;
  } const cases[] = {
      {{2, 1, 3, 2}, 10, 8, {2, 1, 3, 2}},     // a middle is left: unchanged
      {{8, 0, 8, 0}, 10, 8, {4, 0, 5, 0}},     // 9 columns shared as 8 : 8, rounding to the right
      {{3, 0, 3, 0}, 6, 8, {2, 0, 3, 0}},      // exactly the cell: one column given up
      {{5, 0, 0, 0}, 3, 8, {2, 0, 0, 0}},      // one margin alone wider than the cell
      {{0, 6, 0, 2}, 4, 4, {0, 2, 0, 1}},      // rows as columns
      {{1, 1, 0, 0}, 1, 1, {0, 0, 0, 0}},      // a one-pixel cell is all middle
      {{0x7FFFFFFF, 0, 0x7FFFFFFF, 0}, 16384, 1, {8191, 0, 8192, 0}}, // no overflow
      {{0, 0, 0, 0}, 0, 0, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const Margins m = FitMarginsToCell(c.in, c.width, c.height);
    EXPECT_EQ(m, c.out) << c.in.Left << " " << c.in.Top << " " << c.in.Right << " " << c.in.Bottom;
  }
}

// Whatever the margins, the pieces cover the whole target and take only pixels of the cell.
TEST(NineSlices, MarginsWiderThanTheCellStillCoverTheTargetFromInsideTheCell) {
  const Rect cell{4, 0, 8, 4}; // cell 2 of a strip of 4 x 4 cells
  for (const Margins margins : {Margins{3, 1, 3, 1}, Margins{9, 9, 9, 9}, Margins{4, 0, 0, 4},
                                Margins{2, 2, 2, 2}}) {
    for (const bool withMiddle : {true, false}) {
      std::vector<int> covered(20 * 18, 0);
      for (const Slice& s : NineSlices(cell, margins, 20, 18, withMiddle)) {
        EXPECT_GE(s.source.left, cell.left);
        EXPECT_LE(s.source.right, cell.right);
        EXPECT_GE(s.source.top, cell.top);
        EXPECT_LE(s.source.bottom, cell.bottom);
        for (int y = s.dest.top; y < s.dest.bottom; ++y)
          for (int x = s.dest.left; x < s.dest.right; ++x) ++covered[std::size_t(y * 20 + x)];
      }
      const Margins m = FitMarginsToCell(margins, 4, 4);
      for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 20; ++x) {
          const bool middle = x >= m.Left && x < 20 - m.Right && y >= m.Top && y < 18 - m.Bottom;
          EXPECT_EQ(covered[std::size_t(y * 20 + x)], withMiddle || !middle ? 1 : 0)
              << "(" << x << ", " << y << ") margins " << margins.Left << " " << margins.Top;
        }
    }
  }
}

TEST(StripSlices, ACellWithoutMiddleIsStretchedOnceAcrossTheGap) {
  // Left and right together are as wide as the cell: there is no middle to repeat.
  const std::vector<Slice> expected = {
      {SlicePart::StripLeft, {0, 0, 3, 4}, {0, 0, 3, 4}},
      {SlicePart::StripMiddle, {0, 0, 6, 4}, {3, 0, 47, 4}},
      {SlicePart::StripRight, {3, 0, 6, 4}, {47, 0, 50, 4}},
  };
  EXPECT_EQ(StripSlices(Rect{0, 0, 6, 4}, 3, 3, 50, 4), expected);
  // Wider margins than the cell, and no gap: the ends only, and the call returns.
  const std::vector<Slice> ends = StripSlices(Rect{0, 0, 6, 4}, 5, 5, 8, 4);
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_EQ(ends[1].dest, (Rect{3, 0, 8, 4}));
}

TEST(StripSlices, AnEndWiderThanTheCellTakesOnlyTheCell) {
  const Rect cell{3, 0, 6, 2}; // cell 2 of a strip of 3-column cells
  const std::vector<Slice> expected = {
      {SlicePart::StripMiddle, {3, 0, 6, 2}, {0, 0, 5, 2}},
      {SlicePart::StripRight, {3, 0, 6, 2}, {5, 0, 8, 2}},
  };
  EXPECT_EQ(StripSlices(cell, 0, 5, 8, 2), expected);
}

TEST(StripSlices, MarginsAreNotCollapsedAndNegativeOnesCountAsZero) {
  // A right end wider than the target starts left of it; a negative left margin would make
  // room for a middle copy at x = -4 if it were taken as it stands.
  const std::vector<Slice> expected = {
      {SlicePart::StripRight, {2, 0, 10, 2}, {-2, 0, 6, 2}},
  };
  EXPECT_EQ(StripSlices(Rect{0, 0, 10, 2}, -4, 8, 6, 2), expected);
}

} // namespace
} // namespace vela::skin
