// Check boxes, radio buttons and groups, combo and list boxes, scroll bars, tab controls, page
// controls and tab sets: read from a description, then driven by the messages a click or a
// key sends, as the native controls turn them into notifications.
#include "tests/win/ui/ui_test_util.h"
#include "ui/button_controls.h"
#include "ui/core/props.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/list_controls.h"
#include "ui/tab_controls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vela::ui::test {
namespace {

constexpr char kDescription[] = R"(object ChoiceForm: TForm
  Left = 60
  Top = 60
  ClientWidth = 520
  ClientHeight = 420
  object Check1: TCheckBox
    Left = 8
    Top = 8
    Caption = 'Verify'
    Checked = True
    Alignment = taLeftJustify
  end
  object Check2: TCheckBox
    Left = 8
    Top = 30
    Caption = 'Three states'
    AllowGrayed = True
    State = cbGrayed
  end
  object Radio1: TRadioButton
    Left = 120
    Top = 8
    Caption = 'One'
    Checked = True
  end
  object Radio2: TRadioButton
    Left = 120
    Top = 30
    Caption = 'Two'
  end
  object Group1: TRadioGroup
    Left = 240
    Top = 4
    Width = 270
    Height = 80
    Caption = 'Speed'
    Columns = 2
    ItemIndex = 2
    Items.Strings = (
      'Slow'
      'Normal'
      'Fast')
  end
  object Combo1: TComboBox
    Left = 8
    Top = 60
    Style = csDropDownList
    DropDownCount = 5
    ItemIndex = 1
    Items.Strings = (
      'COM1'
      'COM2'
      'COM3')
  end
  object Combo2: TComboBox
    Left = 8
    Top = 90
    Text = 'typed'
  end
  object List1: TListBox
    Left = 8
    Top = 120
    Height = 60
    Items.Strings = (
      'alpha'
      'beta')
  end
  object Scroll1: TScrollBar
    Left = 140
    Top = 120
    Max = 50
    PageSize = 11
    Position = 5
    LargeChange = 10
  end
  object Pages: TPageControl
    Left = 8
    Top = 190
    Width = 300
    Height = 120
    ActivePage = Sheet2
    object Sheet1: TTabSheet
      Caption = 'General'
    end
    object Sheet2: TTabSheet
      Caption = 'Advanced'
    end
  end
  object Tabs1: TTabControl
    Left = 320
    Top = 190
    Width = 190
    Height = 120
    TabPosition = tpBottom
    TabIndex = 1
    Tabs.Strings = (
      'Left'
      'Right')
  end
  object TabSet1: TTabSet
    Left = 8
    Top = 320
    Width = 300
    TabIndex = 0
    Tabs.Strings = (
      'Log'
      'Cards')
  end
  object Bit1: TBitBtn
    Left = 320
    Top = 320
    Kind = bkOK
    Layout = blGlyphTop
    NumGlyphs = 2
  end
end
)";

class ChoiceControls : public ::testing::Test {
protected:
  void SetUp() override {
    Application->Initialize();
    form = new TForm(nullptr);
    form->ReadDescriptionText(kDescription);
    form->Show();
    PumpMessages();
  }
  void TearDown() override { delete form; }

