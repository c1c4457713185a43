#include "skin/forms/win_skin_pop_menu.h"

#include "skin/draw/primitives.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"
#include "ui/graphics.h"

namespace vela::skin {

namespace {

// The skinner of the window, while one is attached.
constexpr wchar_t kSkinnerProp[] = L"Vela.SkinPopup";
// The procedure to forward to. It outlives the skinner when someone subclassed the window
// after us (ours cannot be taken out of the chain then), and goes with the window.
constexpr wchar_t kNextProp[] = L"Vela.SkinPopupNext";

// The width of the frame painted around the items.
constexpr int kFrame = 3;

TWinSkinPopMenu* waiting = nullptr;

} // namespace

TWinSkinPopMenu::TWinSkinPopMenu() = default;

TWinSkinPopMenu::~TWinSkinPopMenu() {
  Detach();
  if (waiting == this)
    waiting = nullptr;
}

TWinSkinPopMenu* TWinSkinPopMenu::Waiting() {
  return waiting;
}

void TWinSkinPopMenu::TakeMenu(HMENU menu) {
  if (waiting)
    waiting->menu_ = menu;
  waiting = nullptr;
}

bool TWinSkinPopMenu::Attach(HWND window, TSkinData* skinData, HMENU menu) {
  if (attached_ || !window || GetPropW(window, kSkinnerProp) || GetPropW(window, kNextProp))
    return false;
  window_ = window;
  skinData_ = skinData;
  menu_ = menu;
  if (!SetPropW(window, kSkinnerProp, this))
    return false;
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(&TWinSkinPopMenu::WindowProc)));
  if (!previous_ || !SetPropW(window, kNextProp, reinterpret_cast<HANDLE>(previous_))) {
    if (previous_)
      SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(previous_));
    RemovePropW(window, kSkinnerProp);
    return false;
  }
  attached_ = true;
  return true;
}

void TWinSkinPopMenu::Detach() {
  if (!attached_)
    return;
  attached_ = false;
  if (IsWindow(window_)) {
    RemovePropW(window_, kSkinnerProp);
    if (GetWindowLongPtrW(window_, GWLP_WNDPROC) == LONG_PTR(&TWinSkinPopMenu::WindowProc)) {
      SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(previous_));
      RemovePropW(window_, kNextProp);
    }
  }
  background_.SetSize(0, 0);
}

LRESULT CALLBACK TWinSkinPopMenu::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto* skinner = static_cast<TWinSkinPopMenu*>(GetPropW(window, kSkinnerProp))) {
    try {
      return skinner->Handle(msg, wParam, lParam);
    } catch (...) {
      // A broken skin must not take the menu down: the message goes on as if unskinned.
    }
  }
  auto next = reinterpret_cast<WNDPROC>(GetPropW(window, kNextProp));
  const LRESULT result = next ? CallWindowProcW(next, window, msg, wParam, lParam)
                              : DefWindowProcW(window, msg, wParam, lParam);
  if (msg == WM_NCDESTROY)
    RemovePropW(window, kNextProp);
  return result;
}

LRESULT TWinSkinPopMenu::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcW(previous_, window_, msg, wParam, lParam);
}

LRESULT TWinSkinPopMenu::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SKM_ISSKINNED)
    return 1;
  if (msg == WM_DESTROY || msg == WM_NCDESTROY) {
    // The window lets go of the skinner before it goes; the message goes on through what the
    // skinner kept.
    const HWND window = window_;
    const WNDPROC previous = previous_;
    Detach();
    return CallWindowProcW(previous, window, msg, wParam, lParam);
  }
  if (!SkinManager || !SkinManager->Active)
    return CallPrevious(msg, wParam, lParam);
  switch (msg) {
  case WM_NCPAINT:
    if (!BuildBackground())
      return CallPrevious(msg, wParam, lParam);
    PaintFrame();
    return 0;
  case WM_PAINT: {
    // Some systems (Wine) draw the menu's border inside its client area while painting the
    // items; the skin's frame goes back over it. Where the border is non-client this repaints
    // the same pixels.
    const LRESULT result = CallPrevious(msg, wParam, lParam);
    if (!background_.Empty())
      PaintFrame();
    return result;
  }
  case WM_PRINT:
    return Print(reinterpret_cast<HDC>(wParam), lParam);
  default:
    return CallPrevious(msg, wParam, lParam);
  }
}

const TDataSkinObject* TWinSkinPopMenu::Element() const {
  if (!skinData_ || skinData_->SkinEmpty())
    return nullptr;
  const TDataSkinObject* element = skinData_->Elements().MenuBackground.get();
  return element && !element->Bitmap.Empty() ? element : nullptr;
}

bool TWinSkinPopMenu::BuildBackground() {
  const TDataSkinObject* element = Element();
  RECT r{};
  if (!element || !GetWindowRect(window_, &r))
    return false;
  const Rect target{0, 0, r.right - r.left, r.bottom - r.top};
  const Bitmap composed = ComposeSkinRect(target, element->Bitmap.View(), element->GetMargins(),
                                          false, element->Tile != 0, 1, 1);
  if (composed.Empty())
    return false;
  background_.CopyFrom(composed.View());
  if (!menu_)
    waiting = this;
  return true;
}

void TWinSkinPopMenu::PaintFrame() {
  HDC dc = GetWindowDC(window_);
  if (!dc)
    return;
  const int w = background_.Width(), h = background_.Height();
  HDC source = background_.Dc();
  const RECT strips[4] = {
      {0, 0, w, kFrame}, {0, h - kFrame, w, h}, {0, 0, kFrame, h}, {w - kFrame, 0, w, h}};
  for (const RECT& s : strips)
    BitBlt(dc, s.left, s.top, s.right - s.left, s.bottom - s.top, source, s.left, s.top, SRCCOPY);
  ReleaseDC(window_, dc);
}

LRESULT TWinSkinPopMenu::Print(HDC dc, LPARAM flags) {
  if (!dc || !BuildBackground())
    return CallPrevious(WM_PRINT, WPARAM(dc), flags);
  const int w = background_.Width(), h = background_.Height();
  BitBlt(dc, 0, 0, w, h, background_.Dc(), 0, 0, SRCCOPY);
  ui::TDCStateSaver saved(dc);
  SetBkMode(dc, TRANSPARENT);
  ui::TGdiObject<HRGN> inner(CreateRectRgn(kFrame, kFrame, w - kFrame, h - kFrame));
  SelectClipRgn(dc, inner.Get());
  // The menu prints its items inside the frame, over the background.
  return CallPrevious(WM_PRINT, WPARAM(dc), flags);
}

} // namespace vela::skin
