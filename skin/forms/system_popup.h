#pragma once
// The skin's own system menu: a popup menu with Tag 33333 offering restore, maximise, minimise
// and close, owned by a frame skinner. Its items are owner-drawn; until the skinned menu-item
// painter exists they are drawn plainly here (glyph, caption, shortcut), never left blank.
#include "skin/forms/caption_layout.h"
#include "ui/messages.h"

#include <windows.h>
#include "ui/win_names.h"

#include <functional>
#include <memory>
#include <vector>

namespace vela::ui {
class TImageList;
class TMenuItem;
class TPopupMenu;
} // namespace vela::ui

namespace vela::skin {

class TSystemPopup {
public:
  // `glyphs` (may be null) holds the restore, maximise, minimise and close pictures at the
  // index of each item's tag; `extraWidth` is what the skin's menu-item element adds to each
  // item's width. `onClick` receives the tag of the chosen item.
  TSystemPopup(bool maximizeBox, bool minimizeBox, ui::TImageList* glyphs, int extraWidth,
               std::function<void(int tag)> onClick);
  ~TSystemPopup();
  TSystemPopup(const TSystemPopup&) = delete;
  TSystemPopup& operator=(const TSystemPopup&) = delete;

  ui::TPopupMenu* Menu() const { return menu_.get(); }
  // Enables the items that make sense in this show state.
  void UpdateEnabled(ShowState show);
  // Shows the menu at a screen point with `owner` receiving its drawing messages, and runs the
  // chosen item. `alive` tells whether the caller still exists once the menu has closed.
  void Track(HWND owner, POINT screen, const std::shared_ptr<bool>& alive);
  // WM_MEASUREITEM and WM_DRAWITEM for this menu's items; false for anything else.
  bool HandleItemMessage(ui::TMessage& m);

private:
  struct Entry {
    ui::TMenuItem* item;
    SystemPopupItem text;
  };
  const Entry* Find(ULONG_PTR itemData) const;
  void Measure(const Entry& e, MEASUREITEMSTRUCT& mis) const;
  void Draw(const Entry& e, const DRAWITEMSTRUCT& dis) const;
  HFONT MenuFont() const;

  std::unique_ptr<ui::TPopupMenu> menu_;
  std::vector<Entry> entries_;
  ui::TImageList* glyphs_;
  int extraWidth_;
  mutable HFONT menuFont_ = nullptr;
};

} // namespace vela::skin
