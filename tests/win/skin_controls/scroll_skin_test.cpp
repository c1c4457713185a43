// Scroll-bar overlays of a memo and of a bare window, and the up-down skinner: the corner
// between two bars, a disabled bar, the looks of the up-down halves and their pixels.
#include "skin/controls/button_looks.h"
#include "skin/controls/skin_scrollbar.h"
#include "skin/controls/skin_up_down.h"
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/com_controls.h"
#include "ui/std_controls.h"

#include <commctrl.h>

#include <string>

namespace vela::skin::test {
namespace {

Pixel PixelOf(COLORREF c) {
  return MakePixel(GetRValue(c), GetGValue(c), GetBValue(c));
}

class ScrollSkinTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    CreateForm();
    memo = new ui::TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 10, 200, 120);
    memo->SetWordWrap(false);
    memo->SetScrollBars(ui::TScrollStyle::ssBoth);
    for (int i = 0; i < 40; ++i)
      memo->Lines()->Add(L"A line long enough to need the horizontal bar of the memo, number " + std::to_wstring(i));
  }

  TSkinScrollbar* MemoSkinner() const {
    return dynamic_cast<TSkinScrollbar*>(Skinner()->FindControlSkinner(memo->Handle()));
  }
  bool BothShown() const {
    const TScrollOverlays& o = MemoSkinner()->Overlays();
    return o.Horizontal()->Shown() && o.Vertical()->Shown();
  }

  ui::TMemo* memo = nullptr;
};

SCROLLBARINFO NativeBar(HWND window, LONG which) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  GetScrollBarInfo(window, which, &info);
  return info;
}

