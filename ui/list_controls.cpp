#include "ui/list_controls.h"

#include <commctrl.h>

#include <algorithm>

namespace vela::ui {

// ---- TItemListControl

const TClassInfo& TItemListControl::StaticClassInfo() {
  using P = PropsOf<TItemListControl>;
  static const TClassInfo info = MakeClassInfo<TItemListControl>(
      "TItemListControl", &TWinControl::StaticClassInfo(),
      {P::Strings<TStrings>("Items", &TItemListControl::Items),
       P::Int("ItemIndex", &TItemListControl::ItemIndex, &TItemListControl::SetItemIndex)});
  return info;
}

TItemListControl::TItemListControl(TComponent* owner)
    : TItemListControl(owner, TListMessages{LB_INSERTSTRING, LB_RESETCONTENT, LB_SETCURSEL, LB_GETCURSEL}) {}

TItemListControl::TItemListControl(TComponent* owner, const TListMessages& messages)
    : TWinControl(owner), items_(std::make_unique<TStringList>()), messages_(messages) {
  SetTabStop(true);
  SetColor(clWindow);
  items_->OnChange = [this](TObject*) {
    if (KeepsItemsSorted() && !sorting_) {
      // Sorting changes the lines again; that change is the one that reaches the window.
      sorting_ = true;
      struct Done {
        bool& flag;
        ~Done() { flag = false; }
      } done{sorting_};
      items_->Sort();
      return;
    }
    if (!HandleAllocated()) return;
    // The selection stays on its line while that line exists.
    ItemIndex();
    FillNative();
  };
}

TItemListControl::~TItemListControl() { items_->OnChange = nullptr; }

int TItemListControl::ItemIndex() const {
  if (HWND h = HandleIfAllocated()) {
    const LRESULT selected = SendMessageW(h, messages_.getCurSel, 0, 0);
    itemIndex_ = selected < 0 ? -1 : int(selected);
  }
  return itemIndex_;
}

void TItemListControl::SetItemIndex(int value) {
  if (!HasState(csLoading)) value = value < 0 || value >= items_->Count() ? -1 : value;
  itemIndex_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, messages_.setCurSel, WPARAM(value), 0);
}

void TItemListControl::HandleCreated() {
  TWinControl::HandleCreated();
  FillNative();
}

void TItemListControl::HandleDestroying() {
  ItemIndex();
  TWinControl::HandleDestroying();
}

void TItemListControl::FillNative() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, WM_SETREDRAW, FALSE, 0);
  SendMessageW(h, messages_.resetContent, 0, 0);
  for (int i = 0; i < items_->Count(); ++i) {
    const std::wstring line = items_->Get(i);
    SendMessageW(h, messages_.insertString, WPARAM(i), LPARAM(line.c_str()));
  }
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  SendMessageW(h, messages_.setCurSel, WPARAM(itemIndex_), 0);
  SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(h, nullptr, TRUE);
}

// ---- TCustomComboBox, TComboBox

const TClassInfo& TCustomComboBox::StaticClassInfo() {
  using P = PropsOf<TCustomComboBox>;
  static const TClassInfo info = MakeClassInfo<TCustomComboBox>(
      "TCustomComboBox", &TItemListControl::StaticClassInfo(),
      {P::Int("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount),
       P::Enum<TComboBoxStyle>("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle,
                               {"csDropDown", "csSimple", "csDropDownList"}),
       P::Event("OnChange", &TCustomComboBox::OnChange), P::Event("OnDropDown", &TCustomComboBox::OnDropDown),
       P::Event("OnCloseUp", &TCustomComboBox::OnCloseUp)});
  return info;
}

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TComboBox>("TComboBox", &TCustomComboBox::StaticClassInfo(), {});
  return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TItemListControl(owner, TListMessages{CB_INSERTSTRING, CB_RESETCONTENT, CB_SETCURSEL, CB_GETCURSEL}) {
  SetBounds(0, 0, 145, 21);
}

int TCustomComboBox::ListHeight() const {
  if (style_ == TComboBoxStyle::csSimple) return 0;
  TCanvas measure;
  measure.Font()->Assign(Font());
  return dropDownCount_ * measure.TextHeight(L"0") + 2;
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TItemListControl::CreateParams(p);
  p.baseClass = L"COMBOBOX";
  p.style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
  case TComboBoxStyle::csDropDown:
    p.style |= CBS_DROPDOWN;
    break;
  case TComboBoxStyle::csSimple:
    p.style |= CBS_SIMPLE;
    break;
  case TComboBoxStyle::csDropDownList:
    p.style |= CBS_DROPDOWNLIST;
    break;
  }
  p.height += ListHeight();
}

