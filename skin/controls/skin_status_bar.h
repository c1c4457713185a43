#pragma once
// The status-bar skinner: the bar paints itself, then the skinner paints the whole bar again
// over it from the skin's "StatusBarEdges" cells, with each panel's text, the size grip from
// "ExtraImages" and, last, the bar's owner-drawn panels.
#include "skin/controls/skin_control.h"
#include "ui/bitmap.h"
#include "ui/graphics.h"

namespace vela::skin {

class TSkinStatusBar : public TSkinControl {
  VELA_CLASS_INFO
public:
  // Notes whether the bar has its size grip: the mapping switches it off before attaching,
  // and unskinning gives it back.
  explicit TSkinStatusBar(ui::TComponent* owner);
  void Unskin() override;

  // The panel rectangles painted last, in panel order (a simple bar paints one).
  const std::vector<RECT>& PaintedPanels() const { return painted_; }

protected:
  void Draw(HDC dc, const RECT& rect) override;

private:
  void DrawPanelBackground(HDC dc, const RECT& r, int cell) const;
  void CallOwnerDraw(HDC dc) const;

  ui::TBitmap buffer_;
  ui::TFont font_;
  std::vector<RECT> painted_;
  bool hadSizeGrip_ = false;
};

} // namespace vela::skin