TEST_F(ScrollSkinTest, BothBarsOfAMemoAreCoveredAndTheCornerTakesTheSkinFace) {
  Skin();
  ASSERT_NE(MemoSkinner(), nullptr) << "the memo has no scroll-bar skinner";
  ASSERT_TRUE(PumpUntil([&] { return BothShown(); }));
  const Pixel face = PixelOf(ui::ColorToRGB(Elements().Colours.ButtonFace));
  ASSERT_NE(face, PixelOf(GetSysColor(COLOR_BTNFACE))) << "the corner would look the same natively";

  RedrawWindow(memo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  PumpMessages();
  const RECT v = NativeBar(memo->Handle(), OBJID_VSCROLL).rcScrollBar;
  const RECT h = NativeBar(memo->Handle(), OBJID_HSCROLL).rcScrollBar;
  RECT window{};
  GetWindowRect(memo->Handle(), &window);
  const Bitmap shot = CaptureWindow(memo->Handle());

  // The square right of the horizontal bar and below the vertical one (the system may let the
  // two bars' rectangles overlap by a pixel, Wine does).
  ASSERT_LT(h.right, v.right);
  ASSERT_LT(v.bottom, h.bottom);
  for (int y = v.bottom; y < h.bottom; ++y)
    for (int x = h.right; x < v.right; ++x)
      ASSERT_EQ(shot.At(x - window.left, y - window.top), face) << "corner pixel " << x - h.right << "," << y - v.bottom;
}

TEST_F(ScrollSkinTest, ADisabledBarShowsTheDisabledTrackAndNoThumb) {
  // A memo with nothing to scroll keeps its vertical bar, disabled.
  auto* quiet = new ui::TMemo(form);
  quiet->SetParent(form);
  quiet->SetBounds(220, 10, 120, 120);
  quiet->SetScrollBars(ui::TScrollStyle::ssVertical);
  quiet->Lines()->Add(L"short");
  Skin();
  auto* skinner = dynamic_cast<TSkinScrollbar*>(Skinner()->FindControlSkinner(quiet->Handle()));
  ASSERT_NE(skinner, nullptr);
  TWScrollbar* vertical = skinner->Overlays().Vertical();
  ASSERT_TRUE(PumpUntil([&] { return vertical->Shown(); }));
  ASSERT_NE(NativeBar(quiet->Handle(), OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_UNAVAILABLE, 0u)
      << "the system does not report the bar disabled";
  RedrawWindow(vertical->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(vertical->PaintedCells().Track, 3);
  EXPECT_FALSE(vertical->PaintedWithThumb());

  for (int i = 0; i < 40; ++i)
    quiet->Lines()->Add(L"line");
  ASSERT_TRUE(PumpUntil([&] {
    RedrawWindow(vertical->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return vertical->PaintedWithThumb();
  })) << "the enabled bar shows no thumb";
  EXPECT_EQ(vertical->PaintedCells().Track, 1);
}

// ---- a bare window's bars

TEST_F(ScrollSkinTest, ABareWindowsBarsAreCoveredAndGivenBack) {
  Skin();
  HWND host = CreateWindowExW(0, L"STATIC", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 240, 200,
                              nullptr, nullptr, nullptr, nullptr);
  HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 150,
                             100, host, nullptr, nullptr, nullptr);
  for (int i = 0; i < 50; ++i)
    SendMessageW(box, LB_ADDSTRING, 0, LPARAM((L"item " + std::to_wstring(i)).c_str()));
  const LONG_PTR procedure = GetWindowLongPtrW(box, GWLP_WNDPROC);

  auto* skinner = new TSkinScrollbarH(nullptr);
  skinner->AttachHandle(box, Skinner(), nullptr);
  TWScrollbar* vertical = skinner->Overlays().Vertical();
  ASSERT_TRUE(PumpUntil([&] { return vertical->Shown(); }));
  EXPECT_EQ(GetParent(vertical->Handle()), host);
  RECT r{};
  GetWindowRect(vertical->Handle(), &r);
  const RECT bar = NativeBar(box, OBJID_VSCROLL).rcScrollBar;
  EXPECT_TRUE(EqualRect(&r, &bar));
  EXPECT_FALSE(skinner->Overlays().Horizontal()->Shown()) << "the box has no horizontal bar";

  // The bar follows the box's own scrolling.
  SendMessageW(box, WM_VSCROLL, SB_PAGEDOWN, 0);
  UpdateWindow(vertical->Handle());
  const SCROLLBARINFO moved = NativeBar(box, OBJID_VSCROLL);
  EXPECT_EQ(vertical->PaintedThumb(), (ThumbSpan{moved.xyThumbTop, moved.xyThumbBottom}));

  HWND overlay = vertical->Handle();
  skinner->Unskin();
  delete skinner;
  EXPECT_FALSE(IsWindow(overlay));
  EXPECT_EQ(GetWindowLongPtrW(box, GWLP_WNDPROC), procedure);
  DestroyWindow(host);
}

TEST_F(ScrollSkinTest, AClassMapContainerGivesItsScrollingChildrenOverlays) {
  // The panel's class is mapped to skin only its scrolling children; the memo inside it is
  // kept from every other rule.
  data->Skin3rd()->Insert(0, L"TPanel=embedscrollbar");
  data->Skin3rd()->Insert(0, L"TMemo=nil");
  auto* panel = new ui::TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(220, 10, 130, 150);
  auto* inner = new ui::TMemo(form);
  inner->SetParent(panel);
  inner->SetBounds(5, 5, 110, 100);
  inner->SetScrollBars(ui::TScrollStyle::ssVertical);
  Skin();
  EXPECT_EQ(Skinner()->FindControlSkinner(panel->Handle()), nullptr) << "the panel itself stays as it is";
  EXPECT_NE(dynamic_cast<TSkinScrollbar*>(Skinner()->FindControlSkinner(inner->Handle())), nullptr);
  EXPECT_EQ(Skinner()->FindControlSkinner(memo->Handle()), nullptr) << "the class map keeps memos native";
}

TEST_F(ScrollSkinTest, AWindowWithoutAParentKeepsItsNativeBars) {
  Skin();
  HWND popup = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 500, 100, 150,
                               100, nullptr, nullptr, nullptr, nullptr);
  for (int i = 0; i < 50; ++i)
    SendMessageW(popup, LB_ADDSTRING, 0, LPARAM(L"item"));
  auto* skinner = new TSkinScrollbarH(nullptr);
  skinner->AttachHandle(popup, Skinner(), nullptr);
  ASSERT_TRUE(skinner->Attached());
  RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  PumpMessages();
  EXPECT_FALSE(skinner->Overlays().Vertical()->Shown()) << "no sibling window to cover the bar with";
  EXPECT_FALSE(skinner->Overlays().Vertical()->HandleAllocated());
  delete skinner;
  DestroyWindow(popup);
}

// ---- a stand-alone scroll bar control

// Moves the control's position the way an application answers its scroll messages.
LRESULT CALLBACK ScrollHostProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_VSCROLL && lParam) {
    auto bar = reinterpret_cast<HWND>(lParam);
    const int pos = GetScrollPos(bar, SB_CTL);
    if (LOWORD(wParam) == SB_LINEDOWN)
      SetScrollPos(bar, SB_CTL, pos + 1, TRUE);
    else if (LOWORD(wParam) == SB_PAGEDOWN)
      SetScrollPos(bar, SB_CTL, pos + 10, TRUE);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

TEST_F(ScrollSkinTest, AScrollBarControlIsCoveredWhole) {
  Skin();
  WNDCLASSW wc{};
  wc.lpfnWndProc = ScrollHostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VelaScrollHost";
  RegisterClassW(&wc);
  HWND host = CreateWindowExW(0, L"VelaScrollHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 200,
                              240, nullptr, nullptr, wc.hInstance, nullptr);
  HWND bar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 20, 10, 17, 150, host,
                             nullptr, wc.hInstance, nullptr);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 20, 0, 0};
  SetScrollInfo(bar, SB_CTL, &info, TRUE);

  auto* skinner = new TSkinScControl(nullptr);
  skinner->AttachHandle(bar, Skinner(), nullptr);
  TWScrollbar* overlay = skinner->Overlay();
  ASSERT_NE(overlay, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return overlay->Shown(); }));
  EXPECT_TRUE(overlay->Vertical()) << "the orientation comes from the window style";
  RECT over{}, client{};
  GetWindowRect(overlay->Handle(), &over);
  GetClientRect(bar, &client);
  MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_TRUE(EqualRect(&over, &client));

  // A press on the lower arrow is a press on the control, whose scroll loop ends at the
  // release posted first.
  PostMessageW(bar, WM_LBUTTONUP, 0, 0);
  SendMessageW(overlay->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 145));
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 1);
  EXPECT_EQ(overlay->PressedPart(), int(ScrollPart::LineDown));

  // The thumb follows the control's position.
  SetScrollPos(bar, SB_CTL, 50, TRUE);
  RedrawWindow(overlay->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  EXPECT_EQ(overlay->PaintedThumb(), ThumbFor(ScrollState{0, 100, 20, 50, 0}, 50, 150, arrow));

  skinner->Unskin();
  delete skinner;
  DestroyWindow(host);
}

