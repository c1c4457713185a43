#include "ui/list_view.h"

#include <commctrl.h>

#include <algorithm>

namespace vela::ui {

namespace {
const std::vector<std::string> kAlignmentIdents = {"taLeftJustify", "taRightJustify", "taCenter"};

int ColumnFormat(TAlignment a) {
  return a == TAlignment::taCenter ? LVCFMT_CENTER : a == TAlignment::taRightJustify ? LVCFMT_RIGHT : LVCFMT_LEFT;
}
} // namespace

// ---- columns

const TClassInfo& TListColumn::StaticClassInfo() {
  using P = PropsOf<TListColumn>;
  static const TClassInfo info = MakeClassInfo<TListColumn>(
      "TListColumn", &TCollectionItem::StaticClassInfo(),
      {P::Enum<TAlignment>("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment, kAlignmentIdents),
       P::Str("Caption", &TListColumn::Caption, &TListColumn::SetCaption),
       P::Int("Width", &TListColumn::Width, &TListColumn::SetWidth)});
  return info;
}

void TListColumn::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  Changed();
}
void TListColumn::SetWidth(int width) {
  width_ = width;
  Changed();
}
void TListColumn::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed();
}

void TListColumn::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TListColumn*>(source)) {
    caption_ = c->caption_;
    width_ = c->width_;
    alignment_ = c->alignment_;
    Changed();
    return;
  }
  TCollectionItem::Assign(source);
}

const TClassInfo& TListColumns::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TListColumns>("TListColumns", &TCollection::StaticClassInfo(), {});
  return info;
}

// ---- items

TListItem::TListItem(TListItems* owner) : owner_(owner), subItems_(std::make_unique<TStringList>()) {
  subItems_->OnChange = [this](TObject*) {
    int index = Index();
    if (index >= 0) owner_->owner_->UpdateNativeItem(index);
  };
}

TListItem::~TListItem() { subItems_->OnChange = nullptr; }

int TListItem::Index() const { return owner_->IndexOf(this); }

void TListItem::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  int index = Index();
  if (index >= 0) owner_->owner_->UpdateNativeItem(index);
}

bool TListItem::Checked() const {
  int index = Index();
  if (index >= 0 && owner_->owner_->HandleAllocated()) return owner_->owner_->NativeChecked(index);
  return checked_;
}

void TListItem::SetChecked(bool checked) {
  checked_ = checked;
  int index = Index();
  if (index >= 0 && owner_->owner_->HandleAllocated()) owner_->owner_->SetNativeChecked(index, checked);
}

bool TListItem::Selected() const {
  int index = Index();
  if (index >= 0 && owner_->owner_->HandleAllocated()) return owner_->owner_->NativeSelected(index);
  return selected_;
}

void TListItem::SetSelected(bool selected) {
  selected_ = selected;
  int index = Index();
  if (index >= 0 && owner_->owner_->HandleAllocated()) owner_->owner_->SetNativeSelected(index, selected);
}

void TListItem::Delete() { owner_->Delete(Index()); }

TListItems::~TListItems() { items_.clear(); }

int TListItems::IndexOf(const TListItem* item) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return int(i);
  return -1;
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
  if (index < 0 || index > Count()) throw EInvalidOperation("List item index out of bounds");
  items_.insert(items_.begin() + index, std::make_unique<TListItem>(this));
  owner_->InsertNativeItem(index);
  return items_[std::size_t(index)].get();
}

void TListItems::Delete(int index) {
  if (index < 0 || index >= Count()) throw EInvalidOperation("List item index out of bounds");
  owner_->DeleteNativeItem(index);
  items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
  if (HWND h = owner_->HandleIfAllocated()) SendMessageW(h, LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
}

// ---- the control

const TClassInfo& TCustomListView::StaticClassInfo() {
  using P = PropsOf<TCustomListView>;
  static const TClassInfo info = MakeClassInfo<TCustomListView>(
      "TCustomListView", &TWinControl::StaticClassInfo(),
      {P::Bool("Checkboxes", &TCustomListView::Checkboxes, &TCustomListView::SetCheckboxes),
       P::Owned<TListColumns>("Columns", &TCustomListView::Columns),
       P::Bool("GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines),
       P::Bool("HideSelection", &TCustomListView::HideSelection, &TCustomListView::SetHideSelection),
       P::Bool("MultiSelect", &TCustomListView::MultiSelect, &TCustomListView::SetMultiSelect),
       P::Bool("ReadOnly", &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly),
       P::Bool("RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect),
       P::Bool("ShowColumnHeaders", &TCustomListView::ShowColumnHeaders, &TCustomListView::SetShowColumnHeaders),
       P::Enum<TViewStyle>("ViewStyle", &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle,
                           {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}),
       P::Event("OnChange", &TCustomListView::OnChange)});
  return info;
}

const TClassInfo& TListView::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TListView>("TListView", &TCustomListView::StaticClassInfo(), {});
  return info;
}

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner), columns_(std::make_unique<TListColumns>()), items_(std::make_unique<TListItems>(this)) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
  columns_->OnUpdate = [this](TCollectionItem*) { RebuildColumns(); };
}

