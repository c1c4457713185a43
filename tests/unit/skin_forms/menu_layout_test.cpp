#include "skin/forms/menu_layout.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

// ---- menu bar

TEST(MenuBarLayout, StartFollowsTheElementMarginsAndFallsBackWhenTheyLeaveTheBar) {
  const MenuBarSkin skin{true, 2, 7};
  EXPECT_EQ(MenuBarStart(skin, 300, false), 6); // left width + 4
  EXPECT_EQ(MenuBarStart(skin, 300, true), 15); // right width + 8
  EXPECT_EQ(MenuBarStart(MenuBarSkin{true, 40, 1}, 30, false), 12);
  EXPECT_EQ(MenuBarStart(MenuBarSkin{true, 40, 1}, 44, false), 44); // exactly at the edge stays
  EXPECT_EQ(MenuBarStart(MenuBarSkin{false, 40, 40}, 10, true), 6);
}

TEST(MenuBarLayout, ItemsRunLeftToRightFromTheStartInFrameCoordinates) {
  const Rect bar{4, 30, 304, 50};
  const std::vector<MenuBarEntry> items = {
      {20, false, true}, {30, false, false}, {0, true, true}, {15, false, true}};
  const std::vector<Rect> r = LayoutMenuBar(items, bar, 6, false);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0], (Rect{10, 30, 40, 49})); // width 20 + 10, bottom one above the bar's
  EXPECT_TRUE(r[1].Empty());               // hidden: takes no room
  EXPECT_EQ(r[2], (Rect{40, 30, 40, 49})); // empty caption: zero wide
  EXPECT_EQ(r[3], (Rect{40, 30, 65, 49}));
}

TEST(MenuBarLayout, RightToLeftItemsRunFromTheRightEdge) {
  const Rect bar{4, 30, 304, 50};
  const std::vector<MenuBarEntry> items = {{20, false, true}, {15, false, true}};
  const std::vector<Rect> r = LayoutMenuBar(items, bar, 15, true);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0], (Rect{4 + 255, 30, 4 + 285, 49}));
  EXPECT_EQ(r[1], (Rect{4 + 230, 30, 4 + 255, 49}));
}

TEST(MenuBarLayout, ItemsThatDoNotFitRunPastTheBar) {
  const Rect bar{0, 0, 50, 20};
  const std::vector<MenuBarEntry> items = {{30, false, true}, {30, false, true}};
  const std::vector<Rect> r = LayoutMenuBar(items, bar, 6, false);
  EXPECT_EQ(r[1], (Rect{46, 0, 86, 19}));
}

TEST(MenuBarHit, FirstItemWithACaptionUnderThePointWins) {
  const std::vector<MenuBarEntry> items = {{0, true, true}, {20, false, true}, {20, false, true}};
  const std::vector<Rect> rects = {{10, 0, 40, 19}, {10, 0, 40, 19}, {40, 0, 70, 19}};
  EXPECT_EQ(HitMenuBarItem(rects, items, Point{15, 5}), 1); // the empty caption is skipped
  EXPECT_EQ(HitMenuBarItem(rects, items, Point{40, 5}), 2); // right edge belongs to the next
  EXPECT_EQ(HitMenuBarItem(rects, items, Point{69, 18}), 2);
  EXPECT_EQ(HitMenuBarItem(rects, items, Point{69, 19}), -1);
  EXPECT_EQ(HitMenuBarItem(rects, items, Point{5, 5}), -1);
}

TEST(MenuBarAccelerator, SingleAmpersandMarksTheKeyAndDoubleOneIsLiteral) {
  struct Case {
    const wchar_t* caption;
    wchar_t accel;
  };
  const Case cases[] = {{L"&File", L'F'},  {L"E&xit", L'x'}, {L"Save && &quit", L'q'}, {L"A&&B", 0},
                        {L"Trailing&", 0}, {L"", 0},         {L"&&&Go", L'G'}};
  for (const Case& c : cases)
    EXPECT_EQ(AcceleratorOf(c.caption), c.accel) << c.caption;
  EXPECT_TRUE(IsAccelerator(L"&File", L'f'));
  EXPECT_TRUE(IsAccelerator(L"E&xit", L'X'));
  EXPECT_FALSE(IsAccelerator(L"File", L'F'));
  EXPECT_FALSE(IsAccelerator(L"&File", L'E'));
  EXPECT_FALSE(IsAccelerator(L"Trailing&", 0));
}

