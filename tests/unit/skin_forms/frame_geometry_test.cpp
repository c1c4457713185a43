#include "skin/forms/frame_geometry.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

void Shape(TDataSkinBorder& b, int width, int height, int frames) {
  b.Bitmap.Resize(width, height);
  b.FrameCount = frames;
}

struct Borders {
  TDataSkinBorder left{"Left"}, top{"Top"}, right{"Right"}, bottom{"Bottom"};
  FrameWidths Widths(BorderKind kind) const {
    return FrameWidthsFromBorders(left, top, right, bottom, kind);
  }
};

TEST(FrameWidths, SideStripsDivideTheirWidthAndTopAndBottomTheirHeight) {
  Borders b;
  Shape(b.left, 8, 100, 2);   // two cells side by side: 4 wide
  Shape(b.top, 60, 60, 2);    // two cells stacked: 30 high
  Shape(b.right, 12, 100, 3); // 4 wide
  Shape(b.bottom, 50, 10, 2); // 5 high
  EXPECT_EQ(b.Widths(BorderKind::Sizeable), (FrameWidths{4, 30, 4, 5}));
  EXPECT_EQ(b.Widths(BorderKind::Dialog), (FrameWidths{4, 30, 4, 5}));
  // A window without a border has no frame at all, whatever the skin.
  EXPECT_EQ(b.Widths(BorderKind::None), (FrameWidths{}));
}

TEST(FrameWidths, ABrokenCellCountReadsAsOneCellAndAMissingImageAsNoBorder) {
  Borders b;
  Shape(b.left, 8, 100, 0);
  Shape(b.top, 60, 30, -1);
  b.right.FrameCount = 2; // no image
  Shape(b.bottom, 50, 10, 1);
  EXPECT_EQ(b.Widths(BorderKind::Single), (FrameWidths{8, 30, 0, 10}));
}

struct BorderCase {
  std::uint32_t style, exStyle;
  bool dialogClass;
  BorderKind expected;
};

TEST(ClassifyBorder, FollowsTheStyleInOrderAndDialogsWinLast) {
  using namespace wstyle;
  const BorderCase cases[] = {
      {kCaption | kSysMenu, 0, false, BorderKind::Single},
      {kCaption | kThickFrame, 0, false, BorderKind::Sizeable},
      {kCaption | kDsModalFrame, 0, false, BorderKind::Dialog},
      {kCaption | kThickFrame | kDsModalFrame, 0, false, BorderKind::Sizeable},
      {kPopup | kThickFrame, 0, false, BorderKind::None}, // popup without caption
      {kPopup | 0x00800000 /* border only */, 0, false, BorderKind::None},
      {kPopup | kCaption | kThickFrame, 0, false, BorderKind::Sizeable},
      {kPopup, kExDlgModalFrame, false, BorderKind::Dialog}, // extended style forces it
      {kCaption | kThickFrame, 0, true, BorderKind::Dialog}, // "#32770" whatever the style
      {kPopup, 0, true, BorderKind::Dialog},
  };
  for (const BorderCase& c : cases)
    EXPECT_EQ(ClassifyBorder(c.style, c.exStyle, c.dialogClass), c.expected) << std::hex << c.style;
}

TEST(CaptionFlags, ComeFromTheBoxesAndTheSystemMenu) {
  using namespace wstyle;
  EXPECT_EQ(CaptionFlagsFromStyle(kSysMenu | kMinimizeBox | kMaximizeBox, false),
            unsigned(cfSystemMenu | cfMinimizeBox | cfMaximizeBox));
  EXPECT_EQ(CaptionFlagsFromStyle(kMinimizeBox, true), unsigned(cfSystemMenu | cfMinimizeBox));
  EXPECT_EQ(CaptionFlagsFromStyle(kCaption, false), 0u);
}

TEST(CaptionStyle, StripsTheCaptionAndPutsBackExactlyWhatItTook) {
  using namespace wstyle;
  const std::uint32_t original = kCaption | kSysMenu | kMinimizeBox | kThickFrame;
  unsigned flags = CaptionFlagsFromStyle(original, false);
  const std::uint32_t stripped = CaptionStyle(original, false, flags, false);
  EXPECT_EQ(stripped, original & ~kCaption);
  EXPECT_TRUE(flags & cfCaptionRemoved);
  EXPECT_EQ(CaptionStyle(stripped, true, flags, false), original);
  // No maximise box was there, so none comes back.
  EXPECT_EQ(CaptionStyle(stripped, true, flags, false) & kMaximizeBox, 0u);
}

TEST(CaptionStyle, AnOwnedWindowKeepsItsCaptionAndLosesOnlyItsButtons) {
  using namespace wstyle;
  const std::uint32_t original = kCaption | kSysMenu | kMinimizeBox | kMaximizeBox;
  unsigned flags = CaptionFlagsFromStyle(original, false);
  const std::uint32_t stripped = CaptionStyle(original, false, flags, true);
  EXPECT_EQ(stripped, kCaption);
  EXPECT_FALSE(flags & cfCaptionRemoved);
  EXPECT_EQ(CaptionStyle(stripped, true, flags, true), original);
}