TCustomListView::~TCustomListView() {
  Destroying();
  columns_->OnUpdate = nullptr;
  DestroyHandle();
}

void TCustomListView::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.baseClass = WC_LISTVIEWW;
  static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  p.style |= styles[int(viewStyle_)] | LVS_SHAREIMAGELISTS;
  if (!multiSelect_) p.style |= LVS_SINGLESEL;
  if (!hideSelection_) p.style |= LVS_SHOWSELALWAYS;
  if (!readOnly_) p.style |= LVS_EDITLABELS;
  if (!showColumnHeaders_) p.style |= LVS_NOCOLUMNHEADER;
  p.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::ApplyExtendedStyle() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  DWORD mask = LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
  DWORD value = (checkboxes_ ? LVS_EX_CHECKBOXES : 0) | (gridLines_ ? LVS_EX_GRIDLINES : 0) |
                (rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
  SendMessageW(h, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, value);
}

void TCustomListView::HandleCreated() {
  TWinControl::HandleCreated();
  HWND h = HandleIfAllocated();
  SendMessageW(h, LVM_SETBKCOLOR, 0, LPARAM(ColorToRGB(Color())));
  SendMessageW(h, LVM_SETTEXTBKCOLOR, 0, LPARAM(ColorToRGB(Color())));
  SendMessageW(h, LVM_SETTEXTCOLOR, 0, LPARAM(ColorToRGB(Font()->Color())));
  ApplyExtendedStyle();
  RebuildColumns();
  for (int i = 0; i < items_->Count(); ++i) InsertNativeItem(i);
}

void TCustomListView::HandleDestroying() {
  ReadBackStates();
  TWinControl::HandleDestroying();
}

void TCustomListView::ReadBackStates() {
  if (!HandleAllocated()) return;
  for (int i = 0; i < items_->Count(); ++i) {
    items_->Item(i)->checked_ = NativeChecked(i);
    items_->Item(i)->selected_ = NativeSelected(i);
  }
}

void TCustomListView::RebuildColumns() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  while (SendMessageW(h, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (int i = 0; i < columns_->Count(); ++i) {
    TListColumn* c = columns_->Items(i);
    std::wstring caption = c->Caption();
    LVCOLUMNW col{};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    // The first column of a list view is always left-aligned.
    col.fmt = i == 0 ? LVCFMT_LEFT : ColumnFormat(c->Alignment());
    col.cx = c->Width();
    col.pszText = caption.data();
    col.iSubItem = i;
    SendMessageW(h, LVM_INSERTCOLUMNW, WPARAM(i), LPARAM(&col));
  }
}

void TCustomListView::InsertNativeItem(int index) {
  HWND h = HandleIfAllocated();
  if (!h) return;
  TListItem* item = items_->Item(index);
  std::wstring caption = item->caption_;
  LVITEMW lv{};
  lv.mask = LVIF_TEXT;
  lv.iItem = index;
  lv.pszText = caption.data();
  SendMessageW(h, LVM_INSERTITEMW, 0, LPARAM(&lv));
  UpdateNativeItem(index);
  if (item->checked_) SetNativeChecked(index, true);
  if (item->selected_) SetNativeSelected(index, true);
}

void TCustomListView::UpdateNativeItem(int index) {
  HWND h = HandleIfAllocated();
  if (!h) return;
  TListItem* item = items_->Item(index);
  std::wstring caption = item->caption_;
  LVITEMW lv{};
  lv.iSubItem = 0;
  lv.pszText = caption.data();
  SendMessageW(h, LVM_SETITEMTEXTW, WPARAM(index), LPARAM(&lv));
  int columns = std::max(columns_->Count(), item->subItems_->Count() + 1);
  for (int s = 1; s < columns; ++s) {
    std::wstring text = s - 1 < item->subItems_->Count() ? item->subItems_->Get(s - 1) : std::wstring();
    lv.iSubItem = s;
    lv.pszText = text.data();
    SendMessageW(h, LVM_SETITEMTEXTW, WPARAM(index), LPARAM(&lv));
  }
}

void TCustomListView::DeleteNativeItem(int index) {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, LVM_DELETEITEM, WPARAM(index), 0);
}