  template <class T>
  T* Get(const char* name) {
    auto* found = dynamic_cast<T*>(form->FindComponent(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // What a left click at a client point sends to the window.
  static void Click(HWND window, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(window, WM_LBUTTONUP, 0, where);
    PumpMessages();
  }
  static void ClickCentre(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    Click(window, POINT{r.right / 2, r.bottom / 2});
  }
  static void Key(HWND window, WPARAM key) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, LPARAM(0xC0000001));
    PumpMessages();
  }
  static LRESULT NativeCheck(TWinControl* control) {
    return SendMessageW(control->Handle(), BM_GETCHECK, 0, 0);
  }
  void Count(TNotifyEvent& event, const char* what) {
    event = [this, what](TObject*) { events.push_back(what); };
  }

  TForm* form = nullptr;
  std::vector<std::string> events;
};

TEST_F(ChoiceControls, DescriptionValuesReachThePropertiesAndTheNativeControls) {
  auto* check1 = Get<TCheckBox>("Check1");
  auto* check2 = Get<TCheckBox>("Check2");
  EXPECT_EQ(GetEnumProp(check1, "State"), "cbChecked");
  EXPECT_EQ(NativeCheck(check1), BST_CHECKED);
  EXPECT_TRUE(GetWindowLongPtrW(check1->Handle(), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_EQ(GetEnumProp(check2, "State"), "cbGrayed");
  EXPECT_EQ(GetEnumProp(check2, "Checked"), "False");
  EXPECT_EQ(NativeCheck(check2), BST_INDETERMINATE);

  EXPECT_EQ(GetEnumProp(Get<TRadioButton>("Radio1"), "Checked"), "True");
  auto* group = Get<TRadioGroup>("Group1");
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(GetOrdProp(group, "ItemIndex"), 2);
  EXPECT_EQ(NativeCheck(group->Buttons(2)), BST_CHECKED);
  EXPECT_EQ(group->Buttons(1)->Caption(), L"Normal");
  EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left()) << "two columns";

  auto* combo1 = Get<TComboBox>("Combo1");
  EXPECT_EQ(SendMessageW(combo1->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(combo1->Handle(), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetStrProp(combo1, "Text"), L"COM2");
  EXPECT_EQ(GetWindowLongPtrW(combo1->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_LT(combo1->Height(), 40) << "the height is the closed combo's";
  EXPECT_EQ(GetStrProp(Get<TComboBox>("Combo2"), "Text"), L"typed");

  auto* scroll = Get<TScrollBar>("Scroll1");
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(scroll->Handle(), SB_CTL, &info);
  EXPECT_EQ(info.nMax, 50);
  EXPECT_EQ(info.nPage, 11u);
  EXPECT_EQ(info.nPos, 5);

  auto* pages = Get<TPageControl>("Pages");
  EXPECT_EQ(pages->ActivePage(), Get<TTabSheet>("Sheet2"));
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(IsWindowVisible(Get<TTabSheet>("Sheet1")->Handle()));
  EXPECT_TRUE(IsWindowVisible(Get<TTabSheet>("Sheet2")->Handle()));

  auto* tabs = Get<TTabControl>("Tabs1");
  EXPECT_TRUE(GetWindowLongPtrW(tabs->Handle(), GWL_STYLE) & TCS_BOTTOM);
  EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETCURSEL, 0, 0), 1);
  const RECT display = tabs->DisplayRect();
  EXPECT_LT(display.bottom, tabs->ClientRect().bottom - 10) << "tabs at the bottom";

  EXPECT_EQ(Get<TTabSet>("TabSet1")->Tabs()->Count(), 2);
  auto* bit = Get<TBitBtn>("Bit1");
  EXPECT_EQ(bit->Caption(), L"OK");
  EXPECT_TRUE(bit->Default());
  EXPECT_EQ(GetOrdProp(bit, "NumGlyphs"), 2);
  EXPECT_EQ(GetEnumProp(bit, "Layout"), "blGlyphTop");
  EXPECT_EQ(GetWindowLongPtrW(bit->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(ChoiceControls, CheckBoxTogglesByClickAndSpaceAndCyclesThroughGrayedWhenAllowed) {
  auto* check1 = Get<TCheckBox>("Check1");
  auto* check2 = Get<TCheckBox>("Check2");
  Count(check1->OnClick, "click");
  ClickCentre(check1->Handle());
  EXPECT_FALSE(check1->Checked());
  EXPECT_EQ(NativeCheck(check1), BST_UNCHECKED);
  SetFocus(check1->Handle());
  Key(check1->Handle(), VK_SPACE);
  EXPECT_TRUE(check1->Checked());
  EXPECT_EQ(NativeCheck(check1), BST_CHECKED);
  EXPECT_EQ(events, (std::vector<std::string>{"click", "click"}));
  // Without AllowGrayed a checked box goes back to unchecked; with it, through grayed.
  ClickCentre(check1->Handle());
  EXPECT_EQ(check1->State(), TCheckBoxState::cbUnchecked);
  std::vector<TCheckBoxState> cycle;
  for (int i = 0; i < 3; ++i) {
    ClickCentre(check2->Handle());
    cycle.push_back(check2->State());
  }
  EXPECT_EQ(cycle, (std::vector<TCheckBoxState>{TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked,
                                                TCheckBoxState::cbGrayed}));
  EXPECT_EQ(NativeCheck(check2), BST_INDETERMINATE);
}

TEST_F(ChoiceControls, RadioButtonsOfOneParentExcludeEachOther) {
  auto* radio1 = Get<TRadioButton>("Radio1");
  auto* radio2 = Get<TRadioButton>("Radio2");
  ClickCentre(radio2->Handle());
  EXPECT_TRUE(radio2->Checked());
  EXPECT_FALSE(radio1->Checked());
  EXPECT_EQ(NativeCheck(radio1), BST_UNCHECKED);
  SetFocus(radio1->Handle());
  Key(radio1->Handle(), VK_SPACE);
  EXPECT_TRUE(radio1->Checked());
  EXPECT_FALSE(radio2->Checked());
  // The group's buttons have another parent: they are not touched.
  EXPECT_EQ(Get<TRadioGroup>("Group1")->ItemIndex(), 2);
}

TEST_F(ChoiceControls, RadioGroupFollowsItsButtonsAndRebuildsThemFromItems) {
  auto* group = Get<TRadioGroup>("Group1");
  Count(group->OnClick, "group");
  ClickCentre(group->Buttons(0)->Handle());
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(NativeCheck(group->Buttons(2)), BST_UNCHECKED);
  EXPECT_EQ(events, std::vector<std::string>{"group"});
  group->SetItemIndex(1);
  EXPECT_EQ(NativeCheck(group->Buttons(1)), BST_CHECKED);
  EXPECT_EQ(NativeCheck(group->Buttons(0)), BST_UNCHECKED);
  group->Items()->Delete(2);
  group->Items()->Delete(1);
  EXPECT_EQ(group->ButtonCount(), 1);
  EXPECT_EQ(group->ItemIndex(), -1) << "the checked line is gone";
  group->SetItemIndex(5);
  EXPECT_EQ(group->ItemIndex(), -1);
}

TEST_F(ChoiceControls, CheckAndRadioButtonsTakeTheirParentsColourUnlessGivenTheirOwn) {
  auto* check1 = Get<TCheckBox>("Check1");
  auto* radio1 = Get<TRadioButton>("Radio1");
  auto* group = Get<TRadioGroup>("Group1");
  auto* own = new TCheckBox(form);
  own->SetColor(TColor(0x00FF00));
  own->SetParent(form);
  form->SetColor(TColor(0x345678));
  group->SetColor(TColor(0x876543));
  EXPECT_EQ(check1->Color(), TColor(0x345678));
  EXPECT_EQ(radio1->Color(), TColor(0x345678));
  EXPECT_EQ(group->Buttons(0)->Color(), TColor(0x876543));
  EXPECT_EQ(own->Color(), TColor(0x00FF00));
  // The native control asks for the brush it paints its background with.
  HDC dc = GetDC(check1->Handle());
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(form->Handle(), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(check1->Handle())));
  ReleaseDC(check1->Handle(), dc);
  LOGBRUSH colour{};
  ASSERT_TRUE(GetObjectW(brush, sizeof colour, &colour));
  EXPECT_EQ(colour.lbColor, ColorToRGB(TColor(0x345678)));
}

TEST_F(ChoiceControls, ASheetIsFilledWithItsColourAroundItsLabels) {
  auto* sheet = Get<TTabSheet>("Sheet2");
  auto* label = new TLabel(form);
  label->SetParent(sheet);
  label->SetBounds(4, 4, 80, 16);
  label->SetCaption(L"On the sheet");
  sheet->SetColor(TColor(0x2040A0));
  RedrawWindow(sheet->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpMessages();
  HDC dc = GetDC(sheet->Handle());
  const COLORREF corner = GetPixel(dc, sheet->Width() - 3, sheet->Height() - 3);
  ReleaseDC(sheet->Handle(), dc);
  EXPECT_EQ(corner, ColorToRGB(TColor(0x2040A0)));
}

TEST_F(ChoiceControls, ComboSelectionAndTypingFireOnChange) {
  auto* list = Get<TComboBox>("Combo1");
  auto* edit = Get<TComboBox>("Combo2");
  Count(list->OnChange, "list");
  Count(edit->OnChange, "edit");
  SetFocus(list->Handle());
  Key(list->Handle(), VK_DOWN);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(list->Text(), L"COM3");
  list->SetText(L"com1");
  EXPECT_EQ(list->ItemIndex(), 0) << "a list without edit field selects the line named";
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  ASSERT_TRUE(GetComboBoxInfo(edit->Handle(), &parts));
  HWND field = parts.hwndItem;
  SetFocus(field);
  SendMessageW(field, WM_CHAR, L'!', 1);
  PumpMessages();
  EXPECT_NE(edit->Text().find(L'!'), std::wstring::npos) << "the typed character is in the text";
  EXPECT_EQ(events, (std::vector<std::string>{"list", "edit"}));
  // A line picked in a drop-down combo is its Text by the time OnChange runs.
  edit->Items()->Add(L"first");
  edit->Items()->Add(L"second");
  std::wstring seen;
  edit->OnChange = [&](TObject*) { seen = edit->Text(); };
  SetFocus(edit->Handle());
  Key(field, VK_DOWN);
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_EQ(seen, L"first");
  // Lines changed later keep the selection on its line.
  list->Items()->Insert(0, L"USB");
  EXPECT_EQ(SendMessageW(list->Handle(), CB_GETCOUNT, 0, 0), 4);
  list->SetItemIndex(3);
  EXPECT_EQ(list->Text(), L"COM3");
}

TEST_F(ChoiceControls, DatePickerTellsOfAChangeMadeWithTheKeyboard) {
  auto* picker = new TDateTimePicker(form);
  picker->SetParent(form);
  picker->SetBounds(320, 360, 180, 21);
  SYSTEMTIME day{};
  day.wYear = 2024;
  day.wMonth = 2;
  day.wDay = 28;
  picker->SetDateTime(day);
  Count(picker->OnChange, "picker");
  EXPECT_EQ(picker->DateTime().wDay, 28);
  picker->SetKind(TDateTimeKind::dtkTime);
  EXPECT_TRUE(GetWindowLongPtrW(picker->Handle(), GWL_STYLE) & DTS_TIMEFORMAT);
  EXPECT_EQ(picker->DateTime().wDay, 28) << "the value survives the new window";
  picker->SetKind(TDateTimeKind::dtkDate);
  SetFocus(picker->Handle());
  // Whether the first field is selected on focus differs (Wine selects it with the first
  // arrow key); a step to the next field and up changes the date either way.
  Key(picker->Handle(), VK_UP);
  Key(picker->Handle(), VK_RIGHT);
  Key(picker->Handle(), VK_UP);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), "picker");
  const SYSTEMTIME now = picker->DateTime();
  EXPECT_NE(now.wYear * 10000 + now.wMonth * 100 + now.wDay, 20240228) << "the keyboard changed a field";
}

TEST_F(ChoiceControls, ListBoxClickSelectsAndScrollBarStaysWithinItsLastPage) {
  auto* list = Get<TListBox>("List1");
  Count(list->OnClick, "list");
  RECT item{};
  SendMessageW(list->Handle(), LB_GETITEMRECT, 1, LPARAM(&item));
  Click(list->Handle(), POINT{item.left + 5, (item.top + item.bottom) / 2});
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(events, std::vector<std::string>{"list"});

  auto* scroll = Get<TScrollBar>("Scroll1");
  Count(scroll->OnChange, "scroll");
  HWND parent = form->Handle();
  SendMessageW(parent, WM_HSCROLL, SB_LINEDOWN, LPARAM(scroll->Handle()));
  EXPECT_EQ(scroll->Position(), 6);
  SendMessageW(parent, WM_HSCROLL, SB_PAGEDOWN, LPARAM(scroll->Handle()));
  EXPECT_EQ(scroll->Position(), 17) << "a page is the larger of LargeChange and PageSize";
  SendMessageW(parent, WM_HSCROLL, SB_BOTTOM, LPARAM(scroll->Handle()));
  EXPECT_EQ(scroll->Position(), 40) << "Max - PageSize + 1";
  scroll->SetPosition(1000);
  EXPECT_EQ(scroll->Position(), 40);
  EXPECT_EQ(GetScrollPos(scroll->Handle(), SB_CTL), 40);
  EXPECT_EQ(events.size(), 4u);
}

TEST_F(ChoiceControls, ClickingATabSwitchesPagesAndFiresOnChange) {
  auto* pages = Get<TPageControl>("Pages");
  auto* sheet1 = Get<TTabSheet>("Sheet1");
  Count(pages->OnChange, "pages");
  const RECT first = pages->TabRect(0);
  Click(pages->Handle(), POINT{(first.left + first.right) / 2, (first.top + first.bottom) / 2});
  EXPECT_EQ(pages->ActivePage(), sheet1);
  EXPECT_TRUE(IsWindowVisible(sheet1->Handle()));
  EXPECT_FALSE(IsWindowVisible(Get<TTabSheet>("Sheet2")->Handle()));
  EXPECT_EQ(events, std::vector<std::string>{"pages"});
  // The sheet fills the display area.
  const RECT display = pages->DisplayRect();
  EXPECT_EQ(sheet1->Top(), display.top);
  EXPECT_EQ(sheet1->Width(), display.right - display.left);
  // A sheet's caption is its tab's text; freeing the active sheet activates a neighbour.
  sheet1->SetCaption(L"Basic");
  wchar_t text[32] = {};
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = text;
  tab.cchTextMax = 32;
  SendMessageW(pages->Handle(), TCM_GETITEMW, 0, LPARAM(&tab));
  EXPECT_STREQ(text, L"Basic");
  delete sheet1;
  EXPECT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->ActivePage(), Get<TTabSheet>("Sheet2"));
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);

  auto* tabs = Get<TTabControl>("Tabs1");
  Count(tabs->OnChange, "tabs");
  const RECT left = tabs->TabRect(0);
  Click(tabs->Handle(), POINT{(left.left + left.right) / 2, (left.top + left.bottom) / 2});
  EXPECT_EQ(tabs->TabIndex(), 0);
  EXPECT_EQ(events.back(), "tabs");
}

TEST_F(ChoiceControls, TabImagesComeFromTheImageListByTabOrBySheet) {
  auto* images = new TImageList(form);
  TBitmap strip;
  strip.SetSize(32, 16);
  images->Add(strip);
  ASSERT_EQ(images->Count(), 2);
  auto* tabs = Get<TTabControl>("Tabs1");
  auto* pages = Get<TPageControl>("Pages");
  tabs->SetImages(images);
  pages->SetImages(images);
  Get<TTabSheet>("Sheet2")->SetImageIndex(0);
  auto imageOf = [](TWinControl* control, int index) {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    SendMessageW(control->Handle(), TCM_GETITEMW, WPARAM(index), LPARAM(&item));
    return item.iImage;
  };
  EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETIMAGELIST, 0, 0), LRESULT(images->Handle()));
  EXPECT_EQ(imageOf(tabs, 1), 1) << "a tab control's tab i shows image i";
  EXPECT_EQ(imageOf(pages, 0), -1) << "a sheet without ImageIndex";
  EXPECT_EQ(imageOf(pages, 1), 0);
  delete images;
  EXPECT_EQ(tabs->Images(), nullptr);
  EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETIMAGELIST, 0, 0), 0);
}

