// A report-style list view of a skinned form: its scroll-bar overlays coming and going with the
// native bars, following the window and passing presses on to the native scroll loop, its
// header painted from the skin, and everything given back on unskinning.
#include "skin/controls/skin_list_view.h"
#include "skin/controls/skin_messages.h"
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/list_view.h"

#include <commctrl.h>

#include <string>

namespace vela::skin::test {
namespace {

class ListViewSkinTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    CreateForm();
    list = new ui::TListView(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 240, 120);
    list->SetViewStyle(ui::TViewStyle::vsReport);
    list->SetCheckboxes(true);
    for (const wchar_t* caption : {L"Device", L"Card"}) {
      ui::TListColumn* column = list->Columns()->Add();
      column->SetCaption(caption);
      column->SetWidth(80);
    }
    AddRows(2);
  }

  void AddRows(int count) {
    for (int i = 0; i < count; ++i) {
      ui::TListItem* row = list->Items()->Add();
      row->SetCaption(L"Row " + std::to_wstring(list->Items()->Count()));
      row->SubItems()->Add(L"Card");
    }
  }

  TSkinListView* ListSkinner() const {
    return dynamic_cast<TSkinListView*>(Skinner()->FindControlSkinner(list->Handle()));
  }
  TWScrollbar* Vertical() const { return ListSkinner()->Overlays().Vertical(); }

  static SCROLLBARINFO NativeBar(HWND window, LONG which) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(window, which, &info);
    return info;
  }
  static RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
  // True once the overlay lies visibly over the native vertical bar.
  bool OverlayCoversVerticalBar() const {
    const SCROLLBARINFO bar = NativeBar(list->Handle(), OBJID_VSCROLL);
    const RECT r = ScreenRect(Vertical()->Handle());
    return Vertical()->Shown() && IsWindowVisible(Vertical()->Handle()) && EqualRect(&r, &bar.rcScrollBar);
  }
  void OverflowAndWait() {
    AddRows(40);
    ASSERT_TRUE(PumpUntil([&] { return OverlayCoversVerticalBar(); })) << "no overlay over the new bar";
  }

  ui::TListView* list = nullptr;
};

TEST_F(ListViewSkinTest, TheOverlayComesWithTheNativeBarAndFollowsTheWindow) {
  Skin();
  ASSERT_NE(ListSkinner(), nullptr);
  ASSERT_NE(ListSkinner()->Header(), nullptr) << "the header has no skinner";
  EXPECT_EQ(ListSkinner()->Header()->Handle(), HWND(SendMessageW(list->Handle(), LVM_GETHEADER, 0, 0)));
  // The rows fit: no native bar, no overlay.
  EXPECT_FALSE(Vertical()->Shown());
  EXPECT_FALSE(IsWindowVisible(Vertical()->Handle()));

  OverflowAndWait();
  EXPECT_EQ(GetParent(Vertical()->Handle()), form->Handle()) << "the overlay is the list's sibling";
  bool above = false;
  for (HWND w = GetWindow(Vertical()->Handle(), GW_HWNDNEXT); w && !above; w = GetWindow(w, GW_HWNDNEXT))
    above = w == list->Handle();
  EXPECT_TRUE(above) << "the overlay lies below the list";
  EXPECT_FALSE(ListSkinner()->Overlays().Horizontal()->Shown()) << "the columns fit across";

  list->SetBounds(20, 30, 300, 150);
  ASSERT_TRUE(PumpUntil([&] { return OverlayCoversVerticalBar(); })) << "the overlay stayed behind";
  EXPECT_EQ(ScreenRect(Vertical()->Handle()).bottom - ScreenRect(Vertical()->Handle()).top,
            NativeBar(list->Handle(), OBJID_VSCROLL).rcScrollBar.bottom -
                NativeBar(list->Handle(), OBJID_VSCROLL).rcScrollBar.top);

  // Switched off, the native bar shows; switched on, the overlay comes back at the next paint.
  SendMessageW(list->Handle(), SKM_ENABLE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(Vertical()->Handle()));
  SendMessageW(list->Handle(), SKM_ENABLE, 1, 0);
  ASSERT_TRUE(PumpUntil([&] { return OverlayCoversVerticalBar(); })) << "switched on, no overlay";

  list->SetVisible(false);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(Vertical()->Handle()); })) << "hidden list, shown bar";
  list->SetVisible(true);
  ASSERT_TRUE(PumpUntil([&] { return OverlayCoversVerticalBar(); }));
}

