// Combo boxes, tab sets and tab and page controls of a skinned form: which skinner each gets,
// the looks as messages arrive, pixels against the default skin's cells, and unskinning.
#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_combo.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_messages.h"
#include "skin/controls/skin_tabs.h"
#include "skin/data/transforms.h"
#include "skin/draw/primitives.h"
#include "skin/forms/skin_manager.h"
#include "tests/win/skin_controls/controls_fixture.h"
#include "ui/button_controls.h"
#include "ui/image_list.h"
#include "ui/list_controls.h"
#include "ui/std_controls.h"
#include "ui/tab_controls.h"

#include <commctrl.h>

namespace vela::skin::test {
namespace {

constexpr int kNormal = 1, kPressed = 2, kDisabled = 3, kHot = 4;

class TabComboSkinTest : public ControlsFormTest {
protected:
  void SetUp() override {
    ControlsFormTest::SetUp();
    CreateForm();
    list = Add<ui::TComboBox>(10, 10, 150, 21);
    list->SetStyle(ui::TComboBoxStyle::csDropDownList);
    for (const wchar_t* line : {L"COM1", L"COM2", L"COM3"}) list->Items()->Add(line);
    list->SetItemIndex(0);
    edit = Add<ui::TComboBox>(10, 40, 150, 21);
    date = Add<ui::TDateTimePicker>(10, 70, 150, 21);
    time = Add<ui::TDateTimePicker>(10, 100, 150, 21);
    time->SetKind(ui::TDateTimeKind::dtkTime);
    tabSet = Add<ui::TTabSet>(10, 170, 340, 22);
    for (const wchar_t* tab : {L"Log", L"Cards", L"Image"}) tabSet->Tabs()->Add(tab);
    tabSet->SetTabIndex(0);
    pages = Add<ui::TPageControl>(170, 10, 180, 140);
    for (const wchar_t* caption : {L"General", L"Advanced"}) {
      auto* sheet = new ui::TTabSheet(form);
      sheet->SetCaption(caption);
      sheet->SetParent(pages);
    }
    outsider = new ui::TEdit(form);
    outsider->SetParent(form);
    outsider->SetBounds(10, 130, 100, 22);
    data->Skin3rd()->Insert(0, L"TComboBox=combobox");
    data->Skin3rd()->Insert(0, L"TPageControl=tab");
    PumpMessages();
  }

  void FocusElsewhere() {
    SetFocus(outsider->Handle());
    PumpMessages();
  }
  int ComboLookAfter(ui::TWinControl* combo, UINT msg, WPARAM wParam = 0, LPARAM lParam = MAKELPARAM(5, 5)) {
    SendMessageW(combo->Handle(), msg, wParam, lParam);
    UpdateWindow(combo->Handle());
    return SkinnerOf<TSkinComBox>(combo)->CurrentLook();
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
  }
  static void ClickAt(HWND window, POINT at) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    PumpMessages();
  }