TEST_F(ChoiceControls, TabSetClicksSelectAndArrowsScrollTabsThatDoNotFit) {
  auto* set = Get<TTabSet>("TabSet1");
  Count(set->OnChange, "set");
  std::vector<RECT> rects = set->VisibleTabRects();
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].left, set->StartMargin());
  Click(set->Handle(), POINT{(rects[1].left + rects[1].right) / 2, 5});
  EXPECT_EQ(set->TabIndex(), 1);
  EXPECT_EQ(events, std::vector<std::string>{"set"});
  Click(set->Handle(), POINT{set->Width() - 2, 5});
  EXPECT_EQ(set->TabIndex(), 1) << "a click beside the tabs changes nothing";
  EXPECT_FALSE(set->Scroller()->Visible());
  EXPECT_EQ(set->ComponentCount() > 0 ? set->Components(0) : nullptr, set->Scroller());

  for (int i = 0; i < 12; ++i) set->Tabs()->Add(L"Extra tab " + std::to_wstring(i));
  ASSERT_TRUE(set->Scroller()->Visible());
  rects = set->VisibleTabRects();
  ASSERT_FALSE(rects.empty());
  EXPECT_LE(rects.back().right, set->Width() - set->EndMargin() - set->Scroller()->Width());
  // The right arrow scrolls one tab off to the left.
  HWND arrows = set->Scroller()->Handle();
  RECT arrowRect{};
  GetClientRect(arrows, &arrowRect);
  Click(arrows, POINT{arrowRect.right - 3, arrowRect.bottom / 2});
  EXPECT_TRUE(PumpUntil([&] { return set->FirstIndex() == 1; }, 10000));
  // Selecting a tab out of view scrolls it in.
  set->SetTabIndex(13);
  rects = set->VisibleTabRects();
  EXPECT_EQ(set->FirstIndex() + int(rects.size()) - 1, 13);
  set->SetTabIndex(0);
  EXPECT_EQ(set->FirstIndex(), 0);
}

