#pragma once
// Menus: a form's menu bar (TMainMenu, the form's Menu) and popup menus, made of TMenuItem.
//
//   TMenuItem* file = new TMenuItem(form);  file->SetCaption(L"&File");
//   TMenuItem* quit = new TMenuItem(form);  quit->SetCaption(L"E&xit");
//   quit->OnClick = [](TObject*) { ... };
//   file->Add(quit);
//   menu->Items()->Add(file);
//
// When items change, the form using a main menu receives CM_MENUCHANGED after the native menu
// has been rebuilt. OwnerDraw makes every item MFT_OWNERDRAW (its window gets WM_MEASUREITEM
// and WM_DRAWITEM).
#include "ui/core/component.h"

#include <windows.h>
#include "ui/win_names.h"

#include <string>
#include <vector>

namespace vela::ui {

class TMenu;

class TMenuItem : public TComponent {
  VELA_CLASS_INFO
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  std::wstring Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value) { groupIndex_ = value; }

  int Count() const { return int(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(std::size_t(index)); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  TMenuItem* Parent() const { return parent_; }
  TMenu* GetParentMenu() const;
  // The command id used in WM_COMMAND.
  UINT Command() const { return command_; }
  // The native submenu of an item that has children, built on demand. It stays the same
  // handle while items change (its entries are refilled), so it may be held while open.
  HMENU Handle();
  bool IsLine() const { return caption_ == L"-"; }
  virtual void Click();

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;

  TNotifyEvent OnClick;

private:
  friend class TMenu;
  void Changed();
  void ContentChanged();
  void Refill();
  void RefillAll();
  void AppendTo(HMENU menu, bool ownerDraw);
  void DestroyHandle();
  TMenuItem* FindCommand(UINT command);

  std::wstring caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr; // set on a menu's root item
  HMENU handle_ = nullptr;
  UINT command_ = 0;
};

class TMenu : public TComponent {
  VELA_CLASS_INFO
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  TMenuItem* Items() const { return items_; }
  HMENU Handle();
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool value);
  // Runs the OnClick of the item with this command id; false when none has it.
  bool DispatchCommand(UINT command);
  void SetParentComponent(TComponent*) override {}

protected:
  friend class TMenuItem;
  virtual HMENU CreateMenuHandle() = 0;
  virtual void MenuChanged();
  void Rebuild();

private:
  TMenuItem* items_;
  HMENU handle_ = nullptr;
  bool ownerDraw_ = false;
};

class TMainMenu : public TMenu {
  VELA_CLASS_INFO
public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}

protected:
  HMENU CreateMenuHandle() override { return CreateMenu(); }
  void MenuChanged() override;
};

class TPopupMenu : public TMenu {
  VELA_CLASS_INFO
public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
  // Shows the menu at a screen point; the chosen item's OnClick runs.
  void Popup(int x, int y);

protected:
  HMENU CreateMenuHandle() override { return CreatePopupMenu(); }
};

} // namespace vela::ui