  ui::TComboBox* list = nullptr;
  ui::TComboBox* edit = nullptr;
  ui::TDateTimePicker* date = nullptr;
  ui::TDateTimePicker* time = nullptr;
  ui::TTabSet* tabSet = nullptr;
  ui::TPageControl* pages = nullptr;
  ui::TEdit* outsider = nullptr;
};

// Pixels of `shot` inside `area` against `expected` laid at the area's top-left; magenta of the
// expected image is transparent and not compared, and only the `edgeColumns` columns at either
// side are compared (a caption lies between them). Returns how many pixels were compared.
int ExpectPixels(const Bitmap& shot, const Rect& area, const Bitmap& expected, const std::string& what,
                 int edgeColumns = 1 << 20) {
  int compared = 0;
  for (int y = 0; y < std::min(area.Height(), expected.Height()); ++y)
    for (int x = 0; x < std::min(area.Width(), expected.Width()); ++x) {
      if (x >= edgeColumns && x < area.Width() - edgeColumns)
        continue;
      const Pixel want = expected.At(x, y) & 0xFFFFFF;
      if (want == kMagenta)
        continue;
      EXPECT_EQ(shot.At(area.left + x, area.top + y), want) << what << " at " << x << "," << y;
      if (shot.At(area.left + x, area.top + y) != want) {
        SaveForInspection(shot, what);
        return -1;
      }
      ++compared;
    }
  return compared;
}

TEST_F(TabComboSkinTest, EachKindGetsItsSkinnerByClassOrClassMapLine) {
  Skin();
  EXPECT_NE(SkinnerOf<TSkinComBox>(list), nullptr) << "TComboBox=combobox";
  EXPECT_NE(SkinnerOf<TSkinComBox>(edit), nullptr);
  EXPECT_NE(SkinnerOf<TSkinComBox>(date), nullptr) << "a drop-down date picker is a combo";
  EXPECT_NE(SkinnerOf<TSkinEdit>(time), nullptr) << "a time picker is skinned as an edit";
  ASSERT_NE(SkinnerOf<TSkinTab31>(tabSet), nullptr) << "TTabSet by its class";
  auto* tab = SkinnerOf<TSkinTab>(pages);
  ASSERT_NE(tab, nullptr) << "TPageControl=tab";
  EXPECT_EQ(tab->Control(), nullptr) << "attached by handle";
  EXPECT_EQ(tab->Owner(), pages) << "owned by its control";
  EXPECT_EQ(SendMessageW(pages->Handle(), SKM_ISSKINNED, 0, 0), 1);
  // Walking the controls again finds every one covered, the one attached by handle included.
  const int count = Skinner()->ControlSkinnerCount();
  SendMessageW(Window(), SKM_SKINCHILDREN, 0, 0);
  PumpMessages();
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), count);
  EXPECT_EQ(pages->ComponentCount(), 1);
}

TEST_F(TabComboSkinTest, WithoutTheClassMapLineOrWithTheSwitchOffNothingIsTaken) {
  data->Skin3rd()->Delete(0); // TPageControl=tab
  data->SetSkinControls(data->SkinControls() & ~(SkinControlBit(xcCombo) | SkinControlBit(xcTab) |
                                                 SkinControlBit(xcEdit)));
  Skin();
  for (ui::TWinControl* control : std::initializer_list<ui::TWinControl*>{list, edit, date, tabSet, pages})
    EXPECT_EQ(Skinner()->FindControlSkinner(control->Handle()), nullptr) << control->ClassName();
}

