#include "ui/control.h"

#include "ui/application.h"
#include "ui/menus.h"
#include "ui/win_control.h"

#include <windowsx.h>

namespace vela::ui {

namespace {

const std::vector<std::string> kAlignIdents = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};

TShiftState ShiftFromKeys(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

} // namespace

const TClassInfo& TControl::StaticClassInfo() {
  using P = PropsOf<TControl>;
  static const TClassInfo info = MakeClassInfo<TControl>(
      "TControl", &TComponent::StaticClassInfo(),
      {P::Int("Left", &TControl::Left, &TControl::SetLeft),
       P::Int("Top", &TControl::Top, &TControl::SetTop),
       P::Int("Width", &TControl::Width, &TControl::SetWidth),
       P::Int("Height", &TControl::Height, &TControl::SetHeight),
       P::Int("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth),
       P::Int("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight),
       P::Enum<TAlign>("Align", &TControl::Align, &TControl::SetAlign, kAlignIdents),
       P::Str("Caption", &TControl::Caption, &TControl::SetCaption),
       P::Str("Text", &TControl::Text, &TControl::SetText),
       P::Int("Color", &TControl::Color, &TControl::SetColor, &ColorIdents()),
       P::Owned<TFont>("Font", &TControl::Font),
       P::Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
       P::Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
       P::Bool("Visible", &TControl::Visible, &TControl::SetVisible),
       P::Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled),
       P::Str("Hint", &TControl::Hint, &TControl::SetHint),
       P::Ref<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu),
       P::Event("OnClick", &TControl::OnClick),
       P::Event("OnDblClick", &TControl::OnDblClick),
       P::Event("OnMouseDown", &TControl::OnMouseDown),
       P::Event("OnMouseUp", &TControl::OnMouseUp),
       P::Event("OnMouseMove", &TControl::OnMouseMove),
       P::Event("OnMouseEnter", &TControl::OnMouseEnter),
       P::Event("OnMouseLeave", &TControl::OnMouseLeave)});
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = DefaultWindowProc();
  font_->OnChange = [this](TObject*) {
    if (!applyingParentFont_) parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  Destroying();
  // What the control owns (a skinner that took it over) goes while the control is still whole
  // enough to be given its WindowProc back.
  DestroyComponents();
  if (Application && Application->mouseControl_ == this) Application->mouseControl_ = nullptr;
  if (parent_) parent_->RemoveControl(this);
  font_->OnChange = nullptr;
}

TWndMethod TControl::DefaultWindowProc() {
  return [this](TMessage& m) { WndProc(m); };
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  if (WindowProc) WindowProc(m);
  else WndProc(m);
  return m.Result;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  for (TWinControl* p = parent; p; p = p->Parent())
    if (p == this) throw EInvalidOperation("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  UpdateBoundsStore(left, top, width, height);
  Invalidate();
  BoundsChanged();
  RequestParentAlign();
}

void TControl::UpdateBoundsStore(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void TControl::RequestParentAlign() {
  if (parent_ && align_ != TAlign::alNone && !parent_->aligning_) parent_->Realign();
}

RECT TControl::ClientRect() const { return RECT{0, 0, width_, height_}; }
int TControl::ClientWidth() const {
  RECT r = ClientRect();
  return r.right - r.left;
}
int TControl::ClientHeight() const {
  RECT r = ClientRect();
  return r.bottom - r.top;
}
void TControl::SetClientWidth(int value) { SetWidth(value); }
void TControl::SetClientHeight(int value) { SetHeight(value); }

POINT TControl::ClientOrigin() const {
  if (!parent_) return POINT{left_, top_};
  POINT p = parent_->ClientOrigin();
  return POINT{p.x + left_, p.y + top_};
}

POINT TControl::ClientToScreen(POINT p) const {
  POINT o = ClientOrigin();
  return POINT{p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const {
  POINT o = ClientOrigin();
  return POINT{p.x - o.x, p.y - o.y};
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (!visible) Invalidate();
  visible_ = visible;
  VisibleChanged();
  if (visible) Invalidate();
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

void TControl::SetText(const std::wstring& text) {
  if (text == text_) return;
  text_ = text;
  Perform(CM_TEXTCHANGED);
  Invalidate();
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  applyingParentFont_ = true;
  try {
    font_->Assign(parent_->Font());
  } catch (...) {
    applyingParentFont_ = false;
    throw;
  }
  applyingParentFont_ = false;
}

void TControl::SetColor(TColor color) {
  if (color == color_) {
    parentColor_ = false;
    return;
  }
  color_ = color;
  parentColor_ = false;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_ || parent_->Color() == color_) return;
  color_ = parent_->Color();
  ColorChanged();
}

void TControl::FontChanged() {
  Perform(CM_FONTCHANGED);
  Invalidate();
}

void TControl::ColorChanged() {
  Perform(CM_COLORCHANGED);
  Invalidate();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::Invalidate() {
  if (!parent_ || !visible_) return;
  HWND parentWindow = parent_->HandleIfAllocated();
  if (!parentWindow) return;
  RECT r = BoundsRect();
  InvalidateRect(parentWindow, &r, TRUE);
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

bool TControl::MouseCapture() const {
  if (auto* self = dynamic_cast<const TWinControl*>(this))
    return self->HandleIfAllocated() && GetCapture() == self->HandleIfAllocated();
  return parent_ && parent_->captureControl_ == this;
}

void TControl::SetMouseCapture(bool capture) {
  if (auto* self = dynamic_cast<TWinControl*>(this)) {
    if (capture) SetCapture(self->Handle());
    else if (MouseCapture()) ReleaseCapture();
    return;
  }
  if (!parent_) return;
  if (capture) {
    parent_->captureControl_ = this;
    SetCapture(parent_->Handle());
  } else if (parent_->captureControl_ == this) {
    parent_->captureControl_ = nullptr;
    if (GetCapture() == parent_->HandleIfAllocated()) ReleaseCapture();
  }
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* p = dynamic_cast<TWinControl*>(parent)) SetParent(p);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

bool TControl::HandleMouseMessage(TMessage& m) {
  int x = GET_X_LPARAM(m.LParam);
  int y = GET_Y_LPARAM(m.LParam);
  TShiftState shift = ShiftFromKeys(m.WParam);
  switch (m.Msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    if (clickOnRelease_) {
      pressed_ = true;
      if (!dynamic_cast<TWinControl*>(this)) SetMouseCapture(true);
    }
    auto alive = AliveToken();
    if (m.Msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick(this);
    if (alive.expired()) return true;
    MouseDown(TMouseButton::mbLeft, shift | (m.Msg == WM_LBUTTONDBLCLK ? unsigned(ssDouble) : 0u), x, y);
    return true;
  }
  case WM_RBUTTONDOWN:
  case WM_RBUTTONDBLCLK:
    MouseDown(TMouseButton::mbRight, shift, x, y);
    return true;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONDBLCLK:
    MouseDown(TMouseButton::mbMiddle, shift, x, y);
    return true;
  case WM_LBUTTONUP: {
    bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && !dynamic_cast<TWinControl*>(this)) SetMouseCapture(false);
    auto alive = AliveToken();
    MouseUp(TMouseButton::mbLeft, shift, x, y);
    if (alive.expired()) return true;
    RECT r = ClientRect();
    if (wasPressed && clickOnRelease_ && x >= r.left && y >= r.top && x < r.right && y < r.bottom) Click();
    return true;
  }
  case WM_RBUTTONUP:
    MouseUp(TMouseButton::mbRight, shift, x, y);
    if (popupMenu_) {
      POINT p = ClientToScreen(POINT{x, y});
      popupMenu_->Popup(p.x, p.y);
    }
    return true;
  case WM_MBUTTONUP:
    MouseUp(TMouseButton::mbMiddle, shift, x, y);
    return true;
  case WM_MOUSEMOVE:
    MouseMove(shift, x, y);
    return true;
  default:
    return false;
  }
}

void TControl::WndProc(TMessage& m) {
  // A handler run here may free the control; then nothing of it is touched again.
  auto alive = AliveToken();
  switch (m.Msg) {
  case CM_MOUSEENTER:
    if (OnMouseEnter) OnMouseEnter(this);
    break;
  case CM_MOUSELEAVE:
    if (OnMouseLeave) OnMouseLeave(this);
    break;
  default:
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK && enabled_) HandleMouseMessage(m);
    break;
  }
  if (!alive.expired()) DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage&) {}

// ---- TGraphicControl

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info =
      MakeClassInfo<TGraphicControl>("TGraphicControl", &TControl::StaticClassInfo(), {});
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) { clickOnRelease_ = true; }

TGraphicControl::~TGraphicControl() {
  Destroying();
  if (Parent() && Parent()->captureControl_ == this) Parent()->captureControl_ = nullptr;
}

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT && m.WParam) {
    TCanvasBinding binding(canvas_, reinterpret_cast<HDC>(m.WParam));
    canvas_.Font()->Assign(Font());
    Paint();
    m.Result = 0;
    return;
  }
  TControl::WndProc(m);
}

void TGraphicControl::PaintTo(HDC dc) {
  if (dc) Perform(WM_PAINT, WPARAM(dc), 0);
}

bool TGraphicControl::PaintNow() {
  HWND parent = Parent() ? Parent()->HandleIfAllocated() : nullptr;
  if (!parent || !Showing() || Width() <= 0 || Height() <= 0) return false;
  TWindowDC dc(parent);
  if (!dc) return false;
  // The parent's own painting does the same: clip to the control, origin at its corner.
  TDCStateSaver state(dc.Handle());
  IntersectClipRect(dc.Handle(), Left(), Top(), Left() + Width(), Top() + Height());
  SetViewportOrgEx(dc.Handle(), Left(), Top(), nullptr);
  PaintTo(dc.Handle());
  return true;
}

} // namespace vela::ui
