#include "skin/forms/caption_layout.h"

#include <vector>

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

CaptionState FullWindow() {
  CaptionState s;
  s.systemMenu = s.maximizeBox = s.minimizeBox = true;
  s.border = BorderKind::Sizeable;
  return s;
}

struct VisCase {
  int code;
  bool whenMaximized, whenNormal;
};

TEST(CaptionVisibility, FirstConditionFollowsTheWindowState) {
  CaptionState normal = FullWindow();
  CaptionState maxed = FullWindow();
  maxed.maximized = true;
  const VisCase cases[] = {
      {1, true, false},  {2, false, true},     {5, false, false},  {6, true, true},
      {7, false, false}, {8, true, true},      {9, false, false},  {201, true, true},
      {999, true, true}, {2001, false, false}, {-3, false, false}, {100, false, false},
  };
  for (const VisCase& c : cases) {
    EXPECT_EQ(FirstVisibility(c.code, 1, maxed, nullptr), c.whenMaximized) << c.code;
    EXPECT_EQ(FirstVisibility(c.code, 1, normal, nullptr), c.whenNormal) << c.code;
  }
}

TEST(CaptionVisibility, SecondConditionDiffersFromTheFirstWhereItShould) {
  CaptionState s = FullWindow();
  s.systemMenu = false;
  // Code 6 and 8 ask only for the box in the second condition, with the system menu in the first.
  EXPECT_FALSE(FirstVisibility(6, 1, s, nullptr));
  EXPECT_TRUE(SecondVisibility(6, s));
  EXPECT_FALSE(FirstVisibility(8, 2, s, nullptr));
  EXPECT_TRUE(SecondVisibility(8, s));
  // 0 always shows in the second; 1000..2000 always there, never asking.
  EXPECT_TRUE(SecondVisibility(0, s));
  EXPECT_TRUE(SecondVisibility(1500, s));
  EXPECT_FALSE(SecondVisibility(2001, s));
  EXPECT_FALSE(SecondVisibility(-1, s));
}

TEST(CaptionVisibility, ActiveAndInactiveCodes) {
  CaptionState s = FullWindow();
  EXPECT_TRUE(FirstVisibility(3, 1, s, nullptr));
  EXPECT_FALSE(FirstVisibility(4, 1, s, nullptr));
  s.active = false;
  EXPECT_FALSE(SecondVisibility(3, s));
  EXPECT_TRUE(SecondVisibility(4, s));
}

TEST(CaptionVisibility, CloseButtonNeedsASystemMenu) {
  TDataSkinSysButton close("BUTTON0");
  close.Action = 0;
  CaptionState s = FullWindow();
  EXPECT_TRUE(CaptionButtonShown(close, s, nullptr));
  s.systemMenu = false;
  EXPECT_FALSE(CaptionButtonShown(close, s, nullptr));
  // Any other action shows with code 0 regardless.
  close.Action = 40;
  EXPECT_TRUE(CaptionButtonShown(close, s, nullptr));
}

TEST(CaptionVisibility, MaximiseGivesWayToRestoreWhenMaximised) {
  TDataSkinSysButton max("BUTTON1"), restore("BUTTON2");
  max.Action = restore.Action = 1;
  max.Visibility = 2;
  restore.Visibility = 1;
  max.Visibility1 = restore.Visibility1 = 6;
  CaptionState s = FullWindow();
  EXPECT_TRUE(CaptionButtonShown(max, s, nullptr));
  EXPECT_FALSE(CaptionButtonShown(restore, s, nullptr));
  s.maximized = true;
  EXPECT_FALSE(CaptionButtonShown(max, s, nullptr));
  EXPECT_TRUE(CaptionButtonShown(restore, s, nullptr));
}

TEST(CaptionVisibility, TheActionVetoesWhateverTheCodesSay) {
  TDataSkinSysButton b("BUTTON");
  b.Visibility = 201;
  b.Visibility1 = 0;
  CaptionState s = FullWindow();
  s.maximizeBox = s.minimizeBox = false;
  b.Action = 1;
  EXPECT_FALSE(CaptionButtonShown(b, s, nullptr));
  b.Action = 2;
  EXPECT_FALSE(CaptionButtonShown(b, s, nullptr));
  for (int icon : {3, 11, 12}) {
    b.Action = icon;
    s.border = BorderKind::Sizeable;
    EXPECT_TRUE(CaptionButtonShown(b, s, nullptr)) << icon;
    s.border = BorderKind::Dialog; // a dialog shows no system-menu icon
    EXPECT_FALSE(CaptionButtonShown(b, s, nullptr)) << icon;
  }
}