TEST_F(TabComboSkinTest, ComboLooksFollowHoverPressFocusAndEnable) {
  Skin();
  FocusElsewhere();
  EXPECT_EQ(ComboLookAfter(list, WM_PAINT), kNormal);
  EXPECT_EQ(ComboLookAfter(list, ui::CM_MOUSEENTER), kHot);
  EXPECT_EQ(ComboLookAfter(list, WM_LBUTTONDOWN, MK_LBUTTON), kPressed);
  SendMessageW(list->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(ComboLookAfter(list, WM_LBUTTONUP), kHot);
  EXPECT_EQ(ComboLookAfter(list, ui::CM_MOUSELEAVE), kHot) << "focused by the press";
  FocusElsewhere();
  EXPECT_EQ(ComboLookAfter(list, WM_PAINT), kNormal);
  list->SetEnabled(false);
  EXPECT_EQ(ComboLookAfter(list, WM_PAINT), kDisabled);
  EXPECT_EQ(ComboLookAfter(list, ui::CM_MOUSEENTER), kDisabled) << "no hot look while disabled";
}

TEST_F(TabComboSkinTest, PressingTheEditFieldOfADropDownComboShowsItPressed) {
  Skin();
  FocusElsewhere();
  auto* skinner = SkinnerOf<TSkinComBox>(edit);
  ASSERT_NE(skinner, nullptr);
  HWND field = skinner->EditField();
  ASSERT_NE(field, nullptr);
  SendMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(skinner->CurrentLook(), kPressed);
  SendMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(skinner->CurrentLook(), kHot) << "focused in its edit field";
  EXPECT_EQ(SkinnerOf<TSkinComBox>(list)->EditField(), nullptr) << "a drop-down list has no edit field";
}

TEST_F(TabComboSkinTest, ComboPixelsAreTheCompositeCellOfItsLook) {
  Skin();
  FocusElsewhere();
  const TDataSkinBorder& button = *Elements().ComboButton;
  ASSERT_EQ(button.Style, 2) << "the default skin gives the composite";
  for (int look : {kNormal, kDisabled}) {
    list->SetEnabled(look == kNormal);
    Redraw(list->Handle());
    ASSERT_EQ(SkinnerOf<TSkinComBox>(list)->CurrentLook(), look);
    const Bitmap shot = CaptureWindow(list->Handle());
    const Rect whole{0, 0, shot.Width(), shot.Height()};
    const Bitmap expected = ComposeSkinRect(whole, button.Bitmap.View(), button.GetMargins(), false, false,
                                            button.FrameCount, look);
    EXPECT_GT(ExpectPixels(shot, whole, expected, "combo_look" + std::to_string(look)), 100);
  }
  // With its scroll bar on the left the combo takes the mirrored composite, kept in "SunkEdge".
  list->SetEnabled(true);
  SetWindowLongPtrW(list->Handle(), GWL_EXSTYLE, GetWindowLongPtrW(list->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  Redraw(list->Handle());
  const TDataSkinObject& mirrored = *Elements().SunkEdge;
  const Bitmap shot = CaptureWindow(list->Handle());
  const Rect whole{0, 0, shot.Width(), shot.Height()};
  const Bitmap expected = ComposeSkinRect(whole, mirrored.Bitmap.View(), mirrored.GetMargins(), false, false,
                                          mirrored.FrameCount, kNormal);
  EXPECT_GT(ExpectPixels(shot, whole, expected, "combo_left"), 100);
}

TEST_F(TabComboSkinTest, UnskinningGivesCombosAndTabsTheirOwnLookAndProceduresBack) {
  FocusElsewhere();
  HWND field = nullptr;
  {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(edit->Handle(), &info));
    field = info.hwndItem;
  }
  const LONG_PTR fieldProc = GetWindowLongPtrW(field, GWLP_WNDPROC);
  const LONG_PTR pagesProc = GetWindowLongPtrW(pages->Handle(), GWLP_WNDPROC);
  Redraw(list->Handle());
  Redraw(tabSet->Handle());
  const Bitmap before = CaptureWindow(list->Handle());
  const Bitmap tabsBefore = CaptureWindow(tabSet->Handle());
  Skin();
  FocusElsewhere();
  Redraw(list->Handle());
  Redraw(tabSet->Handle());
  EXPECT_NE(CaptureWindow(list->Handle()), before);
  EXPECT_NE(CaptureWindow(tabSet->Handle()), tabsBefore);
  EXPECT_NE(GetWindowLongPtrW(field, GWLP_WNDPROC), fieldProc);
  EXPECT_NE(GetWindowLongPtrW(pages->Handle(), GWLP_WNDPROC), pagesProc);

  Skinner()->DetachFrame();
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), 0);
  EXPECT_EQ(GetWindowLongPtrW(field, GWLP_WNDPROC), fieldProc);
  EXPECT_EQ(GetWindowLongPtrW(pages->Handle(), GWLP_WNDPROC), pagesProc);
  EXPECT_EQ(pages->ComponentCount(), 0) << "the tab skinner was not freed";
  FocusElsewhere();
  PumpMessages();
  Redraw(list->Handle());
  Redraw(tabSet->Handle());
  EXPECT_EQ(CaptureWindow(list->Handle()), before);
  EXPECT_EQ(CaptureWindow(tabSet->Handle()), tabsBefore) << "the tab set paints itself again";
}

