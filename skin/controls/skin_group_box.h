#pragma once
// The group-box skinner: after the group box has painted itself, its etched border and caption
// are wiped and drawn again in the skin's colours, a rounded frame under the caption.
#include "skin/controls/skin_control.h"

namespace vela::skin {

class TSkinGroupBox : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinGroupBox(ui::TComponent* owner);

  // The caption painted last: the window text, or the "Caption" property when that is empty.
  const std::wstring& PaintedCaption() const { return painted_; }

protected:
  void Draw(HDC dc, const RECT& rect) override;

private:
  std::wstring painted_;
};

} // namespace vela::skin
