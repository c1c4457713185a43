// Arrows and lists that other controls carry: the up-down arrows of a tab row too long for its
// control, of a tab set and of an edit (painted from the skin's up-down cells, given back on
// unskinning), the always-shown list of a simple combo box with skinned scroll bars, and a
// list view's thumb dragged through its overlay.
#include "skin/controls/button_looks.h"
#include "skin/controls/skin_combo.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_list_view.h"
#include "skin/controls/skin_messages.h"
#include "skin/controls/skin_tabs.h"
#include "skin/controls/skin_up_down.h"
#include "skin/draw/primitives.h"
#include "skin/draw/stretch.h"
#include "tests/win/skin_controls/controls_fixture.h"
#include "ui/core/text.h"
#include "ui/list_controls.h"
#include "ui/list_view.h"
#include "ui/std_controls.h"
#include "ui/tab_controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <string>

namespace vela::skin::test {
namespace {

// The arrows as the up-down skinner paints them with both halves in their normal look: the
// face colour, each half's cell of the element stretched over it and its glyph centred; an
// edit's arrows one pixel in.
Bitmap ExpectedArrows(const TSkinElements& e, int width, int height, bool horizontal, bool buddy) {
  Bitmap image(width, height);
  const ui::TColor faceCode = e.Colours.ButtonFace;
  FillPixels(image.View(), Rect{0, 0, width, height}, PixelFromColorRef(ui::ColorToRGB(faceCode)));
  const Rect area = buddy ? Rect{1, 1, width - 1, height - 1} : Rect{0, 0, width, height};
  const UpDownHalves halves = SplitUpDown(area, horizontal);
  const TDataSkinBorder& element = horizontal ? *e.UpDownHorz : *e.UpDownVert;
  const int cells = std::max(1, int(element.FrameCount));
  const Rect parts[2] = {halves.First, halves.Second};
  for (int half = 0; half < 2; ++half) {
    const int cell = UpDownCell(Look::Normal, half == 1);
    DrawStretchedCell(image.View(), parts[half], element.Bitmap.View(), true, cells, cell);
    if (!element.Bitmap2.Empty())
      DrawCenteredCell(image.View(), parts[half], element.Bitmap2.View(), true, cells, cell);
  }
  return image;
}

// The client area of `window` as captured (the capture is in frame coordinates).
Bitmap ClientPixels(HWND window) {
  const Bitmap shot = CaptureWindow(window);
  RECT client{}, frame{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(window, &frame);
  return CopyToBitmap(shot.View(), Rect{client.left - frame.left, client.top - frame.top,
                                        client.right - frame.left, client.bottom - frame.top});
}

void Redraw(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
}

class ArrowsSkinTest : public ControlsFormTest {
protected:
  void SetUp() override {
    ControlsFormTest::SetUp();
    CreateForm();
    data->Skin3rd()->Insert(0, L"TComboBox=combobox");
    data->Skin3rd()->Insert(0, L"TPageControl=tab");
  }

  void AddSheets(ui::TPageControl* pages, int count) {
    for (int i = 0; i < count; ++i) {
      auto* sheet = new ui::TTabSheet(form);
      sheet->SetCaption(L"Sheet " + std::to_wstring(pages->PageCount() + 1));
      sheet->SetParent(pages);
    }
  }
  // The arrows' client pixels once they have painted themselves with the skin; only what their
  // parent's client area lets show is compared.
  void ExpectSkinnedArrows(HWND arrows, bool horizontal, bool buddy, const std::string& what) {
    RedrawWindow(arrows, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const Bitmap shot = ClientPixels(arrows);
    const Bitmap expected = ExpectedArrows(Elements(), shot.Width(), shot.Height(), horizontal, buddy);
    RECT shown{};
    GetClientRect(GetParent(arrows), &shown);
    MapWindowPoints(GetParent(arrows), arrows, reinterpret_cast<POINT*>(&shown), 2);
    const Rect visible = Intersect(Rect{shown.left, shown.top, shown.right, shown.bottom},
                                   Rect{0, 0, shot.Width(), shot.Height()});
    ASSERT_GT(visible.Width() * visible.Height(), shot.Width() * shot.Height() / 2) << what << " hardly shows";
    for (int y = visible.top; y < visible.bottom; ++y)
      for (int x = visible.left; x < visible.right; ++x)
        if (shot.At(x, y) != expected.At(x, y)) {
          SaveForInspection(shot, what);
          FAIL() << what << ": the arrows are not the skin's up-down cells at " << x << "," << y << " of "
                 << shot.Width() << "x" << shot.Height() << std::hex << ": 0x" << shot.At(x, y) << " for 0x"
                 << expected.At(x, y);
        }
  }
};

TEST_F(ArrowsSkinTest, ArrowsATabControlMakesAfterSkinningAreSkinnedAtItsNextPaint) {
  auto* pages = Add<ui::TPageControl>(10, 10, 200, 120);
  AddSheets(pages, 2);
  Skin();
  auto* tab = SkinnerOf<TSkinTab>(pages);
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->Arrows(), nullptr) << "the tabs fit: no arrows";

  AddSheets(pages, 8);
  Redraw(pages->Handle());
  HWND arrows = FindWindowExW(pages->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_NE(arrows, nullptr) << "the system's tab control made no arrows for a long row";
  ASSERT_NE(tab->Arrows(), nullptr);
  EXPECT_EQ(tab->Arrows()->Handle(), arrows);
  EXPECT_FALSE(tab->Arrows()->Buddy());
  EXPECT_EQ(tab->Arrows()->Owner(), pages) << "owned by the tab control";
  EXPECT_EQ(SendMessageW(arrows, SKM_ISSKINNED, 0, 0), 1);
  ExpectSkinnedArrows(arrows, true, false, "tab_control_arrows");

  // The arrows still scroll the row.
  const RECT before = pages->TabRect(1);
  RECT client{};
  GetClientRect(arrows, &client);
  SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 3, client.bottom / 2));
  SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(client.right - 3, client.bottom / 2));
  PumpMessages();
  EXPECT_LT(pages->TabRect(1).left, before.left) << "the right arrow did not scroll the tabs";
}

// One row per control that carries arrows: the arrows' window, how they split and whether they
// are drawn one pixel in, and the skinner that found them.
struct Carrier {
  const char* name;
  std::function<HWND()> arrows;
  bool horizontal;
  bool buddy;
  std::function<TSkinUpDown*()> skinner;
};

TEST_F(ArrowsSkinTest, CarriedArrowsArePaintedFromTheSkinAndGivenBackOnUnskinning) {
  auto* pages = Add<ui::TPageControl>(10, 10, 200, 120);
  AddSheets(pages, 10);
  auto* tabSet = Add<ui::TTabSet>(10, 140, 200, 22);
  for (int i = 0; i < 10; ++i)
    tabSet->Tabs()->Add(L"Tab " + std::to_wstring(i));
  auto* time = Add<ui::TDateTimePicker>(220, 10, 120, 22);
  time->SetKind(ui::TDateTimeKind::dtkTime);
  Redraw(form->Handle());
  const std::vector<Carrier> carriers = {
      {"tab control", [&] { return FindWindowExW(pages->Handle(), nullptr, UPDOWN_CLASSW, nullptr); }, true, false,
       [&] { return SkinnerOf<TSkinTab>(pages)->Arrows(); }},
      {"tab set", [&] { return tabSet->Scroller()->Handle(); }, true, false,
       [&] { return SkinnerOf<TSkinTab31>(tabSet)->Arrows(); }},
      {"time picker", [&] { return FindWindowExW(time->Handle(), nullptr, UPDOWN_CLASSW, nullptr); }, false, true,
       [&] { return SkinnerOf<TSkinEdit>(time)->Arrows(); }},
  };
  std::vector<LONG_PTR> procedures;
  std::vector<Bitmap> native;
  for (const Carrier& c : carriers) {
    HWND arrows = c.arrows();
    ASSERT_NE(arrows, nullptr) << c.name << " has no arrows";
    ASSERT_TRUE(IsWindowVisible(arrows)) << c.name;
    procedures.push_back(GetWindowLongPtrW(arrows, GWLP_WNDPROC));
    RedrawWindow(arrows, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    native.push_back(ClientPixels(arrows));
  }

  Skin();
  for (const Carrier& c : carriers) {
    Redraw(GetParent(c.arrows()));
    TSkinUpDown* skinner = c.skinner();
    ASSERT_NE(skinner, nullptr) << c.name << ": the arrows have no skinner";
    EXPECT_EQ(skinner->Handle(), c.arrows()) << c.name;
    EXPECT_EQ(skinner->Buddy(), c.buddy) << c.name;
    ExpectSkinnedArrows(c.arrows(), c.horizontal, c.buddy, std::string("arrows_") + c.name);
  }
  // The tab set's skinned arrows still scroll its tabs, on and back.
  ASSERT_EQ(tabSet->FirstIndex(), 0);
  HWND scroller = tabSet->Scroller()->Handle();
  RECT client{};
  GetClientRect(scroller, &client);
  const auto click = [scroller](int x, int y) {
    SendMessageW(scroller, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(scroller, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages();
  };
  click(client.right - 3, client.bottom / 2);
  EXPECT_EQ(tabSet->FirstIndex(), 1) << "the right arrow did not scroll the tab set";
  click(3, client.bottom / 2);
  EXPECT_EQ(tabSet->FirstIndex(), 0) << "the left arrow did not scroll the tab set back";
  // The clicks left the system's arrows thinking the mouse is over one of them.
  SendMessageW(scroller, WM_MOUSELEAVE, 0, 0);

  Skinner()->DetachFrame();
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), 0);
  PumpMessages();
  for (std::size_t i = 0; i < carriers.size(); ++i) {
    HWND arrows = carriers[i].arrows();
    EXPECT_EQ(GetWindowLongPtrW(arrows, GWLP_WNDPROC), procedures[i]) << carriers[i].name;
    EXPECT_EQ(SendMessageW(arrows, SKM_ISSKINNED, 0, 0), 0) << carriers[i].name;
    RedrawWindow(arrows, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(ClientPixels(arrows), native[i]) << carriers[i].name << ": the native arrows did not come back";
  }
}

// A child window of any class that calls itself an up-down or a spin button is an edit's
// arrows; other children are not.
TEST_F(ArrowsSkinTest, AnEditTakesItsArrowsByTheirClassName) {
  struct Row {
    const wchar_t* className;
    bool arrows;
  };
  const Row rows[] = {{UPDOWN_CLASSW, true}, {L"VelaSpinArrows", true}, {L"Vela_UPDOWN_Pair", true},
                      {L"VelaOtherChild", false}};
  std::vector<std::pair<ui::TEdit*, HWND>> edits;
  for (const Row& row : rows) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = row.className;
    if (row.className != std::wstring(UPDOWN_CLASSW))
      RegisterClassW(&wc);
    auto* edit = Add<ui::TEdit>(10, 10 + 30 * int(edits.size()), 120, 24);
    HWND child = CreateWindowExW(0, row.className, L"", WS_CHILD | WS_VISIBLE, 100, 0, 16, 18, edit->Handle(),
                                 nullptr, wc.hInstance, nullptr);
    ASSERT_NE(child, nullptr);
    edits.emplace_back(edit, child);
  }
  Skin();
  for (std::size_t i = 0; i < edits.size(); ++i) {
    auto [edit, child] = edits[i];
    Redraw(edit->Handle());
    TSkinEdit* skinner = SkinnerOf<TSkinEdit>(edit);
    ASSERT_NE(skinner, nullptr);
    const std::string name = ui::WideToUtf8(rows[i].className);
    if (!rows[i].arrows) {
      EXPECT_EQ(skinner->Arrows(), nullptr) << name;
      EXPECT_EQ(SendMessageW(child, SKM_ISSKINNED, 0, 0), 0) << name;
      continue;
    }
    ASSERT_NE(skinner->Arrows(), nullptr) << name;
    EXPECT_EQ(skinner->Arrows()->Handle(), child) << name;
    EXPECT_TRUE(skinner->Arrows()->Buddy()) << name;
    ExpectSkinnedArrows(child, false, true, "edit_arrows_" + name);
  }
}

// ---- the list of a simple combo box

TEST_F(ArrowsSkinTest, TheListOfASimpleComboGetsSkinnedBarsAndGivesThemBack) {
  auto* combo = Add<ui::TComboBox>(10, 10, 160, 150);
  combo->SetStyle(ui::TComboBoxStyle::csSimple);
  // A drop-down combo's window has the closed height: the simple one gets its height again.
  combo->SetBounds(10, 10, 160, 150);
  for (int i = 0; i < 40; ++i)
    combo->Items()->Add(L"Port " + std::to_wstring(i));
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  HWND list = info.hwndList;
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(GetParent(list), combo->Handle()) << "the list of a simple combo is not its child";
  const LONG_PTR procedure = GetWindowLongPtrW(list, GWLP_WNDPROC);

  Skin();
  auto* skinner = SkinnerOf<TSkinComBox>(combo);
  ASSERT_NE(skinner, nullptr);
  ASSERT_NE(skinner->ListBars(), nullptr) << "the list's bars have no skinner";
  EXPECT_EQ(skinner->ListBars()->Handle(), list);
  EXPECT_EQ(skinner->EditField(), nullptr) << "only a drop-down's edit field is taken over";
  TWScrollbar* vertical = skinner->ListBars()->Overlays().Vertical();
  ASSERT_TRUE(PumpUntil([&] { return vertical->Shown(); })) << "no overlay over the list's bar";
  EXPECT_EQ(GetParent(vertical->Handle()), combo->Handle());
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
  RECT over{};
  GetWindowRect(vertical->Handle(), &over);
  EXPECT_TRUE(EqualRect(&over, &bar.rcScrollBar));

  // The up arrow is the skin's arrow cell (unscaled at the system's 17 pixels).
  const TDataSkinObject& strip = *Elements().Scrollbar;
  const int cell = strip.Bitmap.Width() / kScrollArrowCells;
  ASSERT_EQ(cell, GetSystemMetrics(SM_CXVSCROLL)) << "the comparison needs unscaled cells";
  RedrawWindow(vertical->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const Bitmap shot = CaptureWindow(vertical->Handle());
  const Bitmap arrow = CopyToBitmap(strip.Bitmap.View(), Rect{8 * cell, 0, 9 * cell, cell});
  int compared = 0;
  for (int y = 0; y < cell; ++y)
    for (int x = 0; x < cell; ++x) {
      const Pixel want = arrow.At(x, y) & 0xFFFFFF;
      if (want == kMagenta)
        continue;
      ASSERT_EQ(shot.At(x, y), want) << "up arrow at " << x << "," << y;
      ++compared;
    }
  EXPECT_GT(compared, cell);

  Skinner()->DetachFrame();
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), 0);
  EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), procedure);
  int overlays = 0;
  for (HWND w = GetTopWindow(combo->Handle()); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    overlays += std::wstring(name).find(L"TWScrollbar") == 0 ? 1 : 0;
  }
  EXPECT_EQ(overlays, 0) << "an overlay stayed over the list";
}