TEST_F(TabComboSkinTest, BareComboWindowsGetTheComboSkinnerUnlessTheirListAlwaysShows) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VelaBareCombos";
  RegisterClassExW(&wc);
  HWND bare = CreateWindowExW(0, wc.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 300,
                              200, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(bare, nullptr);
  auto child = [&](DWORD style, int top) {
    return CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 10, top, 120, 120,
                           bare, nullptr, wc.hInstance, nullptr);
  };
  HWND dropDown = child(CBS_DROPDOWN, 10);
  HWND simple = child(CBS_SIMPLE, 40);
  ASSERT_TRUE(dropDown && simple);
  ASSERT_NE(SkinManager, nullptr);
  SkinManager->Active = true;
  ASSERT_TRUE(SkinManager->AttachWindow(bare));
  TWinSkinForm* frame = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    frame = SkinManager->FindFormSkinner(bare);
    return frame && frame->LifeState() == 1;
  }));
  auto* skinner = dynamic_cast<TSkinComBox*>(frame->FindControlSkinner(dropDown));
  ASSERT_NE(skinner, nullptr);
  EXPECT_NE(skinner->EditField(), nullptr);
  EXPECT_EQ(frame->FindControlSkinner(simple), nullptr);
  SetFocus(bare);
  SendMessageW(dropDown, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(skinner->CurrentLook(), kHot) << "a bare window turns hot by its own mouse messages";
  SendMessageW(dropDown, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(skinner->CurrentLook(), kNormal);
  DestroyWindow(bare);
  PumpMessages();
}

// The framework's check boxes, radio buttons and bitmap buttons publish what the button
// skinners read, so the class map hands them over like any other button.
TEST_F(TabComboSkinTest, FrameworkButtonsAreServedByTheButtonSkinners) {
  auto* check = Add<ui::TCheckBox>(10, 140, 120, 20);
  check->SetAllowGrayed(true);
  check->SetState(ui::TCheckBoxState::cbGrayed);
  auto* radio = Add<ui::TRadioButton>(200, 150, 120, 20);
  radio->SetChecked(true);
  auto* bit = Add<ui::TBitBtn>(200, 175, 80, 24);
  bit->SetKind(ui::TBitBtnKind::bkOK);
  data->Skin3rd()->Insert(0, L"TCheckBox=checkbox");
  data->Skin3rd()->Insert(0, L"TRadioButton=radiobutton");
  Skin();
  auto* checkSkinner = dynamic_cast<TSkinCheckBox*>(Skinner()->FindControlSkinner(check->Handle()));
  auto* radioSkinner = dynamic_cast<TSkinRadioButton*>(Skinner()->FindControlSkinner(radio->Handle()));
  ASSERT_NE(checkSkinner, nullptr);
  ASSERT_NE(radioSkinner, nullptr);
  EXPECT_NE(dynamic_cast<TSkinButton*>(Skinner()->FindControlSkinner(bit->Handle())), nullptr)
      << "a bitmap button is a push button to the built-in rules";
  const int checkCells = Elements().Buttons.CheckButtonFrame;
  Redraw(check->Handle());
  const int grey = CheckMarkCell(CheckState::Grey, true, true, false, checkCells);
  EXPECT_EQ(checkSkinner->CurrentCell(), grey) << "the grayed State reads as grey";
  SendMessageW(check->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(check->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  PumpMessages();
  Redraw(check->Handle());
  EXPECT_EQ(check->State(), ui::TCheckBoxState::cbUnchecked);
  EXPECT_EQ(checkSkinner->CurrentCell(), CheckMarkCell(CheckState::Unchecked, false, true, false, checkCells));
  Redraw(radio->Handle());
  EXPECT_EQ(radioSkinner->CurrentCell(),
            CheckMarkCell(CheckState::Checked, false, true, true, Elements().Buttons.RadioButtonFrame));
}

TEST_F(TabComboSkinTest, TabSetDrawsTheSelectedTabFromTheSecondFlippedCell) {
  Skin();
  auto* skinner = SkinnerOf<TSkinTab31>(tabSet);
  Redraw(tabSet->Handle());
  EXPECT_EQ(skinner->TabCells(), (std::vector<int>{2, 1, 1}));
  const std::vector<Rect> rects = skinner->TabRects();
  ASSERT_EQ(rects.size(), 3u);
  ClickAt(tabSet->Handle(), POINT{(rects[1].left + rects[1].right) / 2, 5});
  EXPECT_EQ(tabSet->TabIndex(), 1);
  EXPECT_EQ(skinner->TabCells(), (std::vector<int>{1, 2, 1}));

  // The selected tab's corners are those of cell 2 of the strip turned upside down.
  const TDataSkinBorder& tabs = *Elements().Tabs;
  Bitmap flipped = tabs.Bitmap;
  FlipBitmap(flipped);
  const Bitmap shot = CaptureWindow(tabSet->Handle());
  const Bitmap expected = ComposeSkinRect(Rect{0, 0, rects[1].Width(), rects[1].Height()}, flipped.View(),
                                          tabs.GetMargins(), false, tabs.Tile != 0, tabs.FrameCount, 2);
  EXPECT_GT(ExpectPixels(shot, rects[1], expected, "tabset", 3), 20);

  // Tabs that do not fit are not drawn, and the arrows keep their room.
  for (int i = 0; i < 10; ++i) tabSet->Tabs()->Add(L"Another tab " + std::to_wstring(i));
  Redraw(tabSet->Handle());
  ASSERT_TRUE(tabSet->Scroller()->Visible());
  ASSERT_FALSE(skinner->TabRects().empty());
  EXPECT_LT(skinner->TabRects().size(), 13u);
  EXPECT_LE(skinner->TabRects().back().right, tabSet->Width() - tabSet->EndMargin() - kTabSetArrowRoom);
}

TEST_F(TabComboSkinTest, PageControlStripFollowsTheFocusedTabAndThePaneGetsTheBorder) {
  Skin();
  auto* skinner = SkinnerOf<TSkinTab>(pages);
  EXPECT_EQ(skinner->Side(), TabSide::Top);
  Redraw(pages->Handle());
  EXPECT_EQ(skinner->TabCells(), (std::vector<int>{2, 1}));
  const RECT second = pages->TabRect(1);
  ClickAt(pages->Handle(), POINT{(second.left + second.right) / 2, (second.top + second.bottom) / 2});
  UpdateWindow(pages->Handle());
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(skinner->TabCells(), (std::vector<int>{1, 2}));

  // The border's top-left corner lies on the pane, the display area grown by 4.
  Redraw(pages->Handle());
  const RECT display = pages->DisplayRect();
  const Rect pane = TabPaneRect(Rect{display.left, display.top, display.right, display.bottom});
  const Bitmap& border = Elements().Tabs->Bitmap2;
  ASSERT_FALSE(border.Empty());
  Bitmap corner(4, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 4; ++x) corner.At(x, y) = border.At(x, y) & 0xFFFFFF;
  const Bitmap shot = CaptureWindow(pages->Handle());
  EXPECT_GT(ExpectPixels(shot, Rect{pane.left, pane.top, pane.left + 4, pane.top + 5}, corner, "pane"), 0);
}

TEST_F(TabComboSkinTest, TabsAtTheBottomUseTheTabImageFlipped) {
  pages->SetTabPosition(ui::TTabPosition::tpBottom);
  Skin();
  auto* skinner = SkinnerOf<TSkinTab>(pages);
  ASSERT_NE(skinner, nullptr);
  EXPECT_EQ(skinner->Side(), TabSide::Bottom);
  Redraw(pages->Handle());
  // The unfocused tab's bottom-left corner is the top-left corner of cell 1 turned upside down.
  const TDataSkinBorder& tabs = *Elements().Tabs;
  Bitmap flipped = tabs.Bitmap;
  FlipBitmap(flipped);
  const RECT display = pages->DisplayRect();
  const Rect pane = TabPaneRect(Rect{display.left, display.top, display.right, display.bottom});
  const RECT item = pages->TabRect(1);
  const Rect strip = TabStripRect(Rect{0, 0, pages->Width(), pages->Height()}, pane, TabSide::Bottom);
  const Rect target = TabRectInBuffer(Rect{item.left, item.top, item.right, item.bottom}, strip, TabSide::Bottom);
  const Bitmap expected = ComposeSkinRect(Rect{0, 0, target.Width(), target.Height()}, flipped.View(),
                                          tabs.GetMargins(), false, tabs.Tile != 0, tabs.FrameCount, 1);
  // The tab reaches into the pane, whose border is drawn over it.
  const int hidden = std::max(0, pane.bottom - int(item.top));
  Bitmap visible(expected.Width(), expected.Height() - hidden);
  for (int y = 0; y < visible.Height(); ++y)
    for (int x = 0; x < visible.Width(); ++x) visible.At(x, y) = expected.At(x, y + hidden);
  const Rect onScreen{int(item.left), int(item.top) + hidden, int(item.right), std::min(int(item.bottom), strip.bottom)};
  EXPECT_GT(ExpectPixels(CaptureWindow(pages->Handle()), onScreen, visible, "bottom_tab", tabs.LeftWidth), 10);
}

TEST_F(TabComboSkinTest, TabsOnTheLeftAreComposedAsIfOnTopAndTurnedIntoPlace) {
  pages->SetTabPosition(ui::TTabPosition::tpLeft);
  Skin();
  auto* skinner = SkinnerOf<TSkinTab>(pages);
  ASSERT_NE(skinner, nullptr);
  EXPECT_EQ(skinner->Side(), TabSide::Left);
  Redraw(pages->Handle());
  ASSERT_EQ(skinner->TabCells(), (std::vector<int>{2, 1}));
  // The focused tab's outer columns are the top rows of cell 2, turned counter-clockwise.
  const TDataSkinBorder& tabs = *Elements().Tabs;
  const RECT item = pages->TabRect(0);
  Bitmap expected = ComposeSkinRect(Rect{0, 0, int(item.bottom - item.top), int(item.right - item.left)},
                                    tabs.Bitmap.View(), tabs.GetMargins(), false, tabs.Tile != 0, tabs.FrameCount, 2);
  RotateBitmapLeft(expected);
  const RECT display = pages->DisplayRect();
  const Rect pane = TabPaneRect(Rect{display.left, display.top, display.right, display.bottom});
  const Rect strip = TabStripRect(Rect{0, 0, pages->Width(), pages->Height()}, pane, TabSide::Left);
  const int skipped = std::max(0, strip.left - int(item.left));
  const int columns = 3;
  Bitmap outer(columns, expected.Height());
  for (int y = 0; y < outer.Height(); ++y)
    for (int x = 0; x < columns; ++x) outer.At(x, y) = expected.At(x + skipped, y);
  const Rect area{int(item.left) + skipped, int(item.top), int(item.left) + skipped + columns, int(item.bottom)};
  EXPECT_GT(ExpectPixels(CaptureWindow(pages->Handle()), area, outer, "left_tab"), 10);
}

TEST_F(TabComboSkinTest, ATabsImageIsDrawnBesideItsCaption) {
  auto* images = new ui::TImageList(form);
  ui::TBitmap red;
  red.SetSize(16, 16);
  red.Canvas()->Brush()->SetColor(0x0000FF); // a colour code: red
  const RECT all{0, 0, 16, 16};
  red.Canvas()->FillRect(all);
  images->Add(red);
  pages->SetImages(images);
  auto* first = dynamic_cast<ui::TTabSheet*>(pages->Pages(0));
  first->SetImageIndex(0);
  Skin();
  Redraw(pages->Handle());
  auto redIn = [&](const RECT& r) {
    const Bitmap shot = CaptureWindow(pages->Handle());
    int count = 0;
    for (int y = std::max(0, int(r.top)); y < std::min(shot.Height(), int(r.bottom)); ++y)
      for (int x = std::max(0, int(r.left)); x < std::min(shot.Width(), int(r.right)); ++x)
        count += shot.At(x, y) == 0xFF0000;
    return count;
  };
  const RECT tab = pages->TabRect(0);
  EXPECT_GT(redIn(tab), 16 * 8) << "the image shows on the first tab";
  EXPECT_EQ(redIn(pages->TabRect(1)), 0) << "the second tab has none";
  first->SetImageIndex(-1);
  Redraw(pages->Handle());
  EXPECT_EQ(redIn(pages->TabRect(0)), 0);
}

} // namespace
} // namespace vela::skin::test
