#pragma once
// The fillers: panels (and forms used as controls) only take the skin's face colour; a nested
// bare dialog and a bare size grip are filled with it.
#include "skin/controls/skin_control.h"

namespace vela::skin {

// A panel, a form used as a control, a navigator or a tool bar. It takes no message over and
// paints nothing: attaching gives the control the skin's face colour (with recolour) and
// unskinning gives its own colour back.
class TSkinBox : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinBox(ui::TComponent* owner);
  void AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) override;
  void Unskin() override;
};

// A dialog ("#32770") inside a bare window: its background is erased with the face colour.
class TSkinBoxH : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinBoxH(ui::TComponent* owner);

protected:
  bool BeforeMessage(ui::TMessage& m) override;
};

// A bare "scrollbar" window of a dialog (the size grip): filled with the face colour after it
// painted itself.
class TSkinSizer : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinSizer(ui::TComponent* owner);

protected:
  void Draw(HDC dc, const RECT& rect) override;
};

} // namespace vela::skin
