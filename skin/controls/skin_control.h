#pragma once
// TSkinControl: the base of every control skinner, and TSkinHost, the little a control skinner
// needs of the frame skinner of its window.
//
// A control skinner takes over the messages of one control, lets the control do its normal
// work and then paints the control's look from the skin. It takes a framework control over
// through the control's WindowProc (AttachControl) and a bare window through its window
// procedure (AttachHandle). The skinned control owns the skinner, so the skinner goes with the
// control; a skinner of a bare window is owned by the frame skinner.
//
// Control skinners do not know the frame skinner's class: the frame skinner implements
// TSkinHost, which hands out the skin's element records and keeps the list of skinners and
// the one hot control of the window.
#include "skin/data/skin_elements.h"
#include "ui/core/component.h"
#include "ui/graphics.h"
#include "ui/messages.h"

#include <windows.h>
#include "ui/win_names.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vela::ui {
class TControl;
class TWinControl;
} // namespace vela::ui

namespace vela::skin {

class TSkinControl;
class TSkinUpDown;

class TSkinHost {
public:
  // The element records of the skin in force; nullptr while there is none.
  virtual const TSkinElements* SkinElements() const = 0;
  // Lists the skinner unless listed; true when it was listed already.
  virtual bool AddControlSkinner(TSkinControl* skinner) = 0;
  // Takes the skinner off the list without freeing it.
  virtual void RemoveControlSkinner(TSkinControl* skinner) = 0;
  // The first listed skinner of this window, or nullptr.
  virtual TSkinControl* FindControlSkinner(HWND window) const = 0;
  // The skinner under the mouse: at most one control of the window looks hot.
  virtual TSkinControl* HotControl() const = 0;
  virtual void SetHotControl(TSkinControl* skinner) = 0;

protected:
  ~TSkinHost() = default;
};

// Life states of a control skinner.
enum TControlLifeState : int {
  clsCreated = 0,
  clsAttached = 1,
  clsUnskinned = 2,
  clsFormUnskinning = 4,
  clsWindowDestroyed = 6
};

// Draws `cell` (counted from 1) of the element's strip of `cellCount` cells over `rect`,
// keeping the element's margins and filling the middle as its Tile setting says; with its
// Trans flag, magenta stays transparent. Nothing for an inverted rectangle or an empty strip.
void DrawSkinElement(HDC dc, const RECT& rect, int cellCount, int cell, const TDataSkinObject& element);

class TSkinControl : public ui::TComponent {
  VELA_CLASS_INFO
public:
  // State bits; kinds may use the bits above these.
  static constexpr std::uint8_t sbHot = 1;
  static constexpr std::uint8_t sbPressed = 2;

  explicit TSkinControl(ui::TComponent* owner);
  ~TSkinControl() override;

  // Takes over the owner, a windowed framework control, through its WindowProc. Nothing when
  // already attached or when the owner is no windowed control.
  virtual void AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas);
  // Takes over a bare window through its window procedure.
  virtual void AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas);
  // Gives the control back what attaching changed (its colour); kinds also drop what they added.
  virtual void Unskin();
  // The skin changed: colour again, then repaint.
  virtual void Refresh();

  // Every message of the skinned control passes here.
  void SkinWndProc(ui::TMessage& m);
  // The control's own processing of the message.
  void DefaultProc(ui::TMessage& m);
  void Repaint();
  // Tells the control that the mouse has left it, the way the framework does.
  void SendMouseLeave();

  HWND Handle() const { return window_; }
  ui::TWinControl* Control() const { return control_; }
  ui::TControl* GraphicControl() const { return graphic_; }
  TSkinHost* Host() const { return host_; }
  bool Recolour() const { return recolour_; }
  void SetRecolour(bool value) { recolour_ = value; }
  int LifeState() const { return lifeState_; }
  void SetLifeState(int value) { lifeState_ = value; }
  bool Attached() const { return attached_; }
  std::uint8_t State() const { return state_; }
  bool Hot() const { return state_ & sbHot; }
  bool Pressed() const { return state_ & sbPressed; }
  bool SkinOn() const { return skinOn_; }
  bool Enabled() const { return enabled_; }
  bool Focused() const { return focused_; }
  const std::wstring& Caption() const { return caption_; }
  // The skinner of the arrows this control carries (an up-down of its own), null while none
  // was found and again once the frame skinner has freed it.
  TSkinUpDown* Arrows() const { return arrows_; }

protected:
  // True: run the control's own processing, then AfterMessage; false: the message is done.
  virtual bool BeforeMessage(ui::TMessage& m);
  virtual void AfterMessage(ui::TMessage& m);
  // Paints the whole window, frame included, into `dc` or else the window DC.
  virtual void PaintWindow(HDC dc);
  virtual void Draw(HDC /*dc*/, const RECT& /*rect*/) {}
  void Notification(ui::TComponent* component, ui::TOperation operation) override;

  // Answers a WM_PAINT with 0: `paint` gets the DC the message brought in its WParam, or else
  // one from BeginPaint, ended afterwards.
  void PaintMessage(ui::TMessage& m, const std::function<void(HDC)>& paint);
  // Answers a WM_PAINT by drawing the client area through Draw. A draw that throws leaves the
  // window as it showed: a paint must not take the window down.
  void PaintClientMessage(ui::TMessage& m);
  // Gives `arrows`, an up-down window this control carries, a skinner of its own (see
  // SkinCarriedArrows), unless Arrows() has one already.
  void CarryArrows(HWND arrows, bool buddy, bool tabSetOwned);

  void SetState(std::uint8_t bits, bool on) { state_ = on ? std::uint8_t(state_ | bits) : std::uint8_t(state_ & ~bits); }
  // The button element when the skin has one with a non-empty strip.
  const TDataSkinButton* ButtonElement() const;
  const TSkinElements* Elements() const { return host_ ? host_->SkinElements() : nullptr; }
  ui::TColor FaceColour() const;
  void FillSkinColor(HDC dc, const RECT& rect) const;
  // Reads the window's text, enabled and focus state again.
  void ReadWindowState();
  // Reads the window's enabled and focus state again, not its text (an edit's text can be
  // long, and its frame does not show it).
  void ReadFocusAndEnabled();
  // Takes a graphic control over through its WindowProc (the speed button's attach).
  void HookGraphic(TSkinHost* host, ui::TCanvas* canvas);
  // Puts back the WindowProc a framework control had, when the control still has ours.
  void ReleaseHook();

  ui::TCanvas* canvas_ = nullptr;
  RECT windowRect_{};

private:
  void InstallHook(ui::TControl* control);

  std::uint8_t state_ = 0;
  bool enabled_ = true;
  bool focused_ = false;
  std::wstring caption_;
  bool skinOn_ = true;
  TSkinHost* host_ = nullptr;
  HWND window_ = nullptr;
  ui::TWndMethod savedHook_;
  std::shared_ptr<bool> hookAlive_;
  ui::TControl* hooked_ = nullptr;
  bool procInstalled_ = false;
  ui::TWinControl* control_ = nullptr;
  ui::TControl* graphic_ = nullptr;
  bool recolour_ = false;
  ui::TColor savedColor_ = 0;
  bool attached_ = false;
  int lifeState_ = clsCreated;
  TSkinUpDown* arrows_ = nullptr;
};

} // namespace vela::skin