void TCustomComboBox::HandleCreated() {
  const std::wstring text = text_;
  TItemListControl::HandleCreated();
  if (style_ != TComboBoxStyle::csDropDownList && itemIndex_ < 0)
    SetWindowTextW(HandleIfAllocated(), text.c_str());
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
  TItemListControl::SetBounds(left, top, width, height);
  if (HWND h = HandleIfAllocated())
    SetWindowPos(h, nullptr, 0, 0, Width(), height + ListHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int value) {
  dropDownCount_ = std::max(1, value);
  if (HWND h = HandleIfAllocated())
    SetWindowPos(h, nullptr, 0, 0, Width(), Height() + ListHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring TCustomComboBox::GetText() const {
  if (style_ == TComboBoxStyle::csDropDownList) {
    const int index = ItemIndex();
    return index >= 0 && index < Items()->Count() ? Items()->Get(index) : std::wstring();
  }
  return TItemListControl::GetText();
}

void TCustomComboBox::SetText(const std::wstring& text) {
  if (style_ == TComboBoxStyle::csDropDownList) {
    // A list without an edit field shows only its lines: the text selects the line it names.
    SetItemIndex(Items()->IndexOf(text));
    return;
  }
  TItemListControl::SetText(text);
}

bool TCustomComboBox::DroppedDown() const {
  HWND h = HandleIfAllocated();
  return h && SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, CB_SHOWDROPDOWN, value, 0);
}

void TCustomComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    switch (HIWORD(m.WParam)) {
    case CBN_SELCHANGE:
      // The edit field takes the picked line only after this notification: a handler that
      // reads Text must already see it.
      if (ItemIndex() >= 0 && style_ != TComboBoxStyle::csDropDownList)
        SetWindowTextW(HandleIfAllocated(), Items()->Get(itemIndex_).c_str());
      if (OnChange) OnChange(this);
      return;
    case CBN_EDITCHANGE:
      ItemIndex();
      if (OnChange) OnChange(this);
      return;
    case CBN_DROPDOWN:
      if (OnDropDown) OnDropDown(this);
      return;
    case CBN_CLOSEUP:
      if (OnCloseUp) OnCloseUp(this);
      return;
    default:
      break;
    }
  }
  TItemListControl::WndProc(m);
}

// ---- TCustomListBox, TListBox

