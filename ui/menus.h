#pragma once
// Menus: a form's menu bar (TMainMenu, the form's Menu) and popup menus, made of TMenuItem.
//
//   TMenuItem* file = new TMenuItem(form);  file->SetCaption(L"&File");
//   TMenuItem* quit = new TMenuItem(form);  quit->SetCaption(L"E&xit");
//   quit->OnClick = [](TObject*) { ... };
//   file->Add(quit);
//   menu->Items()->Add(file);
//
// When items change, the form using a main menu is sent CM_MENUCHANGED (through its window, so
// that whoever subclassed the window sees it) after the native menu has been rebuilt; the
// form's own handling puts the menu back on its window.
//
// OwnerDraw makes every item MFT_OWNERDRAW. Each native entry carries its TMenuItem in
// dwItemData; the form hands WM_MEASUREITEM and WM_DRAWITEM of its menus to that item, which
// fires OnMeasureItem / OnDrawItem or measures and draws itself (caption, shortcut, check mark
// or the image ImageIndex of the menu's Images).
//
// Command ids of items lie in [kFirstMenuCommand, kMenuCommandLimit): below 4096, the range of
// a program's own menu commands, and are reused once their item is freed.
#include "ui/core/component.h"
#include "ui/core/shortcut.h"
#include "ui/graphics.h"
#include "ui/messages.h"

#include <windows.h>
#include "ui/win_names.h"

#include <string>
#include <vector>

namespace vela::ui {

class TMenu;
class TMenuItem;
class TImageList;

constexpr UINT kFirstMenuCommand = 0x0100;
constexpr UINT kMenuCommandLimit = 0x1000;

using TMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

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
  // Index into the parent menu's Images; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  // Shown after the caption; see ui/core/shortcut.h.
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(int value);
  // The default item of its menu, drawn in bold.
  bool Default() const { return default_; }
  void SetDefault(bool value);

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
  // Whether this item is an entry of a menu bar (drawn without a check-mark column).
  bool IsBarItem() const;
  virtual void Click();

  // Owner-drawn entries: fire the event when assigned, otherwise measure or draw the item the
  // way the system does.
  virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
  virtual void DrawItem(TCanvas* canvas, const RECT& rect, bool selected);

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

private:
  friend class TMenu;
  void DefaultMeasure(TCanvas* canvas, int& width, int& height);
  void DefaultDraw(TCanvas* canvas, const RECT& rect, bool selected);
  std::wstring EntryText() const;
  void Changed();
  void ContentChanged();
  void Refill();
  void RefillAll();
  void AppendTo(HMENU menu, bool ownerDraw);
  void DestroyHandle();
  TMenuItem* FindCommand(UINT command);
  TMenuItem* FindShortCut(TShortCut shortCut);

  std::wstring caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  int imageIndex_ = -1;
  TShortCut shortCut_ = scNone;
  bool default_ = false;
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
  // Images drawn in front of the items (ImageIndex); not owned.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // Runs the OnClick of the item with this command id; false when none has it.
  bool DispatchCommand(UINT command);
  // The item with this command id, or nullptr.
  TMenuItem* FindItem(UINT command) const;
  // The first visible, enabled item (in a visible, enabled branch) with this shortcut.
  TMenuItem* FindShortCut(TShortCut shortCut) const;
  void SetParentComponent(TComponent*) override {}
  void Notification(TComponent* component, TOperation operation) override;

protected:
  friend class TMenuItem;
  virtual HMENU CreateMenuHandle() = 0;
  virtual void MenuChanged();
  void Rebuild();

private:
  TMenuItem* items_;
  HMENU handle_ = nullptr;
  bool ownerDraw_ = false;
  TImageList* images_ = nullptr;
};

// Hands a WM_MEASUREITEM or WM_DRAWITEM of an owner-drawn entry of `menu` to the item the entry
// stands for (MeasureItem / DrawItem) and sets the message's result. `window` received the
// message; its DC is the one measured on. False, with nothing done, for other messages and for
// entries that are not this menu's items (the entry's data is trusted only when the menu has an
// item with that command id at that address).
bool DispatchMenuItemMessage(TMenu* menu, HWND window, TMessage& message);

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
  // Shows the menu at a screen point, owned by the active form (or the main form); the chosen
  // item's OnClick runs.
  void Popup(int x, int y);
  // The same, owned by `owner`, which receives the menu's WM_INITMENUPOPUP, WM_MEASUREITEM and
  // WM_DRAWITEM (a window without a form object, such as a message box, may own it).
  void PopupAt(HWND owner, int x, int y);

protected:
  HMENU CreateMenuHandle() override { return CreatePopupMenu(); }
};

} // namespace vela::ui
