#include "ui/menus.h"

#include "ui/application.h"
#include "ui/form.h"
#include "ui/messages.h"

#include <algorithm>

namespace vela::ui {

namespace {
UINT NextCommand() {
  static UINT next = 0x1000;
  return next++;
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
       P::Event("OnClick", &TMenuItem::OnClick)});
  return info;
}

namespace {

// Refills a native menu from items. Entries are removed, not deleted, so that the submenus of
// the items (their Handle) stay valid for whoever holds them.
void DetachEntries(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
}

} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (handle_) DetachEntries(handle_);
  for (TMenuItem* child : items_) child->parent_ = nullptr;
  items_.clear();
  if (parent_) parent_->Remove(this);
  DestroyHandle();
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
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
  mii.wID = command_;
  mii.dwItemData = ULONG_PTR(this);
  if (IsLine()) {
    mii.fType = MFT_SEPARATOR;
  } else {
    mii.fMask |= MIIM_STRING;
    mii.fType = MFT_STRING | (radioItem_ ? MFT_RADIOCHECK : 0);
    mii.dwTypeData = caption_.data();
    mii.cch = UINT(caption_.size());
  }
  if (ownerDraw) mii.fType |= MFT_OWNERDRAW;
  mii.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED);
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
  static const TClassInfo info = MakeClassInfo<TMenu>("TMenu", &TComponent::StaticClassInfo(),
                                                      {P::Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)});
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
    if (HWND h = form->HandleIfAllocated()) DrawMenuBar(h);
    form->Perform(CM_MENUCHANGED);
  }
}

void TPopupMenu::Popup(int x, int y) {
  HWND owner = nullptr;
  if (TCustomForm* active = Screen->ActiveForm()) owner = active->HandleIfAllocated();
  else if (Application->MainForm()) owner = Application->MainForm()->HandleIfAllocated();
  if (!owner) return;
  UINT command = UINT(TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
  if (command) DispatchCommand(command);
}

} // namespace vela::ui
