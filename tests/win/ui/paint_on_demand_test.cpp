// Painting a graphic control outside its parent's WM_PAINT, as skinners do for hover looks.
#include "tests/win/ui/ui_test_util.h"
#include "ui/bitmap.h"
#include "ui/form.h"
#include "ui/std_controls.h"

#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

constexpr TColor kPanel = 0x20A020;

// Paints a colour chosen by the test, so a new paint is told apart from an old one.
class TTile : public TGraphicControl {
public:
  explicit TTile(TComponent* owner) : TGraphicControl(owner) {}
  TColor colour = 0x3050C0;

protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(colour);
    Canvas()->FillRect(RECT{-10, -10, Width() + 10, Height() + 10}); // beyond its bounds on purpose
  }
};

class PaintOnDemand : public ::testing::Test {
protected:
  void SetUp() override {
    Application->Initialize();
    form = new TForm(nullptr);
    form->SetBounds(80, 80, 320, 220);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetColor(kPanel);
    panel->SetBounds(0, 0, 300, 150);
    tile = new TTile(form);
    tile->SetParent(panel);
    tile->SetBounds(40, 30, 50, 20);
    form->Show();
    RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages();
  }
  void TearDown() override { delete form; }

  COLORREF PanelPixel(int x, int y) {
    TWindowDC dc(panel->Handle());
    return GetPixel(dc.Handle(), x, y);
  }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TTile* tile = nullptr;
};

TEST_F(PaintOnDemand, PaintNowDrawsAtOnceAtTheControlsPlaceAndNowhereElse) {
  tile->colour = 0x0000C0;
  ASSERT_TRUE(tile->PaintNow());
  EXPECT_EQ(PanelPixel(40, 30), COLORREF(0x0000C0)) << "origin at the control's corner";
  EXPECT_EQ(PanelPixel(89, 49), COLORREF(0x0000C0));
  EXPECT_EQ(PanelPixel(39, 30), COLORREF(kPanel)) << "clipped to the control";
  EXPECT_EQ(PanelPixel(60, 50), COLORREF(kPanel));
  EXPECT_FALSE(tile->Canvas()->HandleAllocated()) << "the canvas is bound only while painting";
}

TEST_F(PaintOnDemand, PaintingGoesThroughWindowProcSoATakeoverCanDrawInstead) {
  MessageRecorder rec(tile, {WM_PAINT});
  tile->PaintNow();
  ASSERT_EQ(rec.seen.size(), 1u);
  EXPECT_NE(rec.params[0].WParam, 0u);
  rec.Detach();

  // A skinner replaces the painting: its own colour appears, the control's Paint is not run.
  TWndMethod saved = tile->WindowProc;
  tile->WindowProc = [&](TMessage& m) {
    if (m.Msg != WM_PAINT) return saved(m);
    HBRUSH brush = CreateSolidBrush(RGB(200, 10, 10));
    RECT r{0, 0, tile->Width(), tile->Height()};
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush);
    DeleteObject(brush);
  };
  tile->PaintNow();
  tile->WindowProc = saved;
  EXPECT_EQ(PanelPixel(45, 35), COLORREF(RGB(200, 10, 10)));
}

TEST_F(PaintOnDemand, PaintToDrawsIntoAnyDc) {
  TBitmap off;
  off.SetSize(50, 20);
  tile->colour = 0x00FF00;
  tile->PaintTo(off.Canvas()->Handle());
  EXPECT_EQ(off.View().At(0, 0), 0x00FF00u);
  EXPECT_EQ(off.View().At(49, 19), 0x00FF00u);
}

TEST_F(PaintOnDemand, NothingIsPaintedForAControlThatIsNotShowing) {
  MessageRecorder rec(tile, {WM_PAINT});
  tile->Hide();
  EXPECT_FALSE(tile->PaintNow());
  tile->Show();
  tile->SetParent(nullptr);
  EXPECT_FALSE(tile->PaintNow());
  EXPECT_TRUE(rec.seen.empty());
}

} // namespace
} // namespace vela::ui::test
