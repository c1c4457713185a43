#include "skin/controls/scroll_geometry.h"

#include <climits>
#include <gtest/gtest.h>

#include "skin/draw/slices.h"

namespace vela::skin {
namespace {

TEST(MulDivTest, RoundsHalfAwayFromZeroAndRefusesZeroDivisorAndOverflow) {
  struct Row {
    int a, b, c, expected;
  };
  const Row rows[] = {
      {10, 3, 4, 8},
      {-10, 3, 4, -8},
      {10, 3, -4, -8},
      {-10, -3, -4, -8},
      {5, 1, 2, 3},
      {-5, 1, 2, -3},
      {7, 2, 3, 5},
      {1, 1, 0, -1},
      {INT_MAX, 2, 1, -1},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {INT_MIN, 1, 2, -1073741824},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.a << " * " << r.b << " / " << r.c);
    EXPECT_EQ(MulDiv(r.a, r.b, r.c), r.expected);
  }
}

// A bar 100 pixels long with 10-pixel arrows: the track between them is 80 pixels.
class ThumbTest : public testing::Test {
protected:
  static constexpr int L = 100, A = 10;
};

TEST_F(ThumbTest, FollowsThePositionWithinTheRangeForEveryKindOfState) {
  struct Row {
    const char* what;
    ScrollState state;
    ThumbSpan expected;
  };
  const Row rows[] = {
      {"page, at the start", {0, 100, 21, 0, 0}, {10, 26}},
      {"page, at the last position", {0, 100, 21, 80, 0}, {74, 90}},
      {"page, halfway (40 of 100 over 80 pixels)", {0, 100, 21, 40, 0}, {42, 58}},
      {"no page: one arrow long, at the start", {0, 100, 0, 0, 0}, {10, 20}},
      {"no page: halfway over the track less one arrow", {0, 100, 0, 50, 0}, {45, 55}},
      {"no page: at the end", {0, 100, 0, 100, 0}, {80, 90}},
      {"a minimum moves the whole range", {50, 150, 21, 50, 0}, {10, 26}},
      {"negative minimum", {-100, 0, 21, -20, 0}, {74, 90}},
      {"empty range fills the track", {5, 5, 3, 5, 0}, {10, 90}},
      {"maximum below minimum fills the track", {10, -10, 3, 0, 0}, {10, 90}},
      {"page larger than the range fills the track", {0, 100, 500, 30, 0}, {10, 90}},
      {"negative page counts as none", {0, 100, -4, 0, 0}, {10, 20}},
      {"position beyond the maximum stops at the end", {0, 100, 21, 1000, 0}, {74, 90}},
      {"position below the minimum stops at the start", {0, 100, 21, -5, 0}, {10, 26}},
      {"the widest range, at its end", {INT_MIN, INT_MAX, 0, INT_MAX, 0}, {80, 90}},
      {"the widest range, in its middle", {INT_MIN, INT_MAX, 0, 0, 0}, {45, 55}},
      {"the widest page", {0, INT_MAX, INT_MAX, 0, 0}, {10, 90}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(ThumbFor(r.state, r.state.Pos, L, A), r.expected);
  }
}

TEST_F(ThumbTest, StaysBetweenTheArrowsWhenTheBarIsShort) {
  EXPECT_EQ(ThumbFor({0, 100, 21, 50, 0}, 50, 15, A), (ThumbSpan{10, 10})) << "no track";
  EXPECT_EQ(ThumbFor({0, 100, 0, 100, 0}, 100, 25, A), (ThumbSpan{10, 15}))
      << "a track shorter than the arrow-long thumb";
  EXPECT_EQ(ThumbFor({0, 100, 21, 50, 0}, 50, -40, -3), (ThumbSpan{0, 0}));
}

TEST_F(ThumbTest, UsesTheTrackPositionOnlyWhileTheThumbIsDragged) {
  const ScrollState state{0, 100, 21, 0, 80};
  EXPECT_EQ(ThumbOf(state, false, L, A), (ThumbSpan{10, 26}));
  EXPECT_EQ(ThumbOf(state, true, L, A), (ThumbSpan{74, 90}));
}

TEST(PositionForThumbTest, ComesBackToEveryPositionWhenEachHasItsOwnPixel) {
  const ScrollState paged{0, 100, 21, 0, 0};
  for (int pos = 0; pos <= 80; ++pos) {
    SCOPED_TRACE(pos);
    EXPECT_EQ(PositionForThumb(paged, ThumbFor(paged, pos, 210, 5).Start, 210, 5), pos);
  }
  const ScrollState unpaged{-50, 50, 0, 0, 0};
  for (int pos = -50; pos <= 50; ++pos) {
    SCOPED_TRACE(pos);
    EXPECT_EQ(PositionForThumb(unpaged, ThumbFor(unpaged, pos, 215, 5).Start, 215, 5), pos);
  }
}

TEST(PositionForThumbTest, KeepsTheAnswerWithinTheScrollableRange) {
  struct Row {
    const char* what;
    ScrollState state;
    int thumbStart, length, arrow, expected;
  };
  const Row rows[] = {
      {"before the first arrow", {0, 100, 21, 0, 0}, -30, 100, 10, 0},
      {"past the end stops at the last page", {0, 100, 21, 0, 0}, 500, 100, 10, 80},
      {"no page: past the end is the maximum", {0, 100, 0, 0, 0}, 500, 100, 10, 100},
      {"empty range", {7, 7, 0, 0, 0}, 50, 100, 10, 7},
      {"maximum below minimum", {7, 3, 0, 0, 0}, 50, 100, 10, 7},
      {"page larger than the range", {0, 100, 300, 0, 0}, 50, 100, 10, 0},
      {"no track", {0, 100, 21, 0, 0}, 50, 20, 10, 0},
      {"the widest range", {INT_MIN, INT_MAX, 0, 0, 0}, 80, 100, 10, INT_MAX},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(PositionForThumb(r.state, r.thumbStart, r.length, r.arrow), r.expected);
  }
}

TEST(DragThumbTest, MovesWithTheCursorAndStopsAtTheArrows) {
  struct Row {
    const char* what;
    ThumbSpan press;
    int pressCursor, cursor;
    ThumbSpan expected;
  };
  const Row rows[] = {
      {"forward", {10, 26}, 300, 320, {30, 46}},
      {"backward past the first arrow", {40, 56}, 300, 250, {10, 26}},
      {"forward past the second arrow", {40, 56}, 300, 1300, {74, 90}},
      {"a thumb longer than the track stays at the first arrow", {10, 95}, 0, 30, {10, 95}},
      {"the cursor's whole range does not overflow", {40, 56}, INT_MIN, INT_MAX, {74, 90}},
      {"nor backwards", {40, 56}, INT_MAX, INT_MIN, {10, 26}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(DragThumb(r.press, r.pressCursor, r.cursor, 100, 10), r.expected);
  }
}

TEST(HitPartTest, NamesThePartUnderEachPointAlongTheBar) {
  const ThumbSpan thumb{30, 46};
  struct Row {
    int along;
    ScrollPart expected;
  };
  const Row rows[] = {
      {-5, ScrollPart::LineUp},     {0, ScrollPart::LineUp},    {9, ScrollPart::LineUp},
      {10, ScrollPart::PageUp},     {29, ScrollPart::PageUp},   {30, ScrollPart::ThumbTrack},
      {45, ScrollPart::ThumbTrack}, {46, ScrollPart::PageDown}, {89, ScrollPart::PageDown},
      {90, ScrollPart::LineDown},   {99, ScrollPart::LineDown}, {150, ScrollPart::LineDown},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.along);
    EXPECT_EQ(HitPart(r.along, 100, 10, thumb), r.expected);
  }
  EXPECT_EQ(HitPartAt(35, 95, true, 100, 10, thumb), ScrollPart::LineDown);
  EXPECT_EQ(HitPartAt(35, 95, false, 100, 10, thumb), ScrollPart::ThumbTrack);
}

TEST(ScrollBarLayoutTest, CutsAHorizontalBarIntoArrowsTrackAndThumb) {
  const ScrollBarLayout l = LayoutScrollBar(100, 20, false, 17, 17, {30, 46}, true);
  EXPECT_EQ(l.Thickness, 17);
  EXPECT_EQ(l.ArrowSize, 17);
  EXPECT_EQ(l.FirstArrow, (Rect{0, 0, 17, 17}));
  EXPECT_EQ(l.SecondArrow, (Rect{83, 0, 100, 17}));
  EXPECT_EQ(l.Track, (Rect{17, 0, 83, 17}));
  EXPECT_TRUE(l.HasThumb);
  EXPECT_EQ(l.Thumb, (Rect{30, 0, 46, 17}));
}

TEST(ScrollBarLayoutTest, TurnsTheSameCutForAVerticalBar) {
  const ScrollBarLayout l = LayoutScrollBar(20, 100, true, 17, 16, {30, 46}, true);
  EXPECT_EQ(l.Thickness, 16);
  EXPECT_EQ(l.FirstArrow, (Rect{0, 0, 16, 17}));
  EXPECT_EQ(l.SecondArrow, (Rect{0, 83, 16, 100}));
  EXPECT_EQ(l.Track, (Rect{0, 17, 16, 83}));
  EXPECT_EQ(l.Thumb, (Rect{0, 30, 16, 46}));
}

TEST(ScrollBarLayoutTest, TakesTheArrowSizeAsThicknessOnlyForAMuchThinnerStrip) {
  EXPECT_EQ(LayoutScrollBar(100, 20, false, 17, 13, {}, true).Thickness, 17);
  EXPECT_EQ(LayoutScrollBar(100, 20, false, 17, 14, {}, true).Thickness, 14);
  EXPECT_EQ(LayoutScrollBar(100, 20, false, 17, 30, {}, true).Thickness, 30);
}

TEST(ScrollBarLayoutTest, ABarShorterThanTwoArrowsSharesItsLengthAndDrawsNoTrack) {
  const ScrollBarLayout l = LayoutScrollBar(21, 17, false, 17, 17, {}, true);
  EXPECT_EQ(l.ArrowSize, 10);
  EXPECT_EQ(l.FirstArrow, (Rect{0, 0, 10, 17}));
  EXPECT_EQ(l.SecondArrow, (Rect{11, 0, 21, 17}));
  EXPECT_TRUE(Inverted(l.Track));
}

TEST(ScrollBarLayoutTest, ADisabledBarHasNoThumb) {
  const ScrollBarLayout l = LayoutScrollBar(100, 20, false, 17, 17, {30, 46}, false);
  EXPECT_FALSE(l.HasThumb);
  EXPECT_TRUE(l.Thumb.Empty());
}

TEST(ScrollBarCellsTest, ShowsEachPartInItsStateCell) {
  struct Row {
    bool vertical, enabled, tracking;
    ScrollPart part;
    ScrollBarCells expected;
  };
  const Row rows[] = {
      {false, true, false, ScrollPart::LineUp, {1, 5, 1, 1}},
      {false, true, true, ScrollPart::LineUp, {2, 5, 1, 1}},
      {false, true, true, ScrollPart::LineDown, {1, 6, 1, 1}},
      {true, true, false, ScrollPart::LineDown, {9, 13, 1, 1}},
      {true, true, true, ScrollPart::LineUp, {10, 13, 1, 1}},
      {true, true, true, ScrollPart::LineDown, {9, 14, 1, 1}},
      {true, true, true, ScrollPart::ThumbTrack, {9, 13, 1, 2}},
      {true, true, false, ScrollPart::ThumbTrack, {9, 13, 1, 1}},
      {false, true, true, ScrollPart::PageDown, {1, 5, 1, 1}},
      {false, false, false, ScrollPart::LineUp, {1, 5, 3, 1}},
      {true, false, true, ScrollPart::LineDown, {9, 14, 3, 1}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "vertical " << r.vertical << " enabled " << r.enabled
                                    << " tracking " << r.tracking << " part " << int(r.part));
    EXPECT_EQ(CellsForScrollBar(r.vertical, r.enabled, r.tracking, r.part), r.expected);
  }
}

TEST(ScrollCornerTest, CoversTheSquareBetweenBothBarsAndTwoPixelsBeyond) {
  EXPECT_EQ(ScrollCorner(Rect{183, 0, 200, 83}, Rect{0, 83, 183, 100}), (Rect{183, 83, 202, 102}));
}

} // namespace
} // namespace vela::skin
