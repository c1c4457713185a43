#pragma once
// A skinned form that tests place framework controls on, and finding a control's skinner.
#include "skin/controls/skin_control.h"
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/win_control.h"

namespace vela::skin::test {

class ControlsFormTest : public SkinnedFormTest {
protected:
  // A new control of type T on the form (which owns it), at the given place.
  template <class T>
  T* Add(int left, int top, int width, int height) {
    auto* control = new T(form);
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    return control;
  }
  // The control's skinner when it is of type T, else null.
  template <class T>
  T* SkinnerOf(ui::TWinControl* control) const {
    return dynamic_cast<T*>(Skinner()->FindControlSkinner(control->Handle()));
  }
};

} // namespace vela::skin::test
