// The painted frame against the cells of the default skin: borders and caption active and
// inactive, a caption button hovered and pressed.
#include "tests/win/skin_frame/frame_fixture.h"

#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"

#include <sstream>

namespace vela::skin::test {
namespace {

// Compares `area` of the window capture, at (x, y), with the same-sized piece of `cell` of a
// strip; magenta pixels of the strip are transparent and not compared. Returns a description
// of the first mismatches, empty when all agree.
std::string CompareWithCell(const Bitmap& shot, int x, int y, const Bitmap& strip,
                            const Rect& cell) {
  std::ostringstream out;
  int mismatches = 0;
  for (int dy = 0; dy < cell.Height(); ++dy) {
    for (int dx = 0; dx < cell.Width(); ++dx) {
      const Pixel want = strip.At(cell.left + dx, cell.top + dy);
      if (want == kMagenta)
        continue;
      if (x + dx >= shot.Width() || y + dy >= shot.Height())
        continue;
      const Pixel got = shot.At(x + dx, y + dy);
      if (got != want && ++mismatches <= 3)
        out << "at (" << x + dx << ", " << y + dy << ") got " << std::hex << got << " want " << want
            << std::dec << "; ";
    }
  }
  if (mismatches)
    out << mismatches << " pixels differ";
  return out.str();
}

// Rows of the caption above the default skin's system-menu icon (Ycoord 7).
constexpr int kAboveIcon = 7;

class FramePixels : public SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    CreateForm();
    Skin();
  }
  // The default skin's close button: Align 1, Xcoord 34, Ycoord 4.
  Rect CloseButton() const {
    RECT r{};
    GetWindowRect(Window(), &r);
    const TDataSkinSysButton& close = *Elements().CaptionButtons.front();
    const int cw = close.Bitmap.Width() / close.FrameCount;
    const int x = (r.right - r.left) - close.Xcoord;
    return Rect{x, close.Ycoord, x + cw, close.Ycoord + close.Bitmap.Height()};
  }
  LPARAM CloseButtonPoint() const {
    RECT r{};
    GetWindowRect(Window(), &r);
    const Rect b = CloseButton();
    return MAKELPARAM(r.left + (b.left + b.right) / 2, r.top + (b.top + b.bottom) / 2);
  }
  void ExpectCell(const Bitmap& shot, int x, int y, const Bitmap& strip, const Rect& cell,
                  const char* what) {
    const std::string diff = CompareWithCell(shot, x, y, strip, cell);
    if (!diff.empty())
      SaveForInspection(shot, std::string("failed-") + what);
    EXPECT_EQ(diff, "") << what;
  }
};

TEST_F(FramePixels, ActiveFrameShowsTheFirstCellOfEveryBorder) {
  SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0);
  const Bitmap shot = CaptureWindow(Window());
  const TSkinElements& e = Elements();
  const int lw = e.Left.Bitmap.Width() / e.Left.FrameCount;
  // The left strip's top margin is copied one to one: the caption's left corner.
  ExpectCell(shot, 0, 0, e.Left.Bitmap, Rect{0, 0, lw, e.Left.TopHeight}, "active-left-corner");
  const int th = e.Top.Bitmap.Height() / e.Top.FrameCount;
  // The top strip's left margin follows the left border (above the system-menu icon).
  ExpectCell(shot, lw, 0, e.Top.Bitmap, Rect{0, 0, e.Top.LeftWidth, kAboveIcon}, "active-top-left");
  // Below the caption, the left strip's middle is stretched down: its rows repeat.
  ExpectCell(shot, 0, th, e.Left.Bitmap, Rect{0, e.Left.TopHeight, lw, e.Left.TopHeight + 1},
             "active-left-edge");
  const int rw = e.Right.Bitmap.Width() / e.Right.FrameCount;
  ExpectCell(shot, shot.Width() - rw, 0, e.Right.Bitmap, Rect{0, 0, rw, e.Right.TopHeight},
             "active-right-corner");
}