TEST(CaptionVisibility, ApplicationCodesAskOnlyInTheirRange) {
  TDataSkinSysButton b("BUTTON");
  b.Action = 40;
  int asked = 0;
  bool answer = true;
  AskButtonVisible ask = [&] {
    ++asked;
    return answer;
  };
  CaptionState s = FullWindow();
  b.Visibility = 1000;
  EXPECT_TRUE(CaptionButtonShown(b, s, ask));
  answer = false;
  b.Visibility = 2000;
  EXPECT_FALSE(CaptionButtonShown(b, s, ask));
  EXPECT_EQ(asked, 2);
  b.Visibility = 999;
  EXPECT_TRUE(CaptionButtonShown(b, s, ask));
  b.Visibility = 2001;
  EXPECT_FALSE(CaptionButtonShown(b, s, ask));
  EXPECT_EQ(asked, 2);
}

TEST(CaptionVisibility, MdiControlsNeedAMaximisedChildAndAMenuBar) {
  TDataSkinSysButton b("MDI");
  b.Action = 7;
  b.Visibility = b.Visibility1 = 100;
  CaptionState s = FullWindow();
  s.mdiChildMaximized = true;
  EXPECT_FALSE(CaptionButtonShown(b, s, nullptr));
  s.menuBarHeight = 19;
  EXPECT_TRUE(CaptionButtonShown(b, s, nullptr));
  s.mdiChildMaximized = false;
  EXPECT_FALSE(CaptionButtonShown(b, s, nullptr));
}

TEST(CaptionVisibility, Code200MeansADialogBorderOnAnOrdinaryWindow) {
  CaptionState s = FullWindow();
  EXPECT_FALSE(FirstVisibility(200, 40, s, nullptr));
  s.border = BorderKind::Dialog;
  EXPECT_TRUE(FirstVisibility(200, 40, s, nullptr));
  EXPECT_TRUE(SecondVisibility(200, s));
  s.dialogClass = true;
  EXPECT_FALSE(FirstVisibility(200, 40, s, nullptr));
}

struct AlignCase {
  int align, x, y;
  Rect expected;
};

TEST(CaptionLayout, PlacesButtonsByTheirAlignment) {
  CaptionGeometry g;
  g.windowWidth = 400;
  g.title = Rect{40, 5, 200, 25};
  g.frame = FrameWidths{4, 30, 5, 6};
  const AlignCase cases[] = {
      {0, 6, 4, Rect{6, 4, 27, 25}},    {1, 34, 4, Rect{366, 4, 387, 25}},
      {2, 3, 4, Rect{16, 4, 37, 25}},                                     // left of the title
      {8, 3, 4, Rect{16, 4, 37, 25}},   {3, 3, 4, Rect{203, 4, 224, 25}}, // right of the title
      {9, 3, 4, Rect{203, 4, 224, 25}}, {5, 30, 9, Rect{0, 0, 21, 21}},   // unknown: the origin
  };
  for (const AlignCase& c : cases) {
    TDataSkinSysButton b("B");
    b.Align = c.align;
    b.Xcoord = c.x;
    b.Ycoord = c.y;
    EXPECT_EQ(LayoutCaptionButton(b, 21, 21, g), c.expected) << c.align;
  }
}

TEST(CaptionLayout, MdiControlsSitInTheMenuBarFromTheRightOrTheLeft) {
  CaptionGeometry g;
  g.windowWidth = 400;
  g.frame = FrameWidths{4, 30, 5, 6};
  g.menuBarHeight = 20;
  g.menuBarLeftWidth = 2;
  TDataSkinSysButton b("MDI");
  b.Align = 100;
  b.Xcoord = 48;
  EXPECT_EQ(LayoutCaptionButton(b, 16, 14, g), (Rect{345, 33, 361, 47}));
  g.rightToLeft = true;
  EXPECT_EQ(LayoutCaptionButton(b, 16, 14, g), (Rect{54, 33, 70, 47}));
}

