#pragma once
// TWinSkinPopMenu: the skinner of one popup-menu window ("#32768").
//
// The skin manager attaches one to each popup menu as the window is created, when the skin's
// switches allow that kind of menu. It answers SKM_ISSKINNED, paints the window's frame from
// the skin's "MenuBackground" element instead of the system's border, and keeps the
// window-sized background it built, so that the menu-item painter can blend the items into it.
//
// The skinner does not know which menu its window shows: the first item painted while it waits
// tells it (TakeMenu through Waiting()), after which the manager finds the background by menu
// handle.
#include "ui/bitmap.h"

#include "ui/win_names.h"
#include <windows.h>

namespace vela::skin {

class TSkinData;
class TDataSkinObject;

class TWinSkinPopMenu {
public:
  TWinSkinPopMenu();
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  // Takes over the window's messages; false when the window cannot be subclassed.
  bool Attach(HWND window, TSkinData* skinData, HMENU menu);
  // Gives the window its procedure back (when it is still ours) and empties the background.
  void Detach();
  bool Attached() const { return attached_; }

  HWND Window() const { return window_; }
  HMENU Menu() const { return menu_; }
  // The background of the last paint, the window's size; empty before the first paint.
  vela::skin::Raster Background() const { return background_.View(); }

  // The skinner that painted last while it did not know its menu, or null.
  static TWinSkinPopMenu* Waiting();
  // Gives the waiting skinner its menu; it stops waiting.
  static void TakeMenu(HMENU menu);

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;
  const TDataSkinObject* Element() const;
  bool BuildBackground();
  void PaintFrame();
  LRESULT Print(HDC dc, LPARAM flags);

  HWND window_ = nullptr;
  TSkinData* skinData_ = nullptr;
  HMENU menu_ = nullptr;
  WNDPROC previous_ = nullptr;
  bool attached_ = false;
  ui::TBitmap background_;
};

} // namespace vela::skin
