// The tab strip of a tab set: which tabs show from the first visible one, where each goes, and
// when the strip needs its arrows.
#include "ui/core/tab_strip.h"

#include <gtest/gtest.h>

#include <vector>

namespace vela::ui {
namespace {

const std::vector<int> kWidths = {30, 40, 50, 20};

TEST(TabStrip, TabsFollowEachOtherFromTheStartAndStopAtTheFirstThatDoesNotFit) {
  const TTabStripLayout layout = LayoutTabStrip(kWidths, 0, 5, 130);
  ASSERT_EQ(layout.Slots.size(), 3u);
  EXPECT_EQ(layout.Slots[0], (TTabStripSlot{0, 5, 35}));
  EXPECT_EQ(layout.Slots[2], (TTabStripSlot{2, 75, 125}));
  EXPECT_FALSE(layout.ReachesEnd) << "the fourth would end at 145";
  // A tab ending exactly at the limit fits; a later narrower one is not placed after a gap.
  EXPECT_EQ(LayoutTabStrip(kWidths, 0, 5, 125).Slots.size(), 3u);
  EXPECT_EQ(LayoutTabStrip(std::vector<int>{10, 100, 5}, 0, 0, 50).Slots.size(), 1u);
}

TEST(TabStrip, ScrolledOffTabsAreSkippedAndIndicesStayThoseOfTheWholeList) {
  const TTabStripLayout layout = LayoutTabStrip(kWidths, 2, 0, 200);
  ASSERT_EQ(layout.Slots.size(), 2u);
  EXPECT_EQ(layout.Slots[0], (TTabStripSlot{2, 0, 50}));
  EXPECT_EQ(layout.Slots[1], (TTabStripSlot{3, 50, 70}));
  EXPECT_TRUE(layout.ReachesEnd);
  EXPECT_TRUE(LayoutTabStrip(kWidths, 4, 0, 200).Slots.empty());
  EXPECT_TRUE(LayoutTabStrip(kWidths, -1, 0, 200).Slots.empty());
  EXPECT_TRUE(LayoutTabStrip({}, 0, 0, 200).ReachesEnd);
}

TEST(TabStrip, ArrowsShowWhenTabsAreScrolledOffOrCutAndShortenTheStrip) {
  EXPECT_FALSE(TabStripNeedsArrows(kWidths, 0, 0, 140));
  EXPECT_TRUE(TabStripNeedsArrows(kWidths, 0, 0, 139));
  EXPECT_TRUE(TabStripNeedsArrows(kWidths, 1, 0, 1000)) << "one tab is scrolled off";
  bool arrows = false;
  // 139 cuts the last tab; the arrows take 21 more, which cuts the third as well.
  const TTabStripLayout layout = LayoutTabStripWithArrows(kWidths, 0, 0, 139, 21, &arrows);
  EXPECT_TRUE(arrows);
  EXPECT_EQ(layout.Slots.size(), 2u);
  EXPECT_EQ(LayoutTabStripWithArrows(kWidths, 0, 0, 140, 21, &arrows).Slots.size(), 4u);
  EXPECT_FALSE(arrows);
}

TEST(TabStrip, ScrollingStopsOnceTheLastTabIsInView) {
  EXPECT_EQ(LastUsefulFirstIndex(kWidths, 0, 70), 2);  // 50 + 20 fit
  EXPECT_EQ(LastUsefulFirstIndex(kWidths, 0, 69), 3);
  EXPECT_EQ(LastUsefulFirstIndex(kWidths, 0, 1000), 0);
  EXPECT_EQ(LastUsefulFirstIndex({}, 0, 10), 0);
}

} // namespace
} // namespace vela::ui
