#pragma once
// TWinSkinMenu: the skinned menu bar of one frame skinner.
//
// A skinned window that has a menu loses the system's menu bar (SetMenu with none) and the
// frame reserves a strip of SM_CYMENU pixels below the caption instead. This object paints that
// strip from the skin's menu-bar element and keeps one TMenuBtn per top-level item; the frame
// skinner routes the mouse to the items (they are non-client objects like the caption buttons)
// and opens an item's drop-down with OpenMenuItem.
//
//   +--------------------------------------------------------------+
//   | caption                                                      |  frame top
//   +--------------------------------------------------------------+
//   |start| File | View | Help |                                   |  menu bar (SM_CYMENU)
//   +--------------------------------------------------------------+
//   | client                                                       |
//
// Drop-downs are tracked with TrackPopupMenu. While one is open, a thread message-filter hook
// watches the keyboard and the mouse: Left and Right (wrapping round, skipping nothing), a move
// or a press onto another bar item, end the open drop-down with EndMenu and the opening loop then
// opens the next one. The platform does not reliably read a posted click as a press outside the
// menu, and a drop-down must never be opened from inside another's modal loop, so moving always
// goes through the return of TrackPopupMenu.
#include "skin/forms/frame_geometry.h"
#include "skin/forms/nc_objects.h"

#include "ui/bitmap.h"
#include "ui/win_names.h"
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vela::ui {
class TMainMenu;
class TMenuItem;
} // namespace vela::ui

namespace vela::skin {

class TSkinData;

// One top-level item of the skinned menu bar.
class TMenuBtn : public TNCObject {
public:
  TMenuBtn(TNCHost& owner, int index) : TNCObject(owner), Index(index) {}
  void Paint() override { Owner().PaintObject(*this); }

  ui::TMenuItem* Item = nullptr; // set when built from the main menu
  int Index = 0;
  std::wstring Caption; // with its '&' accelerator marker
  bool Enabled = true;
  HMENU DropDown = nullptr;
  UINT Command = 0;
};

// What the menu bar needs from the frame skinner that owns it.
struct TMenuBarFrame {
  HWND window = nullptr;
  TNCHost* host = nullptr;
  // Screen point to frame coordinates.
  std::function<Point(POINT)> screenToFrame;
};

class TWinSkinMenu {
public:
  TWinSkinMenu(TMenuBarFrame frame, TSkinData* skinData, ui::TMainMenu* mainMenu);
  ~TWinSkinMenu();
  TWinSkinMenu(const TWinSkinMenu&) = delete;
  TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

  ui::TMainMenu* MainMenu() const { return mainMenu_; }
  void SetMainMenu(ui::TMainMenu* menu) { mainMenu_ = menu; }
  // The window's menu, taken off the window while the bar shows it.
  HMENU MenuHandle() const { return menuHandle_; }
  // A right-to-left bar lays its items out from the right edge leftwards, and Left and Right
  // swap their meaning while one of its drop-downs is open.
  bool RightToLeft() const { return rightToLeft_; }
  void SetRightToLeft(bool value) { rightToLeft_ = value; }

  // Items from the form's main menu.
  void BuildFromMainMenu();
  // Items from the window's menu handle, empty captions filled from the main menu by position.
  void RebuildMerged();
  // Items from `menu` (none keeps the current handle), empty captions filled from the main menu
  // by command. A bare window's bar is built this way.
  void RebuildFromHandle(HMENU menu);

  int ItemCount() const { return int(items_.size()); }
  TMenuBtn* Item(int index) const;

  // Paints the bar into `canvas` (a window-sized bitmap in frame coordinates) at `bar`.
  void PaintMenuBar(ui::TBitmap& canvas, const Rect& bar, bool active);
  // Repaints one item in its state straight onto the window.
  void PaintItem(const TMenuBtn& item);
  // The first visible item under the frame point whose caption is not empty.
  TMenuBtn* HitMenuItem(Point framePoint) const;
  // The first enabled, visible item whose accelerator is `key`.
  TMenuBtn* FindAccelItem(wchar_t key) const;
  // A screen point in the frame coordinates of the bar's window.
  Point ToFrame(POINT screen) const;
  // Posts the press on an item that opens it (keyboard access).
  void PostPressOn(const TMenuBtn& item) const;

  // Opens the item's drop-down and tracks it, and every drop-down the keyboard or the mouse
  // moves to after it; returns once no drop-down is open. False when the item has none.
  bool OpenMenuItem(TMenuBtn& item);
  // While a drop-down is open: ends it and opens `item`'s next (a press or an accelerator that
  // arrives inside the menu loop).
  void MoveTo(const TMenuBtn& item);
  // True while a drop-down of this bar is open.
  bool Tracking() const;
  // True while a drop-down is open and the keyboard has not closed the menu with Alt: the
  // system's menu mode that Alt would start must then be left to the open menu.
  bool KeyboardInMenu() const;
  // The owner's WM_MENUSELECT while tracking: the highlighted entry, which decides whether
  // Left and Right move along the bar or into and out of a submenu.
  void MenuSelected(WPARAM wParam, LPARAM lParam);
  // The drop-down being tracked, or none.
  HMENU TrackedDropDown() const;

private:
  void FreeItems();
  void ReadHandleItems(HMENU menu, bool byPosition);
  void TidySeparatorsOf(ui::TMenuItem* item);
  void SetItemState(int index, int state);
  // One TrackPopupMenu; returns the bar index to open next, or -1.
  int TrackDropDown(TMenuBtn& item);

  TMenuBarFrame frame_;
  TSkinData* skinData_;
  ui::TMainMenu* mainMenu_;
  HMENU menuHandle_ = nullptr;
  bool rightToLeft_ = false;
  std::vector<std::unique_ptr<TMenuBtn>> items_;
  Rect bar_;
  bool active_ = true;
  // The bar as last painted, without the captions: what an item's repaint starts from.
  Bitmap background_;
  // Cleared when the bar is freed, which a handler run inside a menu loop may do.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Makes every entry of `menu` and of its submenus owner-drawn, keeping their texts.
void MakeOwnerDrawn(HMENU menu);

} // namespace vela::skin