// A press on the overlay becomes a press on the native bar; the system's scroll loop then runs
// until the button comes up. The test posts that release first, so the loop sees it at once
// (it takes a button-up from the queue of its thread, whichever window it was posted to).
void ClickOverlay(TWScrollbar* overlay, HWND scrolled, int x, int y) {
  PostMessageW(scrolled, WM_LBUTTONUP, 0, 0);
  SendMessageW(overlay->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

TEST_F(ListViewSkinTest, PressesOnTheOverlayScrollTheList) {
  Skin();
  OverflowAndWait();
  HWND window = list->Handle();
  ASSERT_EQ(GetScrollPos(window, SB_VERT), 0);
  const RECT bar = ScreenRect(Vertical()->Handle());
  const int width = bar.right - bar.left, height = bar.bottom - bar.top;

  ClickOverlay(Vertical(), window, width / 2, height - 3); // the down arrow
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 1);
  EXPECT_FALSE(Vertical()->Tracking());

  const SCROLLBARINFO before = NativeBar(window, OBJID_VSCROLL);
  ClickOverlay(Vertical(), window, width / 2, before.xyThumbBottom + 4); // the track below the thumb
  const int paged = GetScrollPos(window, SB_VERT);
  EXPECT_GT(paged, 2) << "a page moves further than a line";

  ClickOverlay(Vertical(), window, width / 2, 3); // the up arrow
  EXPECT_EQ(GetScrollPos(window, SB_VERT), paged - 1);

  // The overlay shows the thumb where the native bar has it now.
  RedrawWindow(Vertical()->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const SCROLLBARINFO after = NativeBar(window, OBJID_VSCROLL);
  EXPECT_EQ(Vertical()->PaintedThumb(), (ThumbSpan{after.xyThumbTop, after.xyThumbBottom}));
  EXPECT_TRUE(Vertical()->PaintedWithThumb());

  // The wheel and the keyboard scroll natively; the overlay follows them too.
  SendMessageW(window, WM_KEYDOWN, VK_END, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  PumpMessages();
  const SCROLLBARINFO atEnd = NativeBar(window, OBJID_VSCROLL);
  ASSERT_NE(atEnd.xyThumbTop, after.xyThumbTop);
  EXPECT_EQ(Vertical()->PaintedThumb(), (ThumbSpan{atEnd.xyThumbTop, atEnd.xyThumbBottom}));
}

TEST_F(ListViewSkinTest, AnOverlayDoesNotOutliveTheListsWindow) {
  Skin();
  OverflowAndWait();
  TSkinListView* skinner = ListSkinner();
  HWND overlay = Vertical()->Handle();
  list->DestroyHandle();
  EXPECT_EQ(skinner->LifeState(), clsWindowDestroyed);
  EXPECT_FALSE(IsWindowVisible(overlay)) << "a skinned bar over nothing";
}

// Every child window of `parent` of the overlay's window class.
int OverlayWindows(HWND parent) {
  int count = 0;
  for (HWND w = GetTopWindow(parent); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    count += std::wstring(name).find(L"TWScrollbar") == 0 ? 1 : 0;
  }
  return count;
}

void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
}

TEST_F(ListViewSkinTest, UnskinningGivesBackTheNativeBarsAndProcedures) {
  AddRows(40);
  HWND window = list->Handle();
  HWND header = HWND(SendMessageW(window, LVM_GETHEADER, 0, 0));
  const LONG_PTR headerProc = GetWindowLongPtrW(header, GWLP_WNDPROC);
  Repaint(form->Handle());
  const Bitmap before = CaptureWindow(window);
  const Bitmap headerBefore = CaptureWindow(header);

  Skin();
  ASSERT_TRUE(PumpUntil([&] { return OverlayCoversVerticalBar(); }));
  // The horizontal overlay gets its window only once there is a bar to cover.
  EXPECT_EQ(OverlayWindows(form->Handle()), 1);
  EXPECT_NE(GetWindowLongPtrW(header, GWLP_WNDPROC), headerProc);
  EXPECT_EQ(SendMessageW(header, SKM_ISSKINNED, 0, 0), 1);

  Skinner()->DetachFrame();
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), 0);
  EXPECT_EQ(list->ComponentCount(), 0) << "the list and header skinners were not freed";
  EXPECT_EQ(OverlayWindows(form->Handle()), 0);
  EXPECT_EQ(GetWindowLongPtrW(header, GWLP_WNDPROC), headerProc);
  EXPECT_EQ(SendMessageW(window, SKM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(SendMessageW(header, SKM_ISSKINNED, 0, 0), 0);

  Repaint(form->Handle());
  for (const auto& [shot, old] : {std::pair{CaptureWindow(window), &before}, {CaptureWindow(header), &headerBefore}}) {
    ASSERT_EQ(shot.Width(), old->Width());
    ASSERT_EQ(shot.Height(), old->Height());
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x)
        ASSERT_EQ(shot.At(x, y), old->At(x, y)) << "at " << x << "," << y;
  }
  // The native bar works without the overlay.
  PostMessageW(window, WM_LBUTTONUP, 0, 0);
  const SCROLLBARINFO bar = NativeBar(window, OBJID_VSCROLL);
  SendMessageW(window, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(bar.rcScrollBar.left + 4, bar.rcScrollBar.bottom - 3));
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 1);
}

