#include "skin/controls/panel_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace vela::skin {
namespace {

constexpr Pixel kFace = 0x00F1F3F6;
constexpr Pixel kEmpty = 0x00102030, kFull = 0x00405060, kEdge = 0x00708090;

// A 2-cell progress strip, each cell 6 x 4: a 1-pixel edge colour around, the middle the
// cell's colour; the top-left corner pixel of the empty cell is magenta.
struct ProgressStrip : TDataSkinObject {
  ProgressStrip();
};
ProgressStrip::ProgressStrip() : TDataSkinObject("Progress") {
  TDataSkinObject& e = *this;
  e.Bitmap.Resize(12, 4, kEdge);
  for (int cell = 0; cell < 2; ++cell)
    for (int y = 1; y < 3; ++y)
      for (int x = 1; x < 5; ++x)
        e.Bitmap.At(cell * 6 + x, y) = cell == 0 ? kEmpty : kFull;
  e.Bitmap.At(0, 0) = kMagenta;
  e.FrameCount = 2;
  e.SetMargins({1, 1, 1, 1});
  e.Trans = 1;
}

TEST(StatusPanelTest, PanelsWidenToMeetAndTheLastReachesTheRightEdge) {
  EXPECT_EQ(StatusPanelRect(Rect{0, 2, 350, 18}, false, 730), (Rect{0, 2, 352, 18}));
  // A last panel of width 0 (the update tool's third panel) still spans the rest of the bar.
  EXPECT_EQ(StatusPanelRect(Rect{700, 2, 700, 18}, true, 730), (Rect{700, 2, 730, 18}));
  EXPECT_EQ(StatusPanelCell(PanelBevel::Lowered), 1);
  EXPECT_EQ(StatusPanelCell(PanelBevel::Raised), 2);
  EXPECT_EQ(StatusPanelCell(PanelBevel::None), 3);
}

TEST(StatusPanelTest, RightToLeftPanelsSwapLeftAndRightOnly) {
  EXPECT_EQ(PanelTextAlign(PanelAlign::Left, true), PanelAlign::Right);
  EXPECT_EQ(PanelTextAlign(PanelAlign::Right, true), PanelAlign::Left);
  EXPECT_EQ(PanelTextAlign(PanelAlign::Center, true), PanelAlign::Center);
  EXPECT_EQ(PanelTextAlign(PanelAlign::Right, false), PanelAlign::Right);
}

TEST(StatusPanelTest, SizeGripEndsOnePixelInsideTheCorner) {
  EXPECT_EQ(SizeGripRect(200, 19, 12, 12), (Rect{187, 6, 199, 18}));
}

TEST(EditFrameTest, LooksFollowEnabledFocusAndHot) {
  using C = EditFrameColour;
  EXPECT_EQ(EditFrameFor(true, false, false), (EditFrame{C::Shadow, C::White}));
  EXPECT_EQ(EditFrameFor(true, true, false), (EditFrame{C::Hilight, C::White}));
  EXPECT_EQ(EditFrameFor(true, false, true), (EditFrame{C::Hilight, C::White}));
  // Disabled wins over focus and hot.
  EXPECT_EQ(EditFrameFor(false, true, true), (EditFrame{C::Shadow, C::Face}));
}

TEST(EditFrameTest, OnlyABorderAllRoundIsFramed) {
  EXPECT_TRUE(EditHasBorder(100, 21, 96, 17));
  EXPECT_FALSE(EditHasBorder(100, 21, 100, 17)) << "client as wide as the window";
  EXPECT_FALSE(EditHasBorder(100, 21, 96, 21)) << "client as high as the window";
  EXPECT_TRUE(EditPrintsFrame(100, 21, 96, 17));
  EXPECT_FALSE(EditPrintsFrame(100, 21, 98, 17)) << "a 1-pixel border is left alone";
  EXPECT_FALSE(EditPrintsFrame(100, 21, 96, 19));
}

TEST(ProgressTest, FilledWidthRoundsAndNeverDividesByZero) {
  EXPECT_EQ(ProgressFilledWidth(278, 0, 100), 0);
  EXPECT_EQ(ProgressFilledWidth(278, 100, 100), 278);
  EXPECT_EQ(ProgressFilledWidth(278, 50, 100), 139);
  EXPECT_EQ(ProgressFilledWidth(10, 1, 4), 3) << "2.5 rounds away from zero";
  EXPECT_EQ(ProgressFilledWidth(10, 1, 3), 3);
  EXPECT_EQ(ProgressFilledWidth(278, 5, 0), 0) << "a maximum of 0";
  EXPECT_EQ(ProgressFilledWidth(278, -5, 100), 0);
  // A firmware image near the buffer's size: the product exceeds 32 bits.
  EXPECT_EQ(ProgressFilledWidth(278, 1048577, 1048577), 278);
  EXPECT_EQ(ProgressFilledWidth(278, 1048577 / 2, 1048577), 139);
  EXPECT_EQ(ProgressFilledWidth(278, 200, 100), 278) << "never beyond the bar";
}

TEST(ProgressTest, SpanCountsFromTheMinimumAndFitsAnyRange) {
  const struct {
    int low, high, position, spanPosition, spanMaximum;
  } cases[] = {
      {0, 100, 30, 30, 100},
      {50, 150, 100, 50, 100},
      {-100, 100, 0, 100, 200},
      {50, 150, 10, 0, 100},   // below the range
      {50, 150, 400, 100, 100}, // above it
      {7, 7, 7, 0, 0},          // an empty range fills nothing
      {10, 5, 7, 0, 0},         // an inverted one neither
  };
  for (const auto& c : cases) {
    const ProgressSpan span = ProgressSpanOf(c.low, c.high, c.position);
    EXPECT_EQ(span.Position, c.spanPosition) << c.low << ".." << c.high << " at " << c.position;
    EXPECT_EQ(span.Maximum, c.spanMaximum) << c.low << ".." << c.high << " at " << c.position;
  }
  // The widest range overflows an int: it is halved, and the middle stays the middle.
  const ProgressSpan widest = ProgressSpanOf(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 0);
  EXPECT_GT(widest.Maximum, 0);
  EXPECT_EQ(ProgressFilledWidth(278, widest.Position, widest.Maximum), 139);
}

TEST(ProgressTest, EmptyCellAtZeroAndFilledCellAtMaximum) {
  const ProgressStrip e;
  ProgressState s{20, 8, 0, 100, false, kFace};
  Bitmap empty = ComposeProgress(s, e);
  ASSERT_EQ(empty.Width(), 20);
  ASSERT_EQ(empty.Height(), 8);
  EXPECT_EQ(empty.At(0, 0), kFace) << "magenta is transparent over the face colour";
  EXPECT_EQ(empty.At(10, 4), kEmpty);
  EXPECT_EQ(empty.At(19, 7), kEdge);

  s.Position = 100;
  Bitmap full = ComposeProgress(s, e);
  EXPECT_EQ(full.At(1, 1), kFull);
  EXPECT_EQ(full.At(18, 6), kFull);
  EXPECT_EQ(full.At(0, 0), kEdge) << "the filled cell has no transparent corner";

  s.Position = 50;
  Bitmap half = ComposeProgress(s, e);
  EXPECT_EQ(half.At(5, 4), kFull);
  EXPECT_EQ(half.At(9, 4), kEdge) << "the filled cell's right edge";
  EXPECT_EQ(half.At(14, 4), kEmpty);
}

TEST(ProgressTest, VerticalBarFillsFromTheBottom) {
  const ProgressStrip e;
  const ProgressState s{8, 20, 50, 100, true, kFace};
  Bitmap bar = ComposeProgress(s, e);
  ASSERT_EQ(bar.Width(), 8);
  ASSERT_EQ(bar.Height(), 20);
  EXPECT_EQ(bar.At(4, 15), kFull);
  EXPECT_EQ(bar.At(4, 5), kEmpty);
}

TEST(ProgressTest, NothingWithoutAnImageOrAnArea) {
  TDataSkinObject none("Progress");
  EXPECT_TRUE(ComposeProgress(ProgressState{20, 8, 1, 2, false, kFace}, none).Empty());
  EXPECT_TRUE(ComposeProgress(ProgressState{0, 8, 1, 2, false, kFace}, ProgressStrip()).Empty());
}

TEST(ProgressTest, ChunksRepeatFromTheLeftMarginOverTheFilledWidth) {
  TDataSkinBorder e("Progress");
  e.Bitmap.Resize(6, 10, kEdge);
  e.FrameCount = 2;
  e.SetMargins({2, 2, 2, 2});
  e.Style = 1;
  e.Bitmap2.Resize(3, 4, kFull);
  e.Bitmap2.At(2, 0) = kEmpty; // marks where each chunk ends
  Bitmap bar = ComposeChunkProgress(ProgressState{30, 10, 10, 20, false, kFace}, e);
  ASSERT_EQ(bar.Width(), 30);
  // 15 filled pixels: five chunks from x = 2, centred vertically ((10 - 4) / 2 = 3).
  EXPECT_EQ(bar.At(2, 3), kFull);
  EXPECT_EQ(bar.At(4, 3), kEmpty);
  EXPECT_EQ(bar.At(16, 3), kEmpty) << "the fifth chunk's end";
  EXPECT_EQ(bar.At(17, 3), kEdge) << "nothing past the filled width";
  EXPECT_EQ(bar.At(5, 2), kEdge);
  EXPECT_EQ(bar.At(5, 7), kEdge);
  // Position 0: the element alone.
  Bitmap none = ComposeChunkProgress(ProgressState{30, 10, 0, 20, false, kFace}, e);
  EXPECT_EQ(none.At(2, 3), kEdge);
}

TEST(TrackThumbTest, CellsByState) {
  EXPECT_EQ(TrackThumbCell(true, false, false), 2);
  EXPECT_EQ(TrackThumbCell(true, true, false), 3);
  EXPECT_EQ(TrackThumbCell(true, true, true), 4);
  EXPECT_EQ(TrackThumbCell(false, true, true), 5);
}

TEST(PanelGlyphStripTest, NineCellsFromTheCheckCells) {
  // Four 2-pixel cells, each its own colour.
  Bitmap check(8, 2);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 2; ++y)
      check.At(x, y) = Pixel(x / 2 + 1);
  const Bitmap strip = ComposeGlyphStrip(check, 4);
  ASSERT_EQ(strip.Width(), 18);
  ASSERT_EQ(strip.Height(), 2);
  const Pixel expected[9] = {1, 2, kMagenta, 1, 2, kMagenta, 3, 4, kMagenta};
  for (int target = 0; target < 9; ++target)
    EXPECT_EQ(strip.At(target * 2 + 1, 1), expected[target]) << "target " << target;
  // A fifth cell fills the grey targets.
  Bitmap five(10, 2, 5);
  EXPECT_EQ(ComposeGlyphStrip(five, 5).At(2 * 2, 0), 5u);
  EXPECT_TRUE(ComposeGlyphStrip(Bitmap(), 4).Empty());
  EXPECT_TRUE(ComposeGlyphStrip(check, 0).Empty());
}

} // namespace
} // namespace vela::skin
