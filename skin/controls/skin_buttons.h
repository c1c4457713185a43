#pragma once
// The button skinners: push buttons and speed buttons painted from the skin's button element,
// with the mouse and keyboard feedback taken over.
//
// The hot look goes with the mouse: a button that the mouse moves onto tells the window's hot
// control that the mouse left it and becomes the hot control itself, so at most one button of
// a window looks hot.
#include "skin/controls/button_looks.h"
#include "skin/controls/skin_control.h"
#include "ui/bitmap.h"

namespace vela::skin {

// A push button, a framework TButton or a bare window of a button class. It paints instead of
// the control (five looks: normal, pressed, disabled, hot or focused, default) and swallows
// the press, so that the native button never sees it: a release outside therefore never
// clicks, and a release over a button that looks pressed clicks it.
class TSkinButton : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinButton(ui::TComponent* owner);
  ~TSkinButton() override;

  // The look the button shows now (cell of the button strip).
  int CurrentLook() const { return look_; }

protected:
  bool BeforeMessage(ui::TMessage& m) override;
  void AfterMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;
  // The mouse is over the button: take the hot look from the window's previous hot control.
  void TakeHot();
  // The mouse left: drop the hot and pressed looks and the window's hot control.
  void DropHot();
  // Draws the caption centred in `rect`, "||" breaking lines.
  void DrawButtonCaption(HDC dc, const RECT& rect, const std::wstring& caption);
  // The caption colour of a look; `fallback` when the look asks for none.
  COLORREF CaptionColour(int look, COLORREF fallback, bool always) const;

  // Glyph (when there is one) and caption laid out by the control's "Layout" and "Spacing"
  // around `margin`, the caption aligned to the side the layout gives it.
  void DrawGlyphAndCaption(HDC back, const RECT& local, const std::wstring& caption,
                           const ui::TBitmap* glyph, int numGlyphs, Look look, int margin,
                           bool speedButton, UINT textFlags);
  // The back buffer sized to `rect`; null for an empty rectangle.
  HDC BackBuffer(const RECT& rect);

  ui::TBitmap buffer_;
  int look_ = 1;

private:
  void Click();
};

// A bitmap button: a push button whose glyph ("Glyph", "NumGlyphs") and caption are laid out
// by "Layout", "Margin" and "Spacing" ("Alignment" taCenter centres them); its "Default"
// property gives the default look.
class TSkinBitButton : public TSkinButton {
  VELA_CLASS_INFO
public:
  explicit TSkinBitButton(ui::TComponent* owner);

protected:
  void Draw(HDC dc, const RECT& rect) override;
};

// A speed button: a graphic control without a window. It paints on the control's own canvas
// (in WM_PAINT, and on demand through the control's PaintNow), keeps the control's own press
// and click handling, and honours "Flat" and "Down".
class TSkinSpeedButton : public TSkinBitButton {
  VELA_CLASS_INFO
public:
  explicit TSkinSpeedButton(ui::TComponent* owner);
  ~TSkinSpeedButton() override;

  // Takes the owner, a graphic control, over through its WindowProc.
  void AttachGraphic(TSkinHost* host, ui::TCanvas* canvas);
  void Unskin() override;

protected:
  bool BeforeMessage(ui::TMessage& m) override;
  void AfterMessage(ui::TMessage& m) override;
  void PaintWindow(HDC dc) override;
  void DrawSpeedButton(HDC dc, const RECT& rect);
};

// A check box or radio button. The control paints itself; the skinner then paints only the
// mark from the skin's check or radio strip over the box.
class TSkinCheckMark : public TSkinControl {
  VELA_CLASS_INFO
public:
  TSkinCheckMark(ui::TComponent* owner, bool radio);
  ~TSkinCheckMark() override;

  // The cell of the mark strip painted last (counted from 1), 0 before any.
  int CurrentCell() const { return cell_; }

protected:
  void AfterMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;

private:
  bool radio_;
  int cell_ = 0;
};

class TSkinCheckBox : public TSkinCheckMark {
  VELA_CLASS_INFO
public:
  explicit TSkinCheckBox(ui::TComponent* owner);
};

class TSkinRadioButton : public TSkinCheckMark {
  VELA_CLASS_INFO
public:
  explicit TSkinRadioButton(ui::TComponent* owner);
};

} // namespace vela::skin
