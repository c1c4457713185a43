#pragma once
// Owner drawing of a form's framework menus with the skin: its popup menus and the drop-down
// items of its main menus get the skinned menu-item painter as their draw event and the skin's
// column widths in their measure event. The frame skinner switches this on at attach and off
// at detach.
#include "ui/win_names.h"
#include <windows.h>

namespace vela::ui {
class TCanvas;
class TComponent;
class TMenuItem;
} // namespace vela::ui

namespace vela::skin {

class TSkinData;

// Popup menus of `form` owner-drawn with the skin (`on`) or given back to the framework. Menus
// whose Tag mod 100 is the skin data's DisableTag, and every menu without xcPopupMenu, are left
// alone; a form of class "TwwRichEditForm" too.
void SetPopupOwnerDraw(ui::TComponent* form, TSkinData* skinData, bool on);
// Main menus of `form`: owner-drawn, their items below the bar (depth 2 and more) painted with
// the skin unless they draw themselves; the bar's own items are left to the skinned menu bar.
// Switching off clears both events on every item.
void SetMainMenuOwnerDraw(ui::TComponent* form, TSkinData* skinData, bool on);

// The measure events: the framework's own measuring, then the skin's columns.
void MeasurePopupItem(ui::TMenuItem* item, TSkinData* skinData, ui::TCanvas* canvas, int& width,
                      int& height);
void MeasureMainMenuItem(ui::TMenuItem* item, TSkinData* skinData, ui::TCanvas* canvas, int& width,
                         int& height);
// The draw event: the item painted with the skin over its popup skinner's background.
void PaintSkinnedMenuItem(ui::TMenuItem* item, TSkinData* skinData, ui::TCanvas* canvas,
                          const RECT& rect, bool selected);

} // namespace vela::skin
