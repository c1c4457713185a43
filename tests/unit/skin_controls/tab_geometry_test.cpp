// Where a skinned tab control and a tab set draw: the side of the tabs, the strip, the back
// buffer laid on its side for vertical tabs, the pane border's margins, the tab set's tabs.
#include "skin/controls/tab_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace vela::skin {
namespace {

TEST(TabGeometry, SideComesFromTheVerticalAndBottomOrRightStyleBits) {
  EXPECT_EQ(TabSideFromStyle(0), TabSide::Top);
  EXPECT_EQ(TabSideFromStyle(0x0002), TabSide::Bottom);
  EXPECT_EQ(TabSideFromStyle(0x0080), TabSide::Left);
  EXPECT_EQ(TabSideFromStyle(0x0082 | 0x0200), TabSide::Right);
}

struct StripCase {
  TabSide side;
  Rect strip;
};

TEST(TabGeometry, StripLiesBetweenTheWindowEdgeAndThePaneMovedOnePixelTowardThePane) {
  const Rect window{0, 0, 200, 100};
  const Rect pane = TabPaneRect(Rect{8, 30, 192, 92}); // grown by 4: {4, 26, 196, 96}
  EXPECT_EQ(pane, (Rect{4, 26, 196, 96}));
  for (const StripCase& c : {StripCase{TabSide::Top, {0, 1, 200, 27}}, StripCase{TabSide::Bottom, {0, 95, 200, 99}},
                             StripCase{TabSide::Left, {1, 0, 5, 100}}, StripCase{TabSide::Right, {195, 0, 199, 100}}})
    EXPECT_EQ(TabStripRect(window, pane, c.side), c.strip) << int(c.side);
}

TEST(TabGeometry, VerticalTabsLandInABufferLaidOnItsSide) {
  // A left strip 30 wide and 100 high; a tab from y 10 to 40, reaching 2 pixels into the strip.
  const Rect strip{0, 0, 30, 100};
  const Rect tab{2, 10, 30, 40};
  EXPECT_EQ(TabBufferBounds(strip, TabSide::Left), (Rect{0, 0, 100, 30}));
  // Turned counter-clockwise, buffer x runs from the bottom: y 10..40 becomes x 60..90.
  EXPECT_EQ(TabRectInBuffer(tab, strip, TabSide::Left), (Rect{60, 2, 90, 30}));
  // On the right the window edge is at x 30 of the strip: the tab's far side is at buffer y 0.
  EXPECT_EQ(TabRectInBuffer(Rect{0, 10, 28, 40}, strip, TabSide::Right), (Rect{10, 2, 40, 30}));
  // Top and bottom tabs only move by the strip's origin.
  EXPECT_EQ(TabRectInBuffer(Rect{12, 5, 50, 25}, Rect{0, 3, 200, 27}, TabSide::Bottom), (Rect{12, 2, 50, 22}));
  EXPECT_EQ(TabBufferBounds(Rect{0, 3, 200, 27}, TabSide::Top), (Rect{0, 0, 200, 24}));
}

TEST(TabGeometry, BorderMarginsFollowTheTurnedImage) {
  EXPECT_EQ(TabBorderMargins(TabSide::Top), (Margins{4, 5, 4, 4}));
  EXPECT_EQ(TabBorderMargins(TabSide::Bottom), (Margins{4, 4, 4, 5}));
  EXPECT_EQ(TabBorderMargins(TabSide::Left), (Margins{5, 4, 4, 4}));
  EXPECT_EQ(TabBorderMargins(TabSide::Right), (Margins{4, 4, 5, 4}));
}

TEST(TabGeometry, TabSetStopsAtTheFirstTabThatDoesNotFitBeforeItsEndMargin) {
  const std::vector<int> captions = {20, 31, 40};
  // Widths 29, 40, 49 from x 5: the third would end at 123.
  std::vector<Rect> tabs = TabSetTabRects(captions, 0, 5, 5, 127, 20, false);
  ASSERT_EQ(tabs.size(), 2u);
  EXPECT_EQ(tabs[0], (Rect{5, 0, 34, 20}));
  EXPECT_EQ(tabs[1], (Rect{34, 0, 74, 20}));
  EXPECT_EQ(TabSetTabRects(captions, 0, 5, 5, 128, 20, false).size(), 3u);
  // Visible arrows keep 21 more pixels free; scrolled-off tabs are skipped.
  EXPECT_EQ(TabSetTabRects(captions, 0, 5, 5, 148, 20, true).size(), 2u);
  tabs = TabSetTabRects(captions, 1, 5, 5, 200, 20, true);
  ASSERT_EQ(tabs.size(), 2u);
  EXPECT_EQ(tabs[0].left, 5);
  EXPECT_EQ(TabCell(true), 2);
  EXPECT_EQ(TabCell(false), 1);
}

} // namespace
} // namespace vela::skin