TEST(ShowState, FromPlacementAndFromSizeMessages) {
  EXPECT_EQ(ShowStateFromShowCmd(1), ShowState::Normal);
  EXPECT_EQ(ShowStateFromShowCmd(3), ShowState::Maximized);
  for (unsigned cmd : {2u, 6u, 7u})
    EXPECT_EQ(ShowStateFromShowCmd(cmd), ShowState::Minimized);
  EXPECT_EQ(ShowStateFromSizeType(0, ShowState::Maximized), ShowState::Normal);
  EXPECT_EQ(ShowStateFromSizeType(1, ShowState::Normal), ShowState::Minimized);
  EXPECT_EQ(ShowStateFromSizeType(2, ShowState::Normal), ShowState::Maximized);
  // SIZE_MAXSHOW and SIZE_MAXHIDE concern other windows.
  EXPECT_EQ(ShowStateFromSizeType(3, ShowState::Maximized), ShowState::Maximized);
}

TEST(ClientArea, LiesInsideTheSkinFrameAndBelowTheMenuBar) {
  const FrameWidths f{4, 30, 5, 6};
  EXPECT_EQ(SkinClientRect(Rect{100, 50, 500, 350}, f, 0), (Rect{104, 80, 495, 344}));
  EXPECT_EQ(SkinClientRect(Rect{100, 50, 500, 350}, f, 19), (Rect{104, 99, 495, 344}));
  EXPECT_EQ(SkinWindowSize(Size{391, 264}, f, 0), (Size{400, 300}));
  EXPECT_EQ(SkinWindowSize(Size{391, 245}, f, 19), (Size{400, 300}));
}

TEST(ClientArea, UnskinningGivesBackTheSameClientSizeInTheSystemFrame) {
  const FrameWidths skin{4, 30, 5, 6};
  const Size systemFrame{16, 39}; // window minus client at attach
  const Size client{391, 264};
  const Size skinned = SkinWindowSize(client, skin, 0);
  const Size restored = SystemWindowSize(skinned, skin, 0, systemFrame);
  EXPECT_EQ(restored, (Size{client.cx + 16, client.cy + 39}));
}

struct HitCase {
  int previous;
  Point point;
  int expected;
};

TEST(SkinHitTest, OverridesOnlyNowhereAndCaption) {
  const int top = 30;
  const HitCase cases[] = {
      {hittest::kNowhere, {50, 2}, hittest::kNowhere}, // the top rows stay
      {hittest::kNowhere, {50, 3}, hittest::kNowhere},
      {hittest::kNowhere, {50, 4}, hittest::kCaption},
      {hittest::kCaption, {50, 30}, hittest::kCaption}, // last caption row
      {hittest::kNowhere, {50, 31}, hittest::kMenu},    // below the caption
      {hittest::kCaption, {50, 2}, hittest::kCaption},
      {1 /* client */, {50, 10}, 1},
      {12 /* top border */, {50, 10}, 12},
      {20 /* close */, {50, 10}, 20},
  };
  for (const HitCase& c : cases)
    EXPECT_EQ(SkinHitTest(c.previous, c.point, top), c.expected)
        << c.previous << " at y " << c.point.y;
}

TEST(ClientToFrame, MovesByTheLeftBorderAndTheCaptionUnlessMinimised) {
  const FrameWidths f{4, 30, 5, 6};
  EXPECT_EQ(ClientToFrame(Point{-4, -30}, f, 0, false), (Point{0, 0}));
  EXPECT_EQ(ClientToFrame(Point{10, -5}, f, 19, false), (Point{14, 44}));
  EXPECT_EQ(ClientToFrame(Point{10, -5}, f, 19, true), (Point{10, -5}));
}

TEST(BorderCell, InactiveWindowsShowTheSecondCellWhenThereIsOne) {
  EXPECT_EQ(BorderCell(true, 2), 1);
  EXPECT_EQ(BorderCell(false, 2), 2);
  EXPECT_EQ(BorderCell(false, 1), 1);
  EXPECT_EQ(BorderCell(false, 0), 1);
}

TEST(WidenForTitle, WidensOnlyWhenTheTitleDoesNotFitAndCentresTheControls) {
  EXPECT_EQ(WidenForTitle(300, 30, 150, 104).width, 300);
  EXPECT_EQ(WidenForTitle(300, 30, 150, 104).shift, 0);
  const DialogWidening w = WidenForTitle(200, 30, 150, 104);
  EXPECT_EQ(w.width, 284);
  EXPECT_EQ(w.shift, 42);
}

} // namespace
} // namespace vela::skin
