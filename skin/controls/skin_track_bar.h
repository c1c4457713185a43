#pragma once
// The track-bar skinner: the track bar paints its channel and ticks itself; the thumb comes
// from the skin ("Trackbar.ThumbHorz", or "Trackbar.ThumbVert" for a vertical bar), drawn
// through the control's custom-draw notifications, in the cell of its state (at rest, under
// the mouse, dragged, disabled).
#include "skin/controls/skin_control.h"

namespace vela::skin {

class TSkinTrackBar : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinTrackBar(ui::TComponent* owner);
  void Refresh() override;

  // The thumb cell painted last (counted from 1), 0 before any or when the thumb was drawn
  // as an outline for want of a skin image.
  int ThumbCell() const { return cell_; }

protected:
  bool BeforeMessage(ui::TMessage& m) override;
  void AfterMessage(ui::TMessage& m) override;

private:
  bool CustomDraw(ui::TMessage& m);
  void DrawThumb(HDC dc);
  bool OverThumb(LPARAM point) const;
  void ChangeState(std::uint8_t bits, bool on);

  int cell_ = 0;
};

} // namespace vela::skin