const TClassInfo& TCustomListBox::StaticClassInfo() {
  using P = PropsOf<TCustomListBox>;
  static const TClassInfo info =
      MakeClassInfo<TCustomListBox>("TCustomListBox", &TItemListControl::StaticClassInfo(),
                                    {P::Bool("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted)});
  return info;
}

const TClassInfo& TListBox::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TListBox>("TListBox", &TCustomListBox::StaticClassInfo(), {});
  return info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TItemListControl(owner) { SetBounds(0, 0, 121, 97); }

void TCustomListBox::CreateParams(TCreateParams& p) {
  TItemListControl::CreateParams(p);
  p.baseClass = L"LISTBOX";
  p.style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (sorted_) p.style |= LBS_SORT;
  p.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  if (value) static_cast<TStringList*>(Items())->Sort();
  RecreateWnd();
}

void TCustomListBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == LBN_SELCHANGE) {
    ItemIndex();
    Click();
    return;
  }
  TItemListControl::WndProc(m);
}

// ---- TScrollBar

const TClassInfo& TScrollBar::StaticClassInfo() {
  using P = PropsOf<TScrollBar>;
  static const TClassInfo info = MakeClassInfo<TScrollBar>(
      "TScrollBar", &TWinControl::StaticClassInfo(),
      {P::Enum<TScrollBarKind>("Kind", &TScrollBar::Kind, &TScrollBar::SetKind, {"sbHorizontal", "sbVertical"}),
       P::Int("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange),
       P::Int("Max", &TScrollBar::Max, &TScrollBar::SetMax), P::Int("Min", &TScrollBar::Min, &TScrollBar::SetMin),
       P::Int("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize),
       P::Int("Position", &TScrollBar::Position, &TScrollBar::SetPosition),
       P::Int("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange),
       P::Event("OnChange", &TScrollBar::OnChange)});
  return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.baseClass = L"SCROLLBAR";
  p.style |= kind_ == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::HandleCreated() {
  TWinControl::HandleCreated();
  UpdateNative();
}

void TScrollBar::UpdateNative() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, min_, max_, UINT(pageSize_), position_, 0};
  SetScrollInfo(h, SB_CTL, &info, TRUE);
}

int TScrollBar::LastPosition() const {
  return std::max(min_, max_ - std::max(0, pageSize_ - 1));
}

void TScrollBar::SetKind(TScrollBarKind value) {
  if (value == kind_) return;
  kind_ = value;
  if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetMin(int value) {
  min_ = value;
  if (HasState(csLoading)) return;
  max_ = std::max(max_, min_);
  SetPosition(position_);
  UpdateNative();
}

void TScrollBar::SetMax(int value) {
  max_ = value;
  if (HasState(csLoading)) return;
  min_ = std::min(max_, min_);
  SetPosition(position_);
  UpdateNative();
}

void TScrollBar::SetPageSize(int value) {
  pageSize_ = std::max(0, value);
  if (HasState(csLoading)) return;
  SetPosition(position_);
  UpdateNative();
}

void TScrollBar::SetPosition(int value) {
  if (!HasState(csLoading)) value = std::clamp(value, min_, LastPosition());
  if (value == position_) return;
  position_ = value;
  UpdateNative();
  if (!HasState(csLoading) && OnChange) OnChange(this);
}

void TScrollBar::Scroll(int code, int trackPosition) {
  switch (code) {
  case SB_LINEUP: SetPosition(position_ - smallChange_); break;
  case SB_LINEDOWN: SetPosition(position_ + smallChange_); break;
  case SB_PAGEUP: SetPosition(position_ - std::max(largeChange_, pageSize_)); break;
  case SB_PAGEDOWN: SetPosition(position_ + std::max(largeChange_, pageSize_)); break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION: SetPosition(trackPosition); break;
  case SB_TOP: SetPosition(min_); break;
  case SB_BOTTOM: SetPosition(LastPosition()); break;
  default: break;
  }
}

void TScrollBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    // The 16-bit position of the message is not trusted: the 32-bit one is asked for.
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(HandleIfAllocated(), SB_CTL, &info);
    Scroll(LOWORD(m.WParam), info.nTrackPos);
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TDateTimePicker

const TClassInfo& TDateTimePicker::StaticClassInfo() {
  using P = PropsOf<TDateTimePicker>;
  static const TClassInfo info = MakeClassInfo<TDateTimePicker>(
      "TDateTimePicker", &TWinControl::StaticClassInfo(),
      {P::Enum<TDTDateMode>("DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode,
                            {"dmComboBox", "dmUpDown"}),
       P::Enum<TDateTimeKind>("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind, {"dtkDate", "dtkTime"}),
       P::Event("OnChange", &TDateTimePicker::OnChange)});
  return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
  GetLocalTime(&value_);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
  InitCommonControlsEx(&icc);
  p.baseClass = DATETIMEPICK_CLASSW;
  if (kind_ == TDateTimeKind::dtkTime) p.style |= DTS_TIMEFORMAT;
  else if (dateMode_ == TDTDateMode::dmUpDown) p.style |= DTS_UPDOWN;
}

void TDateTimePicker::HandleCreated() {
  TWinControl::HandleCreated();
  SendMessageW(HandleIfAllocated(), DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&value_));
}

SYSTEMTIME TDateTimePicker::DateTime() const {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, DTM_GETSYSTEMTIME, 0, LPARAM(&value_));
  return value_;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value) {
  value_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&value_));
}

void TDateTimePicker::SetKind(TDateTimeKind value) {
  if (value == kind_) return;
  DateTime();
  kind_ = value;
  RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode value) {
  if (value == dateMode_) return;
  DateTime();
  dateMode_ = value;
  RecreateWnd();
}

void TDateTimePicker::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY && reinterpret_cast<const NMHDR*>(m.LParam)->code == UINT(DTN_DATETIMECHANGE)) {
    DateTime();
    if (OnChange) OnChange(this);
    return;
  }
  TWinControl::WndProc(m);
}

} // namespace vela::ui
