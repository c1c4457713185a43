#pragma once
// The edit skinner: the edit paints itself, border included; the skinner then draws a frame of
// the skin's colours over the border, outer line and inner line. The outer line shows the
// skin's highlight colour while the edit has the focus or the mouse, and the inner line the
// face colour while it is disabled. Up-down arrows the edit carries as a child window (a spin
// edit's, an up-down date picker's) get a TSkinUpDown drawn one pixel in.
#include "skin/controls/panel_geometry.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_up_down.h"

namespace vela::skin {

class TSkinEdit : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinEdit(ui::TComponent* owner);
  ~TSkinEdit() override;

  // The frame painted last; `Painted` stays false while the edit has no border to frame.
  struct Look {
    bool Painted = false;
    EditFrame Frame;
  };
  const Look& LastLook() const { return look_; }

protected:
  bool BeforeMessage(ui::TMessage& m) override;
  void AfterMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;

private:
  void SkinArrows();
  void PrintFrame(HDC dc);
  COLORREF ColourOf(EditFrameColour colour) const;
  void SetHot(bool hot);

  Look look_;
  // The printing DC's state as the caller gave it, while the edit prints itself.
  int printState_ = 0;
};

} // namespace vela::skin