TEST(CaptionHitTest, FirstShownButtonWithAnActionInSkinOrder) {
  const std::vector<CaptionButtonBox> boxes = {
      {Rect{10, 0, 30, 20}, false, 0}, // hidden
      {Rect{10, 0, 30, 20}, true, -1}, // decoration without an action
      {Rect{10, 0, 30, 20}, true, 1},
      {Rect{10, 0, 30, 20}, true, 2}, // under the previous one: never hit
  };
  EXPECT_EQ(HitCaptionButton(boxes, Point{10, 0}), 2);
  EXPECT_EQ(HitCaptionButton(boxes, Point{29, 19}), 2);
  EXPECT_EQ(HitCaptionButton(boxes, Point{30, 10}), -1); // right edge is outside
  EXPECT_EQ(HitCaptionButton(boxes, Point{15, 20}), -1);
}

TEST(CaptionLayout, ButtonClipIsTheLargestLeftEdgeOfShownRightAlignedButtons) {
  const std::vector<CaptionButtonBox> boxes = {
      {Rect{366, 4, 387, 25}, true, 0},
      {Rect{306, 4, 327, 25}, true, 2},
      {Rect{380, 4, 390, 25}, false, 1}, // hidden
      {Rect{390, 4, 398, 25}, true, 40}, // not right-aligned
  };
  const std::vector<int> aligns = {1, 1, 1, 0};
  EXPECT_EQ(ButtonClip(boxes, aligns), 366);
  EXPECT_EQ(ButtonClip({}, {}), 0);
}

TEST(CaptionCells, WholeCaptionAndStateCells) {
  EXPECT_EQ(CaptionButtonCell(true, 4), 1);
  EXPECT_EQ(CaptionButtonCell(false, 4), 4);
  EXPECT_EQ(CaptionButtonCell(false, 3), 1);
  EXPECT_EQ(CaptionButtonStateCell(2, 0), 2);
  EXPECT_EQ(CaptionButtonStateCell(3, 0), 3);
  EXPECT_EQ(CaptionButtonStateCell(3, 100), 4);
  EXPECT_EQ(CaptionButtonStateCell(2, 100), 2);
}

TEST(CaptionCommands, ActionsMapToCommandsAndUnknownOnesGoToTheApplication) {
  const std::pair<int, CaptionCommand> cases[] = {
      {0, CaptionCommand::Close},           {1, CaptionCommand::ToggleMaximize},
      {22, CaptionCommand::ToggleMaximize}, {2, CaptionCommand::ToggleMinimize},
      {23, CaptionCommand::ToggleMinimize}, {3, CaptionCommand::SystemMenu},
      {11, CaptionCommand::SystemMenu},     {12, CaptionCommand::SystemMenu},
      {7, CaptionCommand::MdiMinimize},     {60, CaptionCommand::MdiMinimize},
      {8, CaptionCommand::MdiRestore},      {61, CaptionCommand::MdiRestore},
      {9, CaptionCommand::MdiClose},        {62, CaptionCommand::MdiClose},
      {40, CaptionCommand::Application},    {4, CaptionCommand::Application},
  };
  for (const auto& [action, command] : cases)
    EXPECT_EQ(CommandForAction(action), command) << action;
}

TEST(FrameRules, DoubleClickAndSystemMenuTiming) {
  EXPECT_EQ(DoubleClickCommand(ShowState::Maximized, true), FrameDoubleClick::Restore);
  EXPECT_EQ(DoubleClickCommand(ShowState::Minimized, false), FrameDoubleClick::Restore);
  EXPECT_EQ(DoubleClickCommand(ShowState::Normal, true), FrameDoubleClick::Maximize);
  EXPECT_EQ(DoubleClickCommand(ShowState::Normal, false), FrameDoubleClick::Nothing);
  EXPECT_TRUE(OpensSystemMenu(1000, 0, 500));
  EXPECT_FALSE(OpensSystemMenu(1000, 600, 500));
  EXPECT_FALSE(OpensSystemMenu(1100, 600, 500)); // exactly the double-click time
  // The tick count wrapped between the two clicks.
  EXPECT_FALSE(OpensSystemMenu(100, 0xFFFFFF00u, 500));
  EXPECT_TRUE(OpensSystemMenu(600, 0xFFFFFF00u, 500));
}

