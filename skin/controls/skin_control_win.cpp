// The control skinner base: taking a control's messages over, the message dispatch, and the
// painting routines every kind shares.
#include "skin/controls/skin_control.h"

#include "skin/controls/window_subclass.h"
#include "skin/draw/primitives_win.h"
#include "skin/controls/skin_messages.h"
#include "skin/controls/skin_paint.h"
#include "skin/controls/skin_up_down.h"
#include "ui/control.h"
#include "ui/win_control.h"

#include <memory>

namespace vela::skin {

namespace {

// ---- a bare window's procedure

constexpr wchar_t kControlProp[] = L"Vela.SkinControl";

LRESULT CALLBACK ControlProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DispatchSubclassed(window, msg, wParam, lParam, kControlProp);
}

void ControlMessage(void* owner, ui::TMessage& m) {
  static_cast<TSkinControl*>(owner)->SkinWndProc(m);
}

// ---- a framework control's WindowProc

using TControlHook = TWndMethodHook<TSkinControl, &TSkinControl::SkinWndProc>;

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(std::size_t(length > 0 ? length : 0) + 1, L'\0');
  const int read = GetWindowTextW(window, text.data(), int(text.size()));
  text.resize(std::size_t(read > 0 ? read : 0));
  return text;
}

} // namespace

void DrawSkinElement(HDC dc, const RECT& rect, int cellCount, int cell, const TDataSkinObject& element) {
  if (rect.right < rect.left || rect.bottom < rect.top || element.Bitmap.Empty())
    return;
  DrawSkinRect(dc, Rect{rect.left, rect.top, rect.right, rect.bottom}, element.Bitmap.View(),
               element.GetMargins(), cell, cellCount, element.Trans == 1, element.Tile != 0, false);
}

// ---- TSkinControl

const ui::TClassInfo& TSkinControl::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinControl>("TSkinControl", &ui::TComponent::StaticClassInfo(), {});
  return info;
}

TSkinControl::TSkinControl(ui::TComponent* owner) : ui::TComponent(owner) {}

TSkinControl::~TSkinControl() {
  Destroying();
  if (arrows_)
    arrows_->RemoveFreeNotification(this);
  ReleaseHook();
  if (procInstalled_)
    RemoveWindowHook(window_, kControlProp, this);
  procInstalled_ = false;
  if (host_) {
    if (host_->HotControl() == this)
      host_->SetHotControl(nullptr);
    host_->RemoveControlSkinner(this);
  }
}

void TSkinControl::Notification(ui::TComponent* component, ui::TOperation operation) {
  ui::TComponent::Notification(component, operation);
  if (operation == ui::TOperation::opRemove && component == arrows_)
    arrows_ = nullptr;
}

void TSkinControl::CarryArrows(HWND arrows, bool buddy, bool tabSetOwned) {
  if (!arrows_)
    arrows_ = SkinCarriedArrows(*this, arrows, Owner(), canvas_, buddy, tabSetOwned);
}

void TSkinControl::PaintMessage(ui::TMessage& m, const std::function<void(HDC)>& paint) {
  struct Painting {
    HWND window;
    PAINTSTRUCT ps{};
    HDC dc = nullptr;
    ~Painting() {
      if (dc)
        EndPaint(window, &ps);
    }
  } painting{window_};
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (!dc)
    dc = painting.dc = BeginPaint(window_, &painting.ps);
  if (dc)
    paint(dc);
  m.Result = 0;
}

void TSkinControl::PaintClientMessage(ui::TMessage& m) {
  PaintMessage(m, [this](HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    try {
      Draw(dc, client);
    } catch (...) {
      // The window keeps what it showed.
    }
  });
}

void TSkinControl::InstallHook(ui::TControl* control) {
  hookAlive_ = std::make_shared<bool>(true);
  savedHook_ = control->WindowProc;
  control->WindowProc = TControlHook{this, hookAlive_, savedHook_};
  hooked_ = control;
}

void TSkinControl::ReleaseHook() {
  if (!hooked_)
    return;
  // A copy of the hook that somebody wrapped after us forwards from now on.
  *hookAlive_ = false;
  TControlHook::Restore(hooked_, this, savedHook_);
  hooked_ = nullptr;
}

void TSkinControl::AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) {
  auto* control = dynamic_cast<ui::TWinControl*>(Owner());
  if (attached_ || !control || !host)
    return;
  recolour_ = recolour;
  host_ = host;
  canvas_ = canvas;
  control_ = control;
  window_ = control->Handle();
  InstallHook(control);
  host_->AddControlSkinner(this);
  ReadWindowState();
  if (recolour_) {
    savedColor_ = control->Color();
    control->SetColor(FaceColour());
  }
  control->Invalidate();
  attached_ = true;
  lifeState_ = clsAttached;
}

