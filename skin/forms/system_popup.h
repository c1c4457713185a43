#pragma once
// The skin's own system menu: a popup menu with Tag 33333 offering restore, maximise, minimise
// and close, owned by a frame skinner. Its items are owner-drawn; the skinner's window hands
// their measuring and drawing to this object (a bare window has no form to do it), which paints
// them with the skinned menu-item painter in the skin of that window.
#include "skin/forms/caption_layout.h"
#include "ui/messages.h"

#include "ui/win_names.h"
#include <windows.h>

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
  // item's width (besides 12, or 35 without glyphs). `onClick` receives the chosen item's tag.
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
  // WM_MEASUREITEM and WM_DRAWITEM of this menu's items, received by `window`; false for
  // anything else.
  bool HandleItemMessage(HWND window, ui::TMessage& m);

private:
  ui::TMenuItem* Find(ULONG_PTR itemData) const;
  // WM_DRAWITEM of one of this menu's items, when the window is skinned.
  bool PaintItem(HWND window, ui::TMessage& m);

  std::unique_ptr<ui::TPopupMenu> menu_;
  std::vector<ui::TMenuItem*> items_;
  int extraWidth_;
};

} // namespace vela::skin
