#pragma once
// Controls: TControl (position, visibility, text, font, colour, mouse events, message
// handling) and TGraphicControl, a control without a window of its own.
//
// Messages. Every message for a control goes through its WindowProc (see ui/messages.h), whose
// default calls the virtual WndProc; WndProc handles what the framework handles and ends in
// DefaultHandler, which for a windowed control is the native window procedure. Perform sends
// a message through WindowProc directly.
//
// Graphic controls are painted by their parent: in its WM_PAINT the parent sends each of them
// WM_PAINT with the DC in WParam, its origin moved to the control's top-left and clipped to it.
// The parent also routes mouse messages (coordinates made relative to the control), mouse
// capture and the enter/leave notifications CM_MOUSEENTER / CM_MOUSELEAVE to them.
#include "ui/core/component.h"
#include "ui/graphics.h"
#include "ui/messages.h"

#include <windows.h>
#include "ui/win_names.h"

#include <memory>
#include <string>

namespace vela::ui {

class TWinControl;
class TPopupMenu;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateBits : unsigned {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

class TControl : public TComponent {
  VELA_CLASS_INFO
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  // The client area at the origin (a windowed control without a handle uses its size).
  virtual RECT ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  virtual void SetClientWidth(int value);
  virtual void SetClientHeight(int value);
  // Screen position of the client area's top-left corner.
  virtual POINT ClientOrigin() const;
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible (a form: its window shown).
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& text) { SetText(text); }
  std::wstring Text() const { return GetText(); }
  virtual std::wstring GetText() const { return text_; }
  virtual void SetText(const std::wstring& text);

  TFont* Font() const { return font_.get(); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TColor Color() const { return color_; }
  virtual void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  std::wstring Hint() const { return hint_; }
  void SetHint(const std::wstring& hint) { hint_ = hint; }

  // The message entry of the control; replaceable, see ui/messages.h.
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // WindowProc's default value: calls WndProc.
  TWndMethod DefaultWindowProc();

  virtual void Invalidate();
  // Paints now what was invalidated.
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }

  // For a graphic control: the parent routes every mouse message to it until released.
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  void Notification(TComponent* component, TOperation operation) override;

  // Fires OnClick.
  virtual void Click();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // Hooks for derived classes.
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void VisibleChanged() {}
  virtual void BoundsChanged() {}
  // Stores bounds without telling anyone (used when a window reports its own move).
  void UpdateBoundsStore(int left, int top, int width, int height);
  // Restarts alignment of the parent after this control's place in it changed.
  void RequestParentAlign();
  // Handles the mouse messages common to all controls; true when the message was one.
  bool HandleMouseMessage(TMessage& message);
  // Whether mouse-up within the control after a press there clicks it (graphic controls).
  bool clickOnRelease_ = false;

  std::wstring text_;

private:
  friend class TWinControl;
  void ParentFontChanged();
  void ParentColorChanged();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool enabled_ = true;
  bool parentFont_ = true;
  bool parentColor_ = false;
  bool applyingParentFont_ = false;
  TColor color_ = clBtnFace;
  std::unique_ptr<TFont> font_;
  TPopupMenu* popupMenu_ = nullptr;
  std::wstring hint_;
  bool pressed_ = false;
};

// A device context of a window (GetDC), for painting outside WM_PAINT; released with the scope.
class TWindowDC {
public:
  explicit TWindowDC(HWND window) : window_(window), dc_(window ? GetDC(window) : nullptr) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Handle() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

private:
  HWND window_;
  HDC dc_;
};

// Lends a DC to a canvas for a scope; the canvas lets go of it (and of what it selected) at
// the end, also when painting throws.
class TCanvasBinding {
public:
  TCanvasBinding(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
  ~TCanvasBinding() { canvas_.SetHandle(nullptr); }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

private:
  TCanvas& canvas_;
};

// A control without a window, painted by its parent.
//
// Its Canvas is bound only while it paints. Code that must draw it at another moment (a
// skinner showing a hover look) calls PaintNow, which paints it at once on its parent's window,
// or PaintTo with a DC of its own (an off-screen bitmap): both go through WindowProc as
// WM_PAINT with the DC in WParam, exactly as the parent's painting does.
class TGraphicControl : public TControl {
  VELA_CLASS_INFO
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  // Valid while the control paints (its handle is the DC being painted).
  TCanvas* Canvas() { return &canvas_; }
  // Paints into `dc`, whose origin the caller has put at the control's top-left.
  void PaintTo(HDC dc);
  // Paints now on the parent's window, clipped to the control; false when it is not showing
  // (no parent window, hidden, or empty).
  bool PaintNow();

protected:
  void WndProc(TMessage& message) override;
  virtual void Paint() {}

private:
  TCanvas canvas_;
};

} // namespace vela::ui
