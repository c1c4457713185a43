#include "ui/menus.h"

#include "ui/application.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/messages.h"

#include <algorithm>

namespace vela::ui {

namespace {

// Command ids in use. A freed id is handed out again only after every other free one, so that
// a WM_COMMAND still queued for a freed item does not reach its successor.
class CommandIds {
public:
  UINT Take() {
    for (std::size_t tried = 0; tried < used_.size(); ++tried) {
      std::size_t i = next_;
      next_ = (next_ + 1) % used_.size();
      if (!used_[i]) {
        used_[i] = true;
        return kFirstMenuCommand + UINT(i);
      }
    }
    throw EOutOfResources("Too many menu items: every menu command id is in use");
  }
  void Give(UINT command) {
    if (command >= kFirstMenuCommand && command < kMenuCommandLimit) used_[command - kFirstMenuCommand] = false;
  }

private:
  std::vector<bool> used_ = std::vector<bool>(kMenuCommandLimit - kFirstMenuCommand, false);
  std::size_t next_ = 0;
};

CommandIds& Commands() {
  static CommandIds ids;
  return ids;
}

} // namespace

const TClassInfo& TMenuItem::StaticClassInfo() {
  using P = PropsOf<TMenuItem>;
  static const TClassInfo info = MakeClassInfo<TMenuItem>(
      "TMenuItem", &TComponent::StaticClassInfo(),
      {P::Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
       P::Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
       P::Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
       P::Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex),
       P::Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem),
       P::Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible),
       P::Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex),
       P::Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut),
       P::Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault),
       P::Event("OnClick", &TMenuItem::OnClick),
       P::Event("OnDrawItem", &TMenuItem::OnDrawItem),
       P::Event("OnMeasureItem", &TMenuItem::OnMeasureItem)});
  return info;
}

namespace {

// Refills a native menu from items. Entries are removed, not deleted, so that the submenus of
// the items (their Handle) stay valid for whoever holds them.
void DetachEntries(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
}

} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(Commands().Take()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (handle_) DetachEntries(handle_);
  for (TMenuItem* child : items_) child->parent_ = nullptr;
  items_.clear();
  if (parent_) parent_->Remove(this);
  DestroyHandle();
  Commands().Give(command_);
}

void TMenuItem::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  Changed();
}
void TMenuItem::SetChecked(bool value) {
  checked_ = value;
  if (value && radioItem_ && parent_)
    for (TMenuItem* sibling : parent_->items_)
      if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
  Changed();
}
void TMenuItem::SetEnabled(bool value) {
  enabled_ = value;
  Changed();
}
void TMenuItem::SetVisible(bool value) {
  visible_ = value;
  Changed();
}
void TMenuItem::SetRadioItem(bool value) {
  radioItem_ = value;
  Changed();
}
void TMenuItem::SetImageIndex(int value) {
  imageIndex_ = value;
  Changed();
}
void TMenuItem::SetShortCut(int value) {
  shortCut_ = TShortCut(value);
  Changed();
}
void TMenuItem::SetDefault(bool value) {
  default_ = value;
  Changed();
}

std::wstring TMenuItem::EntryText() const {
  std::wstring keys = ShortCutToText(shortCut_);
  return keys.empty() ? caption_ : caption_ + L"\t" + keys;
}

