#pragma once
// TSkinObjImage: a control that draws its own glyphs is given the skin's instead. It takes no
// message over; in glyph mode 1 it hands the control a nine-cell strip made from the skin's
// check-box cells ("CustomGlyphs", "transparentcolor", "UseCustomGlyphs", read by name), and
// unskinning switches the control back to its own glyphs.
#include "skin/controls/skin_control.h"

namespace vela::skin {

class TSkinObjImage : public TSkinControl {
  VELA_CLASS_INFO
public:
  TSkinObjImage(ui::TComponent* owner, int glyphMode);

  int GlyphMode() const { return glyphMode_; }
  void AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) override;
  void Unskin() override;
  void Refresh() override;

private:
  void ApplyGlyphs();

  int glyphMode_ = 0;
};

} // namespace vela::skin