void TSkinControl::AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas) {
  if (attached_ || !window || !host || !InstallWindowHook(window, kControlProp, &ControlProc, this, &ControlMessage))
    return;
  procInstalled_ = true;
  host_ = host;
  canvas_ = canvas;
  window_ = window;
  host_->AddControlSkinner(this);
  ReadWindowState();
  enabled_ = true;
  InvalidateRect(window, nullptr, TRUE);
  attached_ = true;
  lifeState_ = clsAttached;
}

void TSkinControl::HookGraphic(TSkinHost* host, ui::TCanvas* canvas) {
  auto* graphic = dynamic_cast<ui::TControl*>(Owner());
  if (attached_ || !graphic || !host)
    return;
  host_ = host;
  canvas_ = canvas;
  graphic_ = graphic;
  InstallHook(graphic);
  host_->AddControlSkinner(this);
  caption_ = graphic->Caption();
  enabled_ = graphic->Enabled();
  attached_ = true;
  lifeState_ = clsAttached;
}

void TSkinControl::Unskin() {
  if (recolour_ && control_ && lifeState_ != clsFormUnskinning)
    control_->SetColor(savedColor_);
}

void TSkinControl::Refresh() {
  if (recolour_ && control_)
    control_->SetColor(FaceColour());
  Repaint();
}

void TSkinControl::ReadWindowState() {
  if (!window_)
    return;
  ReadFocusAndEnabled();
  caption_ = WindowText(window_);
}

void TSkinControl::ReadFocusAndEnabled() {
  focused_ = GetFocus() == window_;
  enabled_ = !(GetWindowLongPtrW(window_, GWL_STYLE) & WS_DISABLED);
}

void TSkinControl::SkinWndProc(ui::TMessage& m) {
  if (!skinOn_) {
    if (m.Msg == SKM_ENABLE) {
      skinOn_ = m.WParam > 0;
      if (skinOn_)
        Repaint();
      return;
    }
    DefaultProc(m);
    return;
  }
  if (BeforeMessage(m)) {
    DefaultProc(m);
    AfterMessage(m);
  }
}

void TSkinControl::DefaultProc(ui::TMessage& m) {
  if (hooked_) {
    if (savedHook_)
      savedHook_(m);
    return;
  }
  if (WNDPROC previous = SubclassedPrevious(window_, kControlProp))
    m.Result = CallWindowProcW(previous, window_, m.Msg, m.WParam, m.LParam);
}

bool TSkinControl::BeforeMessage(ui::TMessage& m) {
  if (m.Msg == SKM_ISSKINNED) {
    m.Result = 1;
    return false;
  }
  if (m.Msg == WM_NCDESTROY) {
    DefaultProc(m);
    lifeState_ = clsWindowDestroyed;
    if (host_ && host_->HotControl() == this)
      host_->SetHotControl(nullptr);
    Unskin();
    return false;
  }
  return true;
}

void TSkinControl::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ENABLE:
  case ui::CM_ENABLEDCHANGED:
    if (window_)
      ReadFocusAndEnabled();
    else if (graphic_)
      enabled_ = graphic_->Enabled();
    Repaint();
    break;
  case WM_SETTEXT:
    caption_ = m.LParam ? std::wstring(reinterpret_cast<const wchar_t*>(m.LParam)) : std::wstring();
    Repaint();
    break;
  case WM_PAINT:
    PaintWindow(reinterpret_cast<HDC>(m.WParam));
    break;
  case SKM_ENABLE:
    skinOn_ = m.WParam > 0;
    break;
  default:
    break;
  }
}

void TSkinControl::Repaint() {
  if (control_) {
    control_->Invalidate();
  } else if (graphic_) {
    graphic_->Invalidate();
  } else if (window_) {
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
  }
}

void TSkinControl::SendMouseLeave() {
  if (graphic_)
    graphic_->Perform(ui::CM_MOUSELEAVE);
  else if (window_)
    SendMessageW(window_, ui::CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::PaintWindow(HDC dc) {
  RECT r{};
  if (!window_ || !GetWindowRect(window_, &r))
    return;
  windowRect_ = r;
  OffsetRect(&r, -r.left, -r.top);
  HDC own = dc ? nullptr : GetWindowDC(window_);
  HDC target = dc ? dc : own;
  if (!target)
    return;
  try {
    Draw(target, r);
  } catch (...) {
    // A paint that fails leaves the control's own look; it must not take the window down.
  }
  if (own)
    ReleaseDC(window_, own);
}

const TDataSkinButton* TSkinControl::ButtonElement() const {
  const TSkinElements* elements = Elements();
  if (!elements || elements->Buttons.Bitmap.Empty())
    return nullptr;
  return &elements->Buttons;
}

ui::TColor TSkinControl::FaceColour() const {
  const TSkinElements* elements = Elements();
  return elements ? elements->Colours.ButtonFace : ui::clBtnFace;
}

void TSkinControl::FillSkinColor(HDC dc, const RECT& rect) const {
  FillWithColour(dc, rect, ui::ColorToRGB(FaceColour()));
}

} // namespace vela::skin