TEST_F(FramePixels, InactiveFrameShowsTheSecondCell) {
  SendMessageW(Window(), WM_NCACTIVATE, FALSE, 0);
  const Bitmap shot = CaptureWindow(Window());
  const TSkinElements& e = Elements();
  const int lw = e.Left.Bitmap.Width() / e.Left.FrameCount;
  ExpectCell(shot, 0, 0, e.Left.Bitmap, Rect{lw, 0, 2 * lw, e.Left.TopHeight},
             "inactive-left-corner");
  const int th = e.Top.Bitmap.Height() / e.Top.FrameCount;
  ExpectCell(shot, lw, 0, e.Top.Bitmap, Rect{0, th, e.Top.LeftWidth, th + kAboveIcon},
             "inactive-top-left");
  // The close button of an inactive window shows its fourth cell.
  const TDataSkinSysButton& close = *e.CaptionButtons.front();
  const int cw = close.Bitmap.Width() / close.FrameCount;
  const Rect b = CloseButton();
  ExpectCell(shot, b.left, b.top, close.Bitmap, Rect{3 * cw, 0, 4 * cw, close.Bitmap.Height()},
             "inactive-close");
  SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0);
  const Bitmap again = CaptureWindow(Window());
  ExpectCell(again, b.left, b.top, close.Bitmap, Rect{0, 0, cw, close.Bitmap.Height()},
             "active-close");
}

TEST_F(FramePixels, HoveredAndPressedCloseButtonShowTheirCells) {
  SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0);
  const TDataSkinSysButton& close = *Elements().CaptionButtons.front();
  const int cw = close.Bitmap.Width() / close.FrameCount;
  const Rect b = CloseButton();
  SendMessageW(Window(), WM_NCMOUSEMOVE, HTCAPTION, CloseButtonPoint());
  ExpectCell(CaptureWindow(Window()), b.left, b.top, close.Bitmap,
             Rect{2 * cw, 0, 3 * cw, close.Bitmap.Height()}, "hovered-close");
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTCAPTION, CloseButtonPoint());
  ExpectCell(CaptureWindow(Window()), b.left, b.top, close.Bitmap,
             Rect{cw, 0, 2 * cw, close.Bitmap.Height()}, "pressed-close");
}

TEST_F(FramePixels, AHotButtonTurnsNormalOnceTheCursorIsElsewhere) {
  SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0);
  SetCursorPos(2, 2); // far from the window: the hover check finds the cursor outside
  const TDataSkinSysButton& close = *Elements().CaptionButtons.front();
  const int cw = close.Bitmap.Width() / close.FrameCount;
  const Rect b = CloseButton();
  SendMessageW(Window(), WM_NCMOUSEMOVE, HTCAPTION, CloseButtonPoint());
  const Rect normal{0, 0, cw, close.Bitmap.Height()};
  ASSERT_NE(CompareWithCell(CaptureWindow(Window()), b.left, b.top, close.Bitmap, normal), "");
  // The 250 ms hover check repaints it in its normal cell.
  EXPECT_TRUE(PumpUntil([&] {
    return CompareWithCell(CaptureWindow(Window()), b.left, b.top, close.Bitmap, normal).empty();
  }));
}

TEST_F(FramePixels, TheTitleIsDrawnInTheCaptionInTheSkinsColour) {
  SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0);
  const Bitmap shot = CaptureWindow(Window());
  const Pixel text = PixelFromColorRef(std::uint32_t(Elements().Colours.TitleTextActive));
  const TSkinElements& e = Elements();
  const int top = e.Top.Bitmap.Height() / e.Top.FrameCount;
  const int from = e.Left.Bitmap.Width() / e.Left.FrameCount + e.Title.LeftWidth;
  int textPixels = 0;
  for (int y = 0; y < top; ++y)
    for (int x = from; x < from + 120; ++x)
      textPixels += shot.At(x, y) == text;
  if (textPixels == 0)
    SaveForInspection(shot, "failed-title");
  EXPECT_GT(textPixels, 20);
}