// ---- dragging a thumb

class ThumbDragTest : public ArrowsSkinTest {
protected:
  void SetUp() override {
    ArrowsSkinTest::SetUp();
    list = Add<ui::TListView>(10, 10, 260, 150);
    list->SetViewStyle(ui::TViewStyle::vsReport);
    for (int c = 0; c < 5; ++c) {
      ui::TListColumn* column = list->Columns()->Add();
      column->SetCaption(L"Column " + std::to_wstring(c));
      column->SetWidth(140);
    }
    for (int r = 0; r < 60; ++r) {
      ui::TListItem* row = list->Items()->Add();
      row->SetCaption(L"Row " + std::to_wstring(r));
      for (int c = 1; c < 5; ++c)
        row->SubItems()->Add(L"Cell " + std::to_wstring(c));
    }
  }
  TWScrollbar* Overlay(bool vertical) const {
    const TScrollOverlays& o = SkinnerOf<TSkinListView>(list)->Overlays();
    return vertical ? o.Vertical() : o.Horizontal();
  }
  static int Furthest(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info.nMax - std::max(1, int(info.nPage)) + 1;
  }

  SCROLLBARINFO NativeBar(bool vertical) const {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(list->Handle(), vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &bar);
    return bar;
  }
  // Pixels the thumb can move from where it is to either end of its track.
  int RoomToEnd(bool vertical) const {
    const SCROLLBARINFO bar = NativeBar(vertical);
    const int length = vertical ? bar.rcScrollBar.bottom - bar.rcScrollBar.top : bar.rcScrollBar.right - bar.rcScrollBar.left;
    return length - GetSystemMetrics(SM_CXHSCROLL) - bar.xyThumbBottom;
  }
  int RoomToStart(bool vertical) const { return NativeBar(vertical).xyThumbTop - GetSystemMetrics(SM_CXHSCROLL); }