TEST(DropDownSeparators, OnlyTheLastOfARunBetweenVisibleEntriesShows) {
  // '-' a separator, 'x' a visible entry, 'h' a hidden entry; lower-case '-' a hidden separator.
  struct Case {
    const char* entries;
    const char* shown; // '1' visible, '0' hidden, per entry
  };
  const Case cases[] = {
      {"-x-x-", "01110"}, // leading and trailing separators go
      {"x--x", "1011"},   // a run keeps its last
      {"x-h-x", "10011"}, // a hidden entry does not end the run
      {"x-hh", "1000"},   // nothing visible follows
      {"x_x", "111"},     // a hidden separator between two entries comes back
      {"x_-x", "1011"},   {"hh-", "000"}, {"", ""},
  };
  for (const Case& c : cases) {
    std::vector<DropDownEntry> entries;
    for (const char* p = c.entries; *p; ++p)
      entries.push_back(DropDownEntry{*p == '-' || *p == '_', *p == '-' || *p == 'x'});
    const std::vector<bool> shown = TidySeparators(entries);
    std::string got;
    for (bool v : shown)
      got += v ? '1' : '0';
    EXPECT_EQ(got, c.shown) << c.entries;
  }
}

// ---- measuring

TEST(MenuItemMeasure, ColumnDependsOnTheMenuKindAndItsImages) {
  EXPECT_EQ(MeasuredItemWidth(100, 4, true, MenuKind::Popup), 116);
  EXPECT_EQ(MeasuredItemWidth(100, 4, true, MenuKind::MainMenu), 114);
  EXPECT_EQ(MeasuredItemWidth(100, 4, false, MenuKind::Popup), 139);
  EXPECT_EQ(MeasuredItemWidth(100, 0, false, MenuKind::MainMenu), 135);
}

TEST(MenuItemMeasure, ForeignItemsAreMeasuredFromTheirText) {
  EXPECT_EQ(MeasureItemByText(50, false, 15, 4, false), (ItemSize{80, 19}));
  EXPECT_EQ(MeasureItemByText(0, true, 15, 4, false), (ItemSize{30, 8}));
  EXPECT_EQ(MeasureItemByText(50, false, 15, 0, true), (ItemSize{76, 23}));
  EXPECT_EQ(MeasureItemByText(0, true, 15, 0, true), (ItemSize{26, 12}));
  EXPECT_TRUE(IsOwnCommandId(1));
  EXPECT_TRUE(IsOwnCommandId(4095));
  EXPECT_FALSE(IsOwnCommandId(4096));
  EXPECT_FALSE(IsOwnCommandId(0));
}

TEST(MenuItemMeasure, GlyphBoxFitsTheImagesAndACheckMark) {
  EXPECT_EQ(MenuGlyphSize(0, false, false), 16);
  EXPECT_EQ(MenuGlyphSize(24, true, false), 24);
  EXPECT_EQ(MenuGlyphSize(12, true, false), 12);
  EXPECT_EQ(MenuGlyphSize(12, true, true), 16);
  EXPECT_EQ(MenuGlyphSize(24, true, true), 24);
}

// ---- item geometry

TEST(MenuItemGeometry, LeftToRightPlacesGlyphCaptionAndShortcut) {
  const Rect item{0, 20, 150, 40};
  MenuItemMetrics m;
  m.glyphSize = 16;
  m.elementLeftWidth = 4;
  m.captionWidth = 50;
  m.captionHeight = 13;
  const MenuItemGeometry g = LayoutMenuItem(item, m);
  EXPECT_EQ(g.glyph, (Rect{5, 21, 21, 37}));
  EXPECT_EQ(g.text, (Rect{24, 20, 149, 40}));
  EXPECT_EQ(g.caption, (Rect{24, 23, 74, 36}));   // (20 - 13) / 2 = 3 below the top
  EXPECT_EQ(g.shortcut, (Rect{74, 23, 139, 36})); // ends 10 short of the text's right
}

