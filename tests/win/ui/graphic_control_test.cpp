// Graphic controls: painted by their parent, mouse messages, capture and enter/leave routed by
// the parent.
#include "tests/win/ui/ui_test_util.h"
#include "ui/form.h"
#include "ui/speed_button.h"
#include "ui/std_controls.h"

#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

constexpr TColor kSwatch = 0x3050C0;
constexpr TColor kPanel = 0x20A020;

// Fills its own client rectangle and records the DCs it was given.
class TSwatch : public TGraphicControl {
public:
  explicit TSwatch(TComponent* owner) : TGraphicControl(owner) {}
  int paints = 0;

protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(kSwatch);
    Canvas()->FillRect(ClientRect());
  }
};

class GraphicControls : public ::testing::Test {
protected:
  void SetUp() override {
    Application->Initialize();
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 320, 240);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetColor(kPanel);
    panel->SetBounds(0, 0, 300, 150);
    swatch = new TSwatch(form);
    swatch->SetParent(panel);
    swatch->SetBounds(40, 30, 50, 20);
    button = new TSpeedButton(form);
    button->SetParent(panel);
    button->SetBounds(150, 40, 80, 32);
    button->SetCaption(L"Connect");
    button->OnClick = [this](TObject*) { ++clicks; };
    form->Show();
    UpdateWindow(form->Handle());
    PumpMessages();
  }
  void TearDown() override { delete form; }

  LRESULT Mouse(UINT msg, int x, int y, WPARAM keys = 0) {
    return SendMessageW(panel->Handle(), msg, keys, MAKELPARAM(x, y));
  }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TSwatch* swatch = nullptr;
  TSpeedButton* button = nullptr;
  int clicks = 0;
};

TEST_F(GraphicControls, ParentPaintsEachGraphicChildAtItsOwnPlace) {
  RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(panel->Handle());
  COLORREF inside = GetPixel(dc, 45, 35);
  COLORREF insideCorner = GetPixel(dc, 89, 49);
  COLORREF left = GetPixel(dc, 39, 35);
  COLORREF below = GetPixel(dc, 45, 50);
  ReleaseDC(panel->Handle(), dc);
  EXPECT_GT(swatch->paints, 0);
  EXPECT_EQ(inside, COLORREF(kSwatch));
  EXPECT_EQ(insideCorner, COLORREF(kSwatch));
  EXPECT_EQ(left, COLORREF(kPanel)); // clipped to its bounds
  EXPECT_EQ(below, COLORREF(kPanel));
}

TEST_F(GraphicControls, PaintMessageCarriesTheDcInWParam) {
  MessageRecorder rec(swatch, {WM_PAINT});
  RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_FALSE(rec.params.empty());
  EXPECT_NE(rec.params[0].WParam, 0u);
  // A hidden graphic control is not painted.
  rec.params.clear();
  swatch->Hide();
  RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_TRUE(rec.params.empty());
}

TEST_F(GraphicControls, MouseMessagesEnterAndLeaveAreRoutedToTheControlUnderTheMouse) {
  MessageRecorder rec(button, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, CM_MOUSEENTER, CM_MOUSELEAVE});
  Mouse(WM_MOUSEMOVE, 160, 50);
  Mouse(WM_LBUTTONDOWN, 161, 51, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 161, 51);
  Mouse(WM_MOUSEMOVE, 10, 10); // onto the panel itself
  const std::vector<UINT> expected = {CM_MOUSEENTER, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, CM_MOUSELEAVE};
  EXPECT_EQ(rec.seen, expected);
  // Coordinates are the control's own.
  ASSERT_GE(rec.params.size(), 3u);
  EXPECT_EQ(LOWORD(rec.params[2].LParam), 11);
  EXPECT_EQ(HIWORD(rec.params[2].LParam), 11);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Application->MouseControl(), panel);
}

TEST_F(GraphicControls, CapturedButtonGetsTheMouseOutsideAndReleaseThereDoesNotClick) {
  MessageRecorder rec(button, {WM_MOUSEMOVE, WM_LBUTTONUP});
  Mouse(WM_MOUSEMOVE, 160, 50);
  Mouse(WM_LBUTTONDOWN, 160, 50, MK_LBUTTON);
  EXPECT_TRUE(button->MouseCapture());
  EXPECT_EQ(button->State(), TButtonState::bsDown);
  Mouse(WM_MOUSEMOVE, 10, 140, MK_LBUTTON); // far outside, still the button's
  EXPECT_EQ(button->State(), TButtonState::bsUp);
  Mouse(WM_LBUTTONUP, 10, 140);
  EXPECT_EQ(rec.seen, (std::vector<UINT>{WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP}));
  EXPECT_FALSE(button->MouseCapture());
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button->MouseInControl());
}