TEST_F(FramePixels, ALongTitleIsRepaintedWhenSetAndStopsShortOfTheButtons) {
  SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0);
  const Pixel text = PixelFromColorRef(std::uint32_t(Elements().Colours.TitleTextActive));
  const TSkinElements& e = Elements();
  const int top = e.Top.Bitmap.Height() / e.Top.FrameCount;
  const int right = e.Right.Bitmap.Width() / e.Right.FrameCount;
  auto inkRightOf = [&](const Bitmap& shot, int from, int to) {
    int ink = 0;
    for (int y = 0; y < top; ++y)
      for (int x = from; x < to; ++x)
        ink += shot.At(x, y) == text;
    return ink;
  };
  const Bitmap before = CaptureWindow(Window());
  const int clip =
      before.Width() - right - e.Title.RightWidth; // TextRightClip from the right border
  ASSERT_EQ(inkRightOf(before, clip - 60, clip), 0) << "the short title already reaches the clip";

  form->SetCaption(std::wstring(200, L'W'));
  const Bitmap after = CaptureWindow(Window());
  if (inkRightOf(after, clip - 60, clip) == 0)
    SaveForInspection(after, "failed-long-title");
  // The new text shows up to the clip (ending in an ellipsis), and nothing of it beyond.
  EXPECT_GT(inkRightOf(after, clip - 60, clip), 0);
  EXPECT_EQ(inkRightOf(after, clip, after.Width() - right), 0);
}

TEST_F(FramePixels, DoubleClickMaximisesShowsTheRestoreButtonAndRestoresTheClientArea) {
  RECT client{};
  GetClientRect(Window(), &client);
  RECT r{};
  GetWindowRect(Window(), &r);
  SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(r.left + 150, r.top + 12));
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(Window()) != FALSE; }));
  PumpMessages();
  SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0);
  // The default skin's restore button (BUTTON2: Visibility 1) takes the maximise button's place.
  const TDataSkinSysButton& restore = *Elements().CaptionButtons.at(2);
  ASSERT_EQ(restore.Visibility, 1);
  const int cw = restore.Bitmap.Width() / restore.FrameCount;
  const Bitmap shot = CaptureWindow(Window());
  ExpectCell(shot, shot.Width() - restore.Xcoord, restore.Ycoord, restore.Bitmap,
             Rect{0, 0, cw, restore.Bitmap.Height()}, "maximised-restore-button");

  GetWindowRect(Window(), &r);
  SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(r.left + 150, r.top + 12));
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(Window()); }));
  PumpMessages();
  RECT again{};
  GetClientRect(Window(), &again);
  EXPECT_EQ(again.right, client.right);
  EXPECT_EQ(again.bottom, client.bottom);
  EXPECT_EQ(GetWindowLongPtrW(Window(), GWL_STYLE) & WS_CAPTION, 0);
}

TEST_F(FramePixels, ReskinningKeepsTheClientAreaAndTheFrame) {
  RECT client{};
  GetClientRect(Window(), &client);
  SendMessageW(Window(), SKM_RESKIN, 0, 0);
  PumpMessages();
  RECT after{};
  GetClientRect(Window(), &after);
  EXPECT_EQ(after.right, client.right);
  EXPECT_EQ(after.bottom, client.bottom);
  EXPECT_EQ(Skinner()->LifeState(), 1);
  SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0);
  const TSkinElements& e = Elements();
  const int lw = e.Left.Bitmap.Width() / e.Left.FrameCount;
  ExpectCell(CaptureWindow(Window()), 0, 0, e.Left.Bitmap, Rect{0, 0, lw, e.Left.TopHeight},
             "reskinned-corner");
}

} // namespace
} // namespace vela::skin::test