bool TCustomListView::NativeChecked(int index) const {
  HWND h = HandleIfAllocated();
  auto state = UINT(SendMessageW(h, LVM_GETITEMSTATE, WPARAM(index), LVIS_STATEIMAGEMASK));
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void TCustomListView::SetNativeChecked(int index, bool checked) {
  LVITEMW lv{};
  lv.stateMask = LVIS_STATEIMAGEMASK;
  lv.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageW(HandleIfAllocated(), LVM_SETITEMSTATE, WPARAM(index), LPARAM(&lv));
}

bool TCustomListView::NativeSelected(int index) const {
  return (SendMessageW(HandleIfAllocated(), LVM_GETITEMSTATE, WPARAM(index), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TCustomListView::SetNativeSelected(int index, bool selected) {
  LVITEMW lv{};
  lv.stateMask = LVIS_SELECTED;
  lv.state = selected ? LVIS_SELECTED : 0;
  SendMessageW(HandleIfAllocated(), LVM_SETITEMSTATE, WPARAM(index), LPARAM(&lv));
}

TListItem* TCustomListView::GetItemAt(int x, int y) {
  HWND h = HandleIfAllocated();
  if (!h) return nullptr;
  LVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  int index = int(SendMessageW(h, LVM_SUBITEMHITTEST, 0, LPARAM(&hit)));
  if (index < 0 || index >= items_->Count() || !(hit.flags & LVHT_ONITEM)) return nullptr;
  return items_->Item(index);
}

TListItem* TCustomListView::Selected() const {
  HWND h = HandleIfAllocated();
  if (!h) {
    for (int i = 0; i < items_->Count(); ++i)
      if (items_->Item(i)->selected_) return items_->Item(i);
    return nullptr;
  }
  int index = int(SendMessageW(h, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
  return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

int TCustomListView::SelCount() const {
  HWND h = HandleIfAllocated();
  if (h) return int(SendMessageW(h, LVM_GETSELECTEDCOUNT, 0, 0));
  return int(std::count_if(items_->items_.begin(), items_->items_.end(), [](const auto& i) { return i->selected_; }));
}

void TCustomListView::SetViewStyle(TViewStyle style) {
  if (style == viewStyle_) return;
  viewStyle_ = style;
  ReadBackStates();
  RecreateWnd();
}
void TCustomListView::SetCheckboxes(bool value) {
  checkboxes_ = value;
  ApplyExtendedStyle();
}
void TCustomListView::SetGridLines(bool value) {
  gridLines_ = value;
  ApplyExtendedStyle();
}
void TCustomListView::SetRowSelect(bool value) {
  rowSelect_ = value;
  ApplyExtendedStyle();
}
void TCustomListView::SetMultiSelect(bool value) {
  if (value == multiSelect_) return;
  multiSelect_ = value;
  ReadBackStates();
  RecreateWnd();
}
void TCustomListView::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  ReadBackStates();
  RecreateWnd();
}
void TCustomListView::SetHideSelection(bool value) {
  if (value == hideSelection_) return;
  hideSelection_ = value;
  ReadBackStates();
  RecreateWnd();
}
void TCustomListView::SetShowColumnHeaders(bool value) {
  if (value == showColumnHeaders_) return;
  showColumnHeaders_ = value;
  ReadBackStates();
  RecreateWnd();
}

void TCustomListView::WndProc(TMessage& m) {
  switch (m.Msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONDBLCLK:
    // The native control handles the press first (it ticks a check box, selects rows and
    // waits for the release), then OnMouseDown sees the result.
    DefaultHandler(m);
    if (Enabled()) HandleMouseMessage(m);
    return;
  case CN_NOTIFY: {
    auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
    switch (hdr->code) {
    case NM_CLICK:
      Click();
      return;
    case NM_DBLCLK:
      if (OnDblClick) OnDblClick(this);
      return;
    case LVN_ITEMCHANGED:
      if (OnChange) OnChange(this);
      return;
    case LVN_ENDLABELEDITW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(m.LParam);
      if (info->item.pszText && info->item.iItem >= 0 && info->item.iItem < items_->Count()) {
        items_->Item(info->item.iItem)->caption_ = info->item.pszText;
        m.Result = TRUE;
      }
      return;
    }
    default:
      return;
    }
  }
  default:
    break;
  }
  TWinControl::WndProc(m);
}

} // namespace vela::ui
