#include "skin/forms/nc_objects.h"

namespace vela::skin {

void TNCObject::MouseDown() {
  TNCObject* hot = owner_.HotObject();
  if (hot && hot != this)
    hot->MouseLeave();
  if (!Visible)
    return;
  owner_.SetHotObject(this);
  State = stPressed;
  Paint();
}

void TNCObject::MouseUp() {
  if (!Visible)
    return;
  State = stHot;
  Paint();
}

void TNCObject::MouseEnter() {
  TNCObject* hot = owner_.HotObject();
  if (hot == this)
    return;
  if (hot)
    hot->MouseLeave();
  if (!Visible)
    return;
  owner_.SetHotObject(this);
  State = stHot;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!Visible)
    return;
  owner_.SetHotObject(nullptr);
  State = stNormal;
  Paint();
}

} // namespace vela::skin