bool TMenuItem::IsBarItem() const {
  return parent_ && parent_->menu_ && dynamic_cast<TMainMenu*>(parent_->menu_);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  ContentChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  ContentChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

HMENU TMenuItem::Handle() {
  if (menu_) return menu_->Handle();
  if (!handle_) {
    handle_ = CreatePopupMenu();
    Refill();
  }
  return handle_;
}

void TMenuItem::Refill() {
  if (!handle_) return;
  DetachEntries(handle_);
  TMenu* menu = GetParentMenu();
  bool ownerDraw = menu && menu->OwnerDraw();
  for (TMenuItem* child : items_) child->AppendTo(handle_, ownerDraw);
}

void TMenuItem::DestroyHandle() {
  if (handle_) {
    DetachEntries(handle_);
    DestroyMenu(handle_);
  }
  handle_ = nullptr;
}

void TMenuItem::AppendTo(HMENU menu, bool ownerDraw) {
  if (!visible_) return;
  MENUITEMINFOW mii{};
  std::wstring text;
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
  mii.wID = command_;
  mii.dwItemData = ULONG_PTR(this);
  if (IsLine()) {
    mii.fType = MFT_SEPARATOR;
  } else {
    mii.fMask |= MIIM_STRING;
    mii.fType = MFT_STRING | (radioItem_ ? MFT_RADIOCHECK : 0);
    text = EntryText();
    mii.dwTypeData = text.data();
    mii.cch = UINT(text.size());
  }
  if (ownerDraw) mii.fType |= MFT_OWNERDRAW;
  mii.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED) | (default_ ? MFS_DEFAULT : 0);
  if (!items_.empty()) {
    mii.fMask |= MIIM_SUBMENU;
    mii.hSubMenu = Handle();
  }
  InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mii);
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
  if (command_ == command && !menu_) return this;
  for (TMenuItem* child : items_)
    if (TMenuItem* found = child->FindCommand(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
  if (!menu_ && (!visible_ || !enabled_)) return nullptr;
  if (!menu_ && shortCut_ == shortCut && !IsLine()) return this;
  for (TMenuItem* child : items_)
    if (TMenuItem* found = child->FindShortCut(shortCut)) return found;
  return nullptr;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::Changed() {
  // The item's own entry lives in its parent's menu.
  if (parent_) parent_->ContentChanged();
}

void TMenuItem::ContentChanged() {
  if (menu_) {
    menu_->MenuChanged();
    return;
  }
  Refill();
  // Gaining the first or losing the last child changes this item's own entry too.
  if (parent_) parent_->ContentChanged();
}

void TMenuItem::RefillAll() {
  Refill();
  for (TMenuItem* child : items_) child->RefillAll();
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
  else if (auto* menu = dynamic_cast<TMenu*>(parent)) menu->Items()->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

// ---- TMenu

const TClassInfo& TMenu::StaticClassInfo() {
  using P = PropsOf<TMenu>;
  static const TClassInfo info =
      MakeClassInfo<TMenu>("TMenu", &TComponent::StaticClassInfo(),
                           {P::Ref<TImageList>("Images", &TMenu::Images, &TMenu::SetImages),
                            P::Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)});
  return info;
}

const TClassInfo& TMainMenu::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TMainMenu>("TMainMenu", &TMenu::StaticClassInfo(), {});
  return info;
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TPopupMenu>("TPopupMenu", &TMenu::StaticClassInfo(), {});
  return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
  Destroying();
  if (handle_) DetachEntries(handle_);
  for (TMenuItem* child : items_->items_) child->parent_ = nullptr;
  items_->items_.clear();
  items_->menu_ = nullptr;
  delete items_;
  // Forms using this menu took it off their windows when they heard of its removal.
  if (handle_) DestroyMenu(handle_);
}

HMENU TMenu::Handle() {
  if (!handle_) {
    handle_ = CreateMenuHandle();
    Rebuild();
  }
  return handle_;
}

void TMenu::Rebuild() {
  if (!handle_) return;
  DetachEntries(handle_);
  for (TMenuItem* child : items_->items_) child->AppendTo(handle_, ownerDraw_);
}

void TMenu::SetOwnerDraw(bool value) {
  if (value == ownerDraw_) return;
  ownerDraw_ = value;
  for (TMenuItem* child : items_->items_) child->RefillAll();
  MenuChanged();
}

void TMenu::MenuChanged() { Rebuild(); }

void TMenu::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  if (ownerDraw_) MenuChanged();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

TMenuItem* TMenu::FindItem(UINT command) const { return items_->FindCommand(command); }

TMenuItem* TMenu::FindShortCut(TShortCut shortCut) const {
  return shortCut == scNone ? nullptr : items_->FindShortCut(shortCut);
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = items_->FindCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

void TMainMenu::MenuChanged() {
  TMenu::MenuChanged();
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->Menu() != this) continue;
    // Through the window, so that a procedure that subclassed it sees the change too.
    if (HWND h = form->HandleIfAllocated()) SendMessageW(h, CM_MENUCHANGED, 0, 0);
  }
}

void TPopupMenu::Popup(int x, int y) {
  HWND owner = nullptr;
  if (TCustomForm* active = Screen->ActiveForm()) owner = active->HandleIfAllocated();
  else if (Application->MainForm()) owner = Application->MainForm()->HandleIfAllocated();
  PopupAt(owner, x, y);
}

