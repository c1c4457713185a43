#pragma once
// Windowed controls.
//
// A TWinControl creates its window on demand (Handle(), HandleAllocated()); creating a
// parent's window creates its children's. Window classes are registered as
// "<class name>.UnicodeClass" with a Unicode window procedure; controls that wrap a native
// control ("EDIT", "SysListView32", ...) superclass it, and DefaultHandler calls the native
// procedure. The control is attached to its window as a window property from the first
// message on and detached at WM_NCDESTROY. No exception leaves the window procedure: it goes
// to Application->HandleException.
//
// Children with Align other than alNone are laid out in the client area (AlignControls):
// top-aligned ones in order of their Top, bottom-aligned ones from the lowest up, then left,
// right, and the client-aligned one fills what is left.
//
// TCustomControl paints itself on its Canvas in Paint(), and then its graphic children.
#include "ui/control.h"

#include <string>
#include <vector>

namespace vela::ui {

struct TCreateParams {
  std::wstring caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
  // Registered as WinClassName + ".UnicodeClass"; empty takes the framework class name.
  std::wstring winClassName;
  // The native class to superclass ("EDIT"); empty for a window class of our own.
  std::wstring baseClass;
  UINT classStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
  VELA_CLASS_INFO
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();
  HWND HandleIfAllocated() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();
  // Destroys and recreates the window (after a style change), keeping text and state.
  void RecreateWnd();
  // The control attached to a window of this framework, or nullptr.
  static TWinControl* FromHandle(HWND window);
  // A control without a framework parent can live in a window the framework does not know:
  // its window is made a child of this one (moved there at once when it exists already).
  // The framework parent, when there is one, takes precedence.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND window);

  int ControlCount() const { return int(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(std::size_t(index)); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The topmost graphic child at a client point (only enabled ones unless allowDisabled).
  TControl* ControlAtPos(POINT point, bool allowDisabled = false) const;
  bool ContainsControl(const TControl* control) const;

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();

  std::wstring GetText() const override;
  void SetText(const std::wstring& text) override;
  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  void SetEnabled(bool enabled) override;
  void Invalidate() override;
  void Update() override;

  void DisableAlign() { ++alignDisabled_; }
  void EnableAlign();
  void Realign();
  void Loaded() override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TNotifyEvent OnResize;

protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // Hooks around the window's life: after it exists (children not yet), before it goes.
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void HandleCreated() {}
  virtual void HandleDestroying() {}
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  // The client area children are aligned in (panels leave room for their bevels).
  virtual void AdjustClientRect(RECT& rect) const;
  virtual void AlignControls(RECT rect);
  // Paints the window: own drawing (PaintWindow) then graphic children. Windows of a
  // native class paint natively and then draw their graphic children on top.
  void PaintHandler(TMessage& message);
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc);
  // Whether WM_PAINT is ours to do (own window classes) or the native control's.
  virtual bool PaintsItself() const { return false; }
  // Fills the background with Color (own window classes only).
  virtual bool EraseBackground(HDC dc);
  void FontChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  // The brush used for the background and reflected WM_CTLCOLOR* answers.
  HBRUSH ColorBrush();

private:
  static LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window);
  void Detach();
  void CreateChildHandles();
  void ApplyShowing();
  bool RouteMouseToGraphic(TMessage& message);
  void UpdateMouseControl(TControl* target);
  bool ReflectToChild(TMessage& message);
  void UpdateBoundsFromWindow();

  friend class TControl;
  friend class TGraphicControl;
  friend class TApplication;
  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;
  TControl* captureControl_ = nullptr;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  bool doubleBuffered_ = false;
  bool trackingLeave_ = false;
  int alignDisabled_ = 0;
  bool aligning_ = false;
  TGdiObject<HBRUSH> brush_;
  TColor brushColor_ = clNone;
};

// A windowed control that paints itself on its own canvas.
class TCustomControl : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  // Valid while the control paints.
  TCanvas* Canvas() { return &canvas_; }

protected:
  bool PaintsItself() const override { return true; }
  void PaintWindow(HDC dc) override;
  virtual void Paint() {}

private:
  TCanvas canvas_;
};

} // namespace vela::ui