// ---- up-down

class UpDownSkinTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    CreateForm();
    upDown = new ui::TUpDown(form);
    upDown->SetParent(form);
  }
  TSkinUpDown* UpDownSkinner() const {
    return dynamic_cast<TSkinUpDown*>(Skinner()->FindControlSkinner(upDown->Handle()));
  }
  // Moves the cursor over a client point of the up-down and tells the control.
  void Point(UINT msg, int x, int y) {
    POINT p{x, y};
    ClientToScreen(upDown->Handle(), &p);
    SetCursorPos(p.x, p.y);
    // The system may take a moment to report the cursor where it was put.
    ASSERT_TRUE(PumpUntil([&] {
      POINT at{};
      GetCursorPos(&at);
      return at.x == p.x && at.y == p.y;
    }));
    SendMessageW(upDown->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    UpdateWindow(upDown->Handle());
  }
  std::array<int, 2> Looks() const { return UpDownSkinner()->HalfLooks(); }
  // The halves' looks once the cursor has settled where the test put it: the system may
  // report a cursor it was asked to move elsewhere a moment before, so the up-down repaints
  // until the looks are the expected ones or the wait runs out.
  std::array<int, 2> SettledLooks(std::array<int, 2> expected) {
    PumpUntil([&] {
      RedrawWindow(upDown->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      return Looks() == expected;
    });
    return Looks();
  }

  ui::TUpDown* upDown = nullptr;
};

constexpr std::array<int, 2> kLooks(int first, int second) {
  return {first, second};
}

TEST_F(UpDownSkinTest, PressAndHoverGoToTheHalfUnderTheCursor) {
  upDown->SetBounds(300, 10, 17, 30);
  Skin();
  ASSERT_NE(UpDownSkinner(), nullptr);
  Point(WM_MOUSEMOVE, 8, 22);
  EXPECT_EQ(SettledLooks(kLooks(1, 4)), kLooks(1, 4)) << "hot lower half";
  Point(WM_LBUTTONDOWN, 8, 22);
  EXPECT_EQ(SettledLooks(kLooks(1, 2)), kLooks(1, 2)) << "pressed lower half only";
  Point(WM_LBUTTONUP, 8, 22);
  EXPECT_EQ(SettledLooks(kLooks(1, 4)), kLooks(1, 4));
  Point(WM_MOUSEMOVE, 8, 4);
  EXPECT_EQ(SettledLooks(kLooks(4, 1)), kLooks(4, 1)) << "hot upper half";
  SendMessageW(upDown->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(SettledLooks(kLooks(1, 1)), kLooks(1, 1));
  upDown->SetEnabled(false);
  UpdateWindow(upDown->Handle());
  EXPECT_EQ(SettledLooks(kLooks(3, 3)), kLooks(3, 3));
}

TEST_F(UpDownSkinTest, AHorizontalUpDownSplitsSideBySide) {
  upDown->SetOrientation(ui::TUDOrientation::udHorizontal);
  upDown->SetBounds(300, 10, 40, 16);
  Skin();
  Point(WM_LBUTTONDOWN, 30, 8);
  EXPECT_EQ(SettledLooks(kLooks(1, 2)), kLooks(1, 2)) << "pressed right half only";
  Point(WM_LBUTTONUP, 30, 8);
  Point(WM_MOUSEMOVE, 5, 8);
  EXPECT_EQ(SettledLooks(kLooks(4, 1)), kLooks(4, 1)) << "hot left half";
}

TEST_F(UpDownSkinTest, AnEditsArrowsAreDrawnOnePixelIn) {
  Skin();
  HWND arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 300, 60, 20, 30, form->Handle(),
                                nullptr, nullptr, nullptr);
  ASSERT_NE(arrows, nullptr);
  auto* skinner = new TSkinUpDown(nullptr);
  skinner->SetBuddy(true);
  skinner->AttachHandle(arrows, Skinner(), nullptr);
  RedrawWindow(arrows, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Bitmap shot = CaptureWindow(arrows);
  const Pixel face = PixelOf(ui::ColorToRGB(Elements().Colours.ButtonFace));
  const int w = shot.Width(), h = shot.Height();
  ASSERT_GT(w, 4);
  ASSERT_GT(h, 4);
  for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, 0}, {0, h / 2}})
    EXPECT_EQ(shot.At(x, y), face) << "at " << x << "," << y;
  // The halves meet at the middle of the shrunk rectangle: the lower cell starts at its row.
  const TDataSkinBorder& element = *Elements().UpDownVert;
  const Pixel lowerCorner = element.Bitmap.View().At(4 * element.CellWidth(), 0) & 0xFFFFFF;
  if (lowerCorner != kMagenta) {
    EXPECT_EQ(shot.At(1, 1 + (h - 2) / 2), lowerCorner);
  }
  delete skinner;
  DestroyWindow(arrows);
}