TEST_F(ChoiceControls, SortedListBoxShowsItsLinesInTheOrderOfItems) {
  auto* list = Get<TListBox>("List1");
  list->SetSorted(true);
  list->Items()->Add(L"Charlie");
  list->Items()->Add(L"Able");
  EXPECT_EQ(list->Items()->Get(0), L"Able") << "lines added later are sorted in";
  HWND h = list->Handle();
  ASSERT_EQ(SendMessageW(h, LB_GETCOUNT, 0, 0), list->Items()->Count());
  for (int i = 0; i < list->Items()->Count(); ++i) {
    std::wstring shown(std::size_t(SendMessageW(h, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
    shown.resize(std::size_t(SendMessageW(h, LB_GETTEXT, WPARAM(i), LPARAM(shown.data()))));
    EXPECT_EQ(shown, list->Items()->Get(i)) << "line " << i;
  }
  // A click on a line selects that line of Items.
  RECT item{};
  SendMessageW(h, LB_GETITEMRECT, 0, LPARAM(&item));
  Click(h, POINT{item.left + 5, (item.top + item.bottom) / 2});
  ASSERT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->Items()->Get(list->ItemIndex()), L"Able");
}

TEST_F(ChoiceControls, TabSetWhoseTabsAreReplacedShowsTheNewOnesFromTheFirst) {
  auto* set = Get<TTabSet>("TabSet1");
  for (int i = 0; i < 12; ++i)
    set->Tabs()->Add(L"Extra tab " + std::to_wstring(i));
  set->SetTabIndex(13);
  ASSERT_GT(set->FirstIndex(), 0);
  set->Tabs()->Clear();
  set->Tabs()->Add(L"Only");
  EXPECT_EQ(set->FirstIndex(), 0);
  EXPECT_EQ(set->VisibleTabRects().size(), 1u) << "the one tab left is shown";
  EXPECT_FALSE(set->Scroller()->Visible());
}

} // namespace
} // namespace vela::ui::test