TEST(SystemPopup, ItemsFollowTheBoxesAndEnableByShowState) {
  auto tags = [](const std::vector<SystemPopupItem>& items) {
    std::vector<int> t;
    for (const auto& i : items)
      t.push_back(i.tag);
    return t;
  };
  EXPECT_EQ(tags(SystemPopupItems(true, true)), (std::vector<int>{0, 1, 2, 100, 3}));
  EXPECT_EQ(tags(SystemPopupItems(false, true)), (std::vector<int>{0, 2, 100, 3}));
  EXPECT_EQ(tags(SystemPopupItems(false, false)), (std::vector<int>{0, 100, 3}));
  const auto items = SystemPopupItems(true, true);
  EXPECT_EQ(items.back().caption, L" Close ");
  EXPECT_EQ(items.back().shortcut, L"Shift+F4");
  EXPECT_FALSE(SystemPopupItemEnabled(spRestore, ShowState::Normal));
  EXPECT_TRUE(SystemPopupItemEnabled(spRestore, ShowState::Maximized));
  EXPECT_FALSE(SystemPopupItemEnabled(spMaximize, ShowState::Maximized));
  EXPECT_TRUE(SystemPopupItemEnabled(spMaximize, ShowState::Minimized));
  EXPECT_FALSE(SystemPopupItemEnabled(spMinimize, ShowState::Minimized));
  EXPECT_TRUE(SystemPopupItemEnabled(spClose, ShowState::Minimized));
}

class TitlePlacement : public ::testing::Test {
protected:
  const Rect area{4, 0, 396, 30}; // between the side borders, caption height 30
  TitleLayout layout{30, 0, 104, 0, 3, 3};
  TitleWindow window;
};

TEST_F(TitlePlacement, LeftAlignedAfterTheShiftAndCentredVertically) {
  // Text 100 x 16; the backing adds 3 + 3.
  EXPECT_EQ(PlaceTitle(area, 100, 16, layout, window), (Rect{34, 7, 140, 23}));
  EXPECT_EQ(TitleTextRect(Rect{34, 7, 140, 23}, layout), (Rect{37, 7, 137, 23}));
}

TEST_F(TitlePlacement, CentredAndRightAlignedAndRightToLeft) {
  layout.alignment = 1;
  EXPECT_EQ(PlaceTitle(area, 100, 16, layout, window), (Rect{147, 7, 253, 23}));
  layout.alignment = 2;
  // area width 392 - clip 104 - box 106 = 182
  EXPECT_EQ(PlaceTitle(area, 100, 16, layout, window), (Rect{186, 7, 292, 23}));
  layout.alignment = 7;
  EXPECT_EQ(PlaceTitle(area, 100, 16, layout, window), (Rect{4, 7, 110, 23}));
  layout.alignment = 0;
  window.rightToLeft = true;
  EXPECT_EQ(PlaceTitle(area, 100, 16, layout, window), (Rect{186, 7, 292, 23}));
}

TEST_F(TitlePlacement, VerticalShiftIsHalvedTowardZero) {
  layout.textShiftVert = 5;
  EXPECT_EQ(PlaceTitle(area, 100, 16, layout, window).top, 9);
  layout.textShiftVert = -3;
  EXPECT_EQ(PlaceTitle(area, 100, 16, layout, window).top, 6);
  // An odd leftover height truncates too: (30 - 15) / 2 = 7.
  layout.textShiftVert = 0;
  EXPECT_EQ(PlaceTitle(area, 100, 15, layout, window).top, 7);
}

TEST_F(TitlePlacement, LongTitlesAreClippedBeforeTheButtons) {
  // Without WS_POPUP: at the area's right minus TextRightClip.
  EXPECT_EQ(PlaceTitle(area, 500, 16, layout, window).right, 396 - 104);
  // With WS_POPUP: 5 pixels before the button clip, when there is one.
  window.popupStyle = true;
  window.buttonClip = 300;
  EXPECT_EQ(PlaceTitle(area, 500, 16, layout, window).right, 295);
  window.buttonClip = 5; // too small to count
  EXPECT_EQ(PlaceTitle(area, 500, 16, layout, window).right, 34 + 506);
  // A short title is left alone.
  window.buttonClip = 300;
  EXPECT_EQ(PlaceTitle(area, 50, 16, layout, window).right, 34 + 56);
}

TEST_F(TitlePlacement, DialogsWithoutIconMoveTheTitleLeft) {
  window.dialogBorder = true;
  EXPECT_EQ(PlaceTitle(area, 100, 16, layout, window).left, 34 - 16);
  layout.alignment = 1;
  EXPECT_EQ(PlaceTitle(area, 100, 16, layout, window).left, 147);
}

} // namespace
} // namespace vela::skin