  // Presses the overlay on the middle of its thumb, moves the pointer `by` pixels along the bar
  // and releases it there. The system's scroll loop runs inside the press; the move and the
  // release are posted to the list first, so the loop finds them waiting. It reads their points
  // from the messages (client coordinates of the list, which holds the capture), as Windows and
  // Wine do; a point far from the bar would put the thumb back, so drags stay near it.
  void DragThumb(bool vertical, int by) {
    HWND window = list->Handle();
    const SCROLLBARINFO bar = NativeBar(vertical);
    const int across = vertical ? (bar.rcScrollBar.right - bar.rcScrollBar.left) / 2
                                : (bar.rcScrollBar.bottom - bar.rcScrollBar.top) / 2;
    const int along = (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    const POINT press = vertical ? POINT{across, along} : POINT{along, across};
    POINT to{bar.rcScrollBar.left + press.x + (vertical ? 0 : by), bar.rcScrollBar.top + press.y + (vertical ? by : 0)};
    ScreenToClient(window, &to);
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    SendMessageW(Overlay(vertical)->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    PumpMessages();
  }

  ui::TListView* list = nullptr;
};

TEST_F(ThumbDragTest, DraggingTheOverlaysThumbScrollsTheListBothWays) {
  Skin();
  for (bool vertical : {true, false}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    HWND window = list->Handle();
    const int bar = vertical ? SB_VERT : SB_HORZ;
    TWScrollbar* overlay = Overlay(vertical);
    ASSERT_TRUE(PumpUntil([&] { return overlay->Shown(); })) << "no overlay over the bar";
    ASSERT_EQ(GetScrollPos(window, bar), 0);
    const int furthest = Furthest(window, bar);
    ASSERT_GT(furthest, 4);

    DragThumb(vertical, 20);
    const int middle = GetScrollPos(window, bar);
    EXPECT_GT(middle, 0) << "the list did not follow the thumb";
    EXPECT_LT(middle, furthest);
    EXPECT_FALSE(overlay->Tracking());

    DragThumb(vertical, RoomToEnd(vertical) + 5); // a little past the end of the track
    EXPECT_EQ(GetScrollPos(window, bar), furthest);
    RedrawWindow(overlay->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const SCROLLBARINFO info = NativeBar(vertical);
    EXPECT_EQ(overlay->PaintedThumb(), (ThumbSpan{info.xyThumbTop, info.xyThumbBottom}))
        << "the overlay's thumb is not where the list's is";

    DragThumb(vertical, -RoomToStart(vertical) - 5);
    EXPECT_EQ(GetScrollPos(window, bar), 0);
  }
}

} // namespace
} // namespace vela::skin::test
