#pragma once
// The progress-bar skinner: paints the whole bar from the skin's "Progress" element instead of
// the control (empty cell, filled cell over the filled part; or the element with its "Chunk"
// image repeated, for an element of Style 1). Without the element the bar paints itself.
#include "skin/controls/skin_control.h"

namespace vela::skin {

class TSkinProgress : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinProgress(ui::TComponent* owner);

protected:
  bool BeforeMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;

private:
  const TDataSkinBorder* ProgressElement() const;
};

} // namespace vela::skin