TEST(MenuItemGeometry, RightToLeftMirrorsTheParts) {
  const Rect item{0, 0, 150, 20};
  MenuItemMetrics m;
  m.glyphSize = 16;
  m.elementLeftWidth = 4;
  m.captionWidth = 50;
  m.captionHeight = 14;
  m.rightToLeft = true;
  const MenuItemGeometry g = LayoutMenuItem(item, m);
  EXPECT_EQ(g.glyph, (Rect{129, 1, 145, 17}));
  EXPECT_EQ(g.text, (Rect{1, 0, 126, 20}));
  EXPECT_EQ(g.caption, (Rect{76, 3, 126, 17}));
  EXPECT_EQ(g.shortcut, (Rect{11, 3, 76, 17}));
}

TEST(MenuItemGeometry, ALineHasNoGlyphBox) {
  MenuItemMetrics m;
  m.line = true;
  const MenuItemGeometry g = LayoutMenuItem(Rect{0, 0, 100, 8}, m);
  EXPECT_TRUE(g.glyph.Empty());
  EXPECT_EQ(g.text.left, 4); // 1 + 0 + 3
}

TEST(MenuItemGeometry, CheckMarkIsCentredAndNudged) {
  EXPECT_EQ(CheckMarkPlace(Rect{5, 1, 21, 17}, 12, 12), (Rect{8, 4, 20, 16}));
  EXPECT_EQ(CheckMarkPlace(Rect{0, 0, 16, 16}, 16, 16), (Rect{1, 1, 17, 17}));
}

// ---- separator

TEST(MenuSeparator, CellTwoBottomRowsAreSlicedInThree) {
  // 5 cells of 24 x 20, margins 4 and 4, an item 100 x 8.
  const std::vector<SlicePiece> p = MenuSeparatorSlices(120, 20, 5, 4, 4, 100, 8);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].source, (Rect{24, 12, 28, 20}));
  EXPECT_EQ(p[0].target, (Rect{0, 0, 4, 8}));
  EXPECT_EQ(p[1].source, (Rect{28, 12, 44, 20}));
  EXPECT_EQ(p[1].target, (Rect{4, 0, 96, 8}));
  EXPECT_EQ(p[2].source, (Rect{44, 12, 48, 20}));
  EXPECT_EQ(p[2].target, (Rect{96, 0, 100, 8}));
}

TEST(MenuSeparator, ATallItemTakesTheWholeCellHeight) {
  const std::vector<SlicePiece> p = MenuSeparatorSlices(120, 20, 5, 0, 0, 60, 30);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].source, (Rect{24, 0, 48, 20}));
  EXPECT_EQ(p[0].target, (Rect{0, 0, 60, 30}));
}

TEST(MenuSeparator, MarginsNeverReachIntoNeighbouringCellsOrPastTheItem) {
  const std::vector<SlicePiece> wide = MenuSeparatorSlices(120, 20, 5, 20, 20, 100, 8);
  for (const SlicePiece& piece : wide) {
    EXPECT_GE(piece.source.left, 24);
    EXPECT_LE(piece.source.right, 48);
  }
  const std::vector<SlicePiece> narrow = MenuSeparatorSlices(120, 20, 5, 4, 4, 6, 8);
  for (const SlicePiece& piece : narrow) {
    EXPECT_GE(piece.target.left, 0);
    EXPECT_LE(piece.target.right, 6);
  }
  EXPECT_TRUE(MenuSeparatorSlices(120, 20, 1, 4, 4, 100, 8).empty());
  EXPECT_TRUE(MenuSeparatorSlices(4, 20, 5, 4, 4, 100, 8).empty());
  EXPECT_TRUE(MenuSeparatorSlices(120, 20, 5, 4, 4, 0, 8).empty());
}

// ---- colours

TEST(MenuItemColours, StateChoosesTheSkinColour) {
  TSkinColours c;
  c.MenuText = RgbColour(1, 2, 3);
  c.HilightText = RgbColour(4, 5, 6);
  c.ButtonShadow = RgbColour(7, 8, 9);
  EXPECT_EQ(MenuItemTextColour(c, true, false), c.MenuText);
  EXPECT_EQ(MenuItemTextColour(c, true, true), c.HilightText);
  EXPECT_EQ(MenuItemTextColour(c, false, true), c.ButtonShadow);
  c.ButtonShadow = c.MenuText;
  EXPECT_EQ(MenuItemTextColour(c, false, false), clBtnShadow);
}

} // namespace
} // namespace vela::skin
