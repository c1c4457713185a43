#pragma once
// The painter of owner-drawn items in skinned menus: each item is composed off-screen - the
// menu's background, the skin's MenuItem cell (the first, or the fourth when selected), the
// glyph or check mark, the caption with its accelerator underline and the shortcut text - and
// reaches the menu's DC in one copy. Separators are cut from the second cell of the strip.
// Without a MenuItem element items are drawn plainly in the skin's menu colours.
//
// Items come from a framework menu (ContentOf) or, for menus the program knows only by their
// handle, from the native entry (ContentOfEntry).
#include "skin/data/raster.h"
#include "skin/data/skin_elements.h"
#include "skin/forms/menu_layout.h"
#include "ui/graphics.h"

#include "ui/win_names.h"
#include <windows.h>

#include <string>

namespace vela::ui {
class TImageList;
class TMenuItem;
} // namespace vela::ui

namespace vela::skin {

// What one item shows.
struct MenuItemContent {
  std::wstring caption; // with its '&' accelerator marker; "-" for a separator
  std::wstring shortcut;
  bool enabled = true;
  bool checked = false;
  bool radio = false;
  bool isDefault = false; // drawn in bold
  ui::TImageList* images = nullptr;
  int imageIndex = -1;
  bool rightToLeft = false;

  bool IsLine() const { return caption == L"-"; }
  bool HasImage() const;
};

// The screen's menu font (bold for a default item); empty when the system cannot tell it.
ui::TGdiObject<HFONT> MenuFont(bool bold = false);

// A framework item, its images and mirroring taken from its parent menu.
MenuItemContent ContentOf(ui::TMenuItem& item);
// A native entry by command id: its text ("-" when it has none), state and check.
MenuItemContent ContentOfEntry(HMENU menu, UINT command);

// The menu background an item blends into: the popup window's bitmap and where the item's
// rectangle lies in it. An empty raster means the skin's Menu colour.
struct MenuBackground {
  Raster pixels;
  int offsetX = 0;
  int offsetY = 0;
};

// The background for an item of `menu` at `rect` (the item's place in the menu window's
// client area): the popup skinner's that shows the menu. A popup skinner still waiting for its
// menu is given this one first.
MenuBackground ItemBackground(HMENU menu, const RECT& rect);

// Paints with the skin's MenuItem element, or plainly without one.
void PaintSkinnedMenuItem(HDC dc, const RECT& rect, const MenuItemContent& item, bool selected,
                          const TSkinElements& skin, const MenuBackground& background = {});
// An item filled with the highlight colour when selected, else the menu colour.
void PaintPlainMenuItem(HDC dc, const RECT& rect, const MenuItemContent& item, bool selected,
                        const TSkinElements& skin);
// Glyph, caption and shortcut into `rect` of `dc` (no background).
void PaintMenuItemContent(HDC dc, const Rect& rect, const MenuItemContent& item, bool selected,
                          const TSkinElements& skin);
// The skin's separator stretched over `target` of `canvas`, magenta left unpainted.
void PaintMenuSeparator(const Raster& canvas, const Rect& target, const TDataSkinObject& element);

} // namespace vela::skin
