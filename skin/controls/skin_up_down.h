#pragma once
// The skinned up-down control: both arrows painted from the skin's up-down element (or, in a
// skin without one, as plain outlined buttons with a small arrow), the pressed and hot looks
// going to the half under the cursor. Edits, tab controls and tab sets use it for the arrows
// they carry.
#include "skin/controls/skin_control.h"
#include "ui/bitmap.h"

#include <array>

namespace vela::skin {

class TSkinUpDown : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinUpDown(ui::TComponent* owner);
  ~TSkinUpDown() override;

  // It belongs to an edit (drawn 1 pixel inside its window).
  void SetBuddy(bool value) { buddy_ = value; }
  bool Buddy() const { return buddy_; }
  // It belongs to a tab set (always split side by side).
  void SetTabSetOwned(bool value) { tabSetOwned_ = value; }

  // The look each half showed when last painted: the up or left half first.
  const std::array<int, 2>& HalfLooks() const { return looks_; }

protected:
  bool BeforeMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;

private:
  // The mouse is over the control: hot, and told when it leaves.
  void MouseMoved();

  bool buddy_ = false;
  bool tabSetOwned_ = false;
  bool trackingLeave_ = false;
  std::array<int, 2> looks_{1, 1};
  ui::TBitmap buffer_;
};

// The arrows a control carries (an edit's up-down, a tab row's arrows): a new up-down skinner
// owned by `owner` is attached to `arrows` with the host and canvas of `holder`, the skinner
// that found them, which is told when the new one goes. Null when `arrows` has a skinner
// already or cannot be taken over.
TSkinUpDown* SkinCarriedArrows(TSkinControl& holder, HWND arrows, ui::TComponent* owner, ui::TCanvas* canvas,
                               bool buddy, bool tabSetOwned);

} // namespace vela::skin