TEST_F(UpDownSkinTest, HalvesAreTheElementCellsWithTheirGlyphs) {
  const TDataSkinBorder& element = *Elements().UpDownVert;
  const int cells = element.FrameCount;
  const int cw = element.CellWidth(), ch = element.Bitmap.Height();
  // Halves of exactly one cell each are drawn unscaled, so the pixels can be compared one to one.
  upDown->SetBounds(300, 10, cw, 2 * ch);
  Skin();
  Point(WM_LBUTTONDOWN, cw / 2, ch + ch / 2);
  ASSERT_EQ(SettledLooks(kLooks(1, 2)), kLooks(1, 2));
  const Bitmap shot = CaptureWindow(upDown->Handle());
  Point(WM_LBUTTONUP, cw / 2, ch + ch / 2);

  const Raster strip = element.Bitmap.View();
  const Raster glyphs = element.Bitmap2.View();
  const int gw = glyphs.width / cells, gh = glyphs.height;
  const Pixel face = PixelOf(ui::ColorToRGB(Elements().Colours.ButtonFace));
  int compared = 0;
  for (int half = 0; half < 2; ++half) {
    const int cell = UpDownCell(half == 0 ? Look::Normal : Look::Pressed, half == 1) - 1;
    for (int y = 0; y < ch; ++y)
      for (int x = 0; x < cw; ++x) {
        Pixel expected = strip.At(cell * cw + x, y) & 0xFFFFFF;
        if (expected == kMagenta)
          expected = face;
        const int gx = x - (cw - gw) / 2, gy = y - (ch - gh) / 2;
        if (gx >= 0 && gx < gw && gy >= 0 && gy < gh) {
          const Pixel glyph = glyphs.At(cell * gw + gx, gy) & 0xFFFFFF;
          if (glyph != kMagenta)
            expected = glyph;
        }
        ASSERT_EQ(shot.At(x, half * ch + y), expected) << "half " << half << " at " << x << "," << y;
        ++compared;
      }
  }
  EXPECT_EQ(compared, 2 * cw * ch);
}

} // namespace
} // namespace vela::skin::test