void TPopupMenu::PopupAt(HWND owner, int x, int y) {
  if (!owner) return;
  UINT command = UINT(TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
  if (command) DispatchCommand(command);
}

bool DispatchMenuItemMessage(TMenu* menu, HWND window, TMessage& m) {
  if (!menu || (m.Msg != WM_MEASUREITEM && m.Msg != WM_DRAWITEM) || !m.LParam) return false;
  auto itemOf = [menu](UINT command, ULONG_PTR data) -> TMenuItem* {
    TMenuItem* item = menu->FindItem(command);
    return item && ULONG_PTR(item) == data ? item : nullptr;
  };
  if (m.Msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    TMenuItem* item = mis->CtlType == ODT_MENU ? itemOf(mis->itemID, mis->itemData) : nullptr;
    if (!item) return false;
    TWindowDC dc(window);
    TCanvas canvas;
    TCanvasBinding binding(canvas, dc.Handle());
    int width = int(mis->itemWidth), height = int(mis->itemHeight);
    item->MeasureItem(&canvas, width, height);
    mis->itemWidth = UINT(std::max(width, 0));
    mis->itemHeight = UINT(std::max(height, 0));
  } else {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    TMenuItem* item = dis->CtlType == ODT_MENU ? itemOf(dis->itemID, dis->itemData) : nullptr;
    if (!item) return false;
    TDCStateSaver state(dis->hDC);
    TCanvas canvas;
    TCanvasBinding binding(canvas, dis->hDC);
    item->DrawItem(&canvas, dis->rcItem, (dis->itemState & ODS_SELECTED) != 0);
  }
  m.Result = 1;
  return true;
}

// ---- owner-drawn entries

namespace {

constexpr int kGlyphColumn = 16;   // check mark or image
constexpr int kColumnGap = 4;
constexpr int kShortCutGap = 12;   // between the caption and its shortcut
constexpr int kSeparatorHeight = 8;

void UseMenuFont(TCanvas* canvas, bool bold) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    TGdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfMenuFont));
    canvas->Font()->AssignHandle(font.Get());
  }
  TFontStyles style = canvas->Font()->Style();
  canvas->Font()->SetStyle(bold ? style | fsBold : style & ~TFontStyles(fsBold));
}

// Splits "caption\tshortcut".
void SplitEntry(const std::wstring& entry, std::wstring& caption, std::wstring& keys) {
  std::size_t tab = entry.find(L'\t');
  caption = entry.substr(0, tab);
  keys = tab == std::wstring::npos ? std::wstring() : entry.substr(tab + 1);
}

void DrawCheck(TCanvas* canvas, const RECT& box, bool radio) {
  int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  if (radio) {
    canvas->Brush()->SetColor(canvas->Font()->Color());
    canvas->Pen()->SetColor(canvas->Font()->Color());
    Ellipse(canvas->Handle(), cx - 3, cy - 3, cx + 3, cy + 3);
    return;
  }
  canvas->Pen()->SetColor(canvas->Font()->Color());
  for (int dy = 0; dy < 2; ++dy) { // two pixels thick
    canvas->MoveTo(cx - 4, cy - 1 + dy);
    canvas->LineTo(cx - 1, cy + 2 + dy);
    canvas->LineTo(cx + 4, cy - 3 + dy);
  }
}

} // namespace

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
  else DefaultMeasure(canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas* canvas, const RECT& rect, bool selected) {
  if (OnDrawItem) OnDrawItem(this, canvas, rect, selected);
  else DefaultDraw(canvas, rect, selected);
}

void TMenuItem::DefaultMeasure(TCanvas* canvas, int& width, int& height) {
  if (IsLine()) {
    width = kGlyphColumn;
    height = kSeparatorHeight;
    return;
  }
  UseMenuFont(canvas, default_);
  std::wstring caption, keys;
  SplitEntry(EntryText(), caption, keys);
  RECT r{0, 0, 0, 0};
  canvas->DrawText(caption, r, DT_SINGLELINE | DT_CALCRECT);
  width = int(r.right - r.left);
  height = std::max<int>(int(r.bottom - r.top) + 4, GetSystemMetrics(SM_CYMENU));
  if (IsBarItem()) return;
  width += kGlyphColumn + 2 * kColumnGap;
  if (!keys.empty()) width += kShortCutGap + canvas->TextWidth(keys);
}

void TMenuItem::DefaultDraw(TCanvas* canvas, const RECT& rect, bool selected) {
  bool highlighted = selected && !IsLine();
  canvas->Brush()->SetColor(highlighted ? clHighlight : clMenu);
  canvas->FillRect(rect);
  if (IsLine()) {
    RECT line{rect.left + kColumnGap, (rect.top + rect.bottom) / 2 - 1, rect.right - kColumnGap, 0};
    line.bottom = line.top + 2;
    DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  UseMenuFont(canvas, default_);
  canvas->Font()->SetColor(!enabled_ ? clGrayText : highlighted ? clHighlightText : clMenuText);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  RECT text = rect;
  if (!IsBarItem()) {
    RECT glyph{rect.left + kColumnGap, rect.top, rect.left + kColumnGap + kGlyphColumn, rect.bottom};
    TMenu* menu = GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count())
      images->Draw(canvas, glyph.left, (glyph.top + glyph.bottom - images->Height()) / 2, imageIndex_, enabled_);
    else if (checked_)
      DrawCheck(canvas, glyph, radioItem_);
    text.left = glyph.right + kColumnGap;
    text.right -= kColumnGap;
  }
  std::wstring caption, keys;
  SplitEntry(EntryText(), caption, keys);
  UINT centre = IsBarItem() ? DT_CENTER : DT_LEFT;
  canvas->DrawText(caption, text, DT_SINGLELINE | DT_VCENTER | centre);
  if (!keys.empty()) canvas->DrawText(keys, text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

} // namespace vela::ui