// Compares a `w` x `h` block of the capture at (x, y) with the block of the strip at (sx, sy);
// magenta in the strip is transparent. Returns the pixels compared.
int ExpectBlock(const Bitmap& shot, int x, int y, const Raster& strip, int sx, int sy, int w, int h) {
  int compared = 0;
  for (int dy = 0; dy < h; ++dy)
    for (int dx = 0; dx < w; ++dx) {
      const Pixel expected = strip.At(sx + dx, sy + dy) & 0xFFFFFF;
      if (expected == kMagenta)
        continue;
      EXPECT_EQ(shot.At(x + dx, y + dy), expected) << "at " << x + dx << "," << y + dy;
      if (shot.At(x + dx, y + dy) != expected)
        return compared;
      ++compared;
    }
  return compared;
}

TEST_F(ListViewSkinTest, ArrowsAndHeaderSectionsAreTheSkinCells) {
  Skin();
  OverflowAndWait();
  const TDataSkinObject& arrows = *Elements().Scrollbar;
  const int cell = arrows.Bitmap.Width() / kScrollArrowCells;
  const int arrowSize = GetSystemMetrics(SM_CXHSCROLL);
  // The skin's arrow cells are drawn at the system's arrow size: with a 17-pixel system (Wine's
  // and Windows' default) they are copied unscaled.
  ASSERT_EQ(cell, arrowSize) << "the comparison needs unscaled cells";
  ASSERT_EQ(arrows.Bitmap.Height(), arrowSize);
  HWND overlay = Vertical()->Handle();
  RedrawWindow(overlay, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const Bitmap shot = CaptureWindow(overlay);
  EXPECT_GT(ExpectBlock(shot, 0, 0, arrows.Bitmap.View(), 8 * cell, 0, cell, cell), 0) << "up arrow";
  EXPECT_GT(ExpectBlock(shot, 0, shot.Height() - cell, arrows.Bitmap.View(), 12 * cell, 0, cell, cell), 0)
      << "down arrow";

  // Each section keeps the corners of the header element's first cell; so does the part of the
  // header after the last section.
  const TDataSkinObject& element = *Elements().Headerbar;
  HWND header = ListSkinner()->Header()->Handle();
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const Bitmap headerShot = CaptureWindow(header);
  const Raster strip = element.Bitmap.View();
  const int cw = element.CellWidth();
  ASSERT_GE(headerShot.Height(), element.TopHeight + element.BottomHeight);
  RECT second{};
  SendMessageW(header, HDM_GETITEMRECT, 1, LPARAM(&second));
  ASSERT_LT(second.right, headerShot.Width()) << "the columns fill the header";
  const int lw = element.LeftWidth, rw = element.RightWidth, th = element.TopHeight;
  EXPECT_GT(ExpectBlock(headerShot, 0, 0, strip, 0, 0, lw, th), 0) << "first section, left corner";
  EXPECT_GT(ExpectBlock(headerShot, second.left, 0, strip, 0, 0, lw, th), 0) << "second section";
  EXPECT_GT(ExpectBlock(headerShot, second.right - rw, 0, strip, cw - rw, 0, rw, th), 0)
      << "second section, right corner";
  EXPECT_GT(ExpectBlock(headerShot, second.right, 0, strip, 0, 0, lw, th), 0) << "the rest of the header";
  EXPECT_GT(ExpectBlock(headerShot, headerShot.Width() - rw, 0, strip, cw - rw, 0, rw, th), 0)
      << "the rest of the header, right corner";
}

} // namespace
} // namespace vela::skin::test