TEST_F(GraphicControls, DisabledButtonIsNeitherEnteredNorClicked) {
  button->SetEnabled(false);
  MessageRecorder rec(button, {CM_MOUSEENTER, WM_LBUTTONDOWN});
  Mouse(WM_MOUSEMOVE, 160, 50);
  Mouse(WM_LBUTTONDOWN, 160, 50, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 160, 50);
  EXPECT_TRUE(rec.seen.empty());
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Application->MouseControl(), panel);
}

TEST_F(GraphicControls, GroupedSpeedButtonsStayDownOneAtATime) {
  auto* other = new TSpeedButton(form);
  other->SetParent(panel);
  other->SetBounds(240, 40, 40, 32);
  button->SetGroupIndex(1);
  other->SetGroupIndex(1);
  Mouse(WM_LBUTTONDOWN, 160, 50, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 160, 50);
  EXPECT_TRUE(button->Down());
  Mouse(WM_LBUTTONDOWN, 250, 50, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 250, 50);
  EXPECT_TRUE(other->Down());
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(GetEnumProp(button, "Down"), "False");
}

TEST_F(GraphicControls, DoubleBufferedParentPaintsTheSamePicture) {
  panel->SetDoubleBuffered(true);
  RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(panel->Handle());
  COLORREF inside = GetPixel(dc, 45, 35);
  COLORREF outside = GetPixel(dc, 39, 35);
  ReleaseDC(panel->Handle(), dc);
  EXPECT_EQ(inside, COLORREF(kSwatch));
  EXPECT_EQ(outside, COLORREF(kPanel));
}

TEST_F(GraphicControls, WindowedControlsGetEnterAndLeaveToo) {
  auto* edit = new TEdit(form);
  edit->SetParent(panel);
  edit->SetBounds(10, 100, 100, 21);
  MessageRecorder editRec(edit, {CM_MOUSEENTER, CM_MOUSELEAVE});
  MessageRecorder buttonRec(button, {CM_MOUSEENTER, CM_MOUSELEAVE});
  Mouse(WM_MOUSEMOVE, 160, 50); // the button
  SendMessageW(edit->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(buttonRec.seen, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
  EXPECT_EQ(editRec.seen, (std::vector<UINT>{CM_MOUSEENTER}));
  EXPECT_EQ(Application->MouseControl(), edit);
  // The system's report that the cursor left the window (TrackMouseEvent).
  SendMessageW(edit->Handle(), WM_MOUSELEAVE, 0, 0);
  ASSERT_EQ(editRec.seen.size(), 2u);
  EXPECT_EQ(editRec.seen.back(), CM_MOUSELEAVE);
  EXPECT_EQ(Application->MouseControl(), nullptr);
}

TEST(GlyphLayout, GlyphAndCaptionPlacedByLayoutMarginAndSpacing) {
  // 88 x 32 button, 32 x 32 glyph, 40 x 13 caption (the main window's "Connect" button).
  TGlyphLayout l = LayoutGlyphAndText({88, 32}, {32, 32}, {40, 13}, TButtonLayout::blGlyphLeft, -1, 4);
  EXPECT_EQ(l.glyph.x, (88 - 76 + 1) / 2);
  EXPECT_EQ(l.text.left, l.glyph.x + 32 + 4);
  EXPECT_EQ(l.text.top, (32 - 13 + 1) / 2);
  l = LayoutGlyphAndText({88, 32}, {32, 32}, {40, 13}, TButtonLayout::blGlyphRight, 2, 4);
  EXPECT_EQ(l.glyph.x, 88 - 2 - 32);
  EXPECT_EQ(l.text.right, l.glyph.x - 4);
  l = LayoutGlyphAndText({60, 60}, {16, 16}, {30, 13}, TButtonLayout::blGlyphTop, -1, -1);
  EXPECT_EQ(l.glyph.y, (60 - 29) / 3);
  EXPECT_EQ(l.text.top, l.glyph.y + 16 + (60 - 29) / 3);
  l = LayoutGlyphAndText({88, 32}, {0, 0}, {40, 13}, TButtonLayout::blGlyphLeft, -1, 4);
  EXPECT_EQ(l.text.left, (88 - 40 + 1) / 2); // no glyph: no spacing either
}

} // namespace
} // namespace vela::ui::test
