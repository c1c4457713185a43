#include "skin/controls/button_looks.h"

#include <algorithm>
#include <string>

#include "ui/core/text.h"

namespace vela::skin {

Look PushButtonLook(const ButtonState& s) {
  if (!s.Enabled)
    return Look::Disabled;
  if (s.Pressed)
    return Look::Pressed;
  if (s.Hot)
    return Look::HotOrFocused;
  if (s.Default)
    return Look::Default;
  if (s.Focused)
    return Look::HotOrFocused;
  return Look::Normal;
}

Look BitButtonLook(const ButtonState& s) {
  if (!s.Enabled)
    return Look::Disabled;
  if (s.Pressed)
    return Look::Pressed;
  if (s.Hot || s.Focused)
    return Look::HotOrFocused;
  if (s.Default)
    return Look::Default;
  return Look::Normal;
}

Look SpeedButtonLook(const ButtonState& s, bool down) {
  if (down)
    return Look::Pressed;
  if (!s.Enabled)
    return Look::Disabled;
  if (s.Pressed)
    return Look::Pressed;
  if (s.Hot)
    return Look::HotOrFocused;
  return Look::Normal;
}

Look ComboLook(const ButtonState& s) {
  if (s.Pressed)
    return Look::Pressed;
  if (s.Focused || s.Hot)
    return Look::HotOrFocused;
  return s.Enabled ? Look::Normal : Look::Disabled;
}

Look UpDownHalfLook(const ButtonState& s, bool cursorInThisHalf) {
  if (!s.Enabled)
    return Look::Disabled;
  if (!cursorInThisHalf)
    return Look::Normal;
  if (s.Pressed)
    return Look::Pressed;
  return s.Hot ? Look::HotOrFocused : Look::Normal;
}

int GlyphCellForLook(Look look, int numGlyphs) {
  if (numGlyphs != 4)
    return 1;
  switch (look) {
  case Look::Pressed:
    return 3;
  case Look::Disabled:
    return 2;
  default:
    return 1;
  }
}

CaptionColour CaptionColourForLook(Look look) {
  switch (look) {
  case Look::Normal:
    return CaptionColour::Normal;
  case Look::HotOrFocused:
    return CaptionColour::MouseOver;
  case Look::Pressed:
    return CaptionColour::Pressed;
  case Look::Disabled:
    return CaptionColour::Disabled;
  case Look::Default:
    break;
  }
  return CaptionColour::Plain;
}

CheckState CheckStateFromProperties(std::string_view stateIdentifier, bool checked, bool isRadio,
                                    CheckState fromButton) {
  if (isRadio || stateIdentifier.empty())
    return checked ? CheckState::Checked : CheckState::Unchecked;
  const std::string lower = ui::AsciiLowerCase(stateIdentifier);
  if (lower.find("uncheck") != std::string::npos)
    return CheckState::Unchecked;
  if (lower.find("check") != std::string::npos)
    return CheckState::Checked;
  if (lower.find("gray") != std::string::npos)
    return CheckState::Grey;
  return fromButton;
}

namespace {

// The cell of the state in a strip that has every cell its count promises.
int CellOfFullStrip(CheckState state, bool indeterminate, bool enabled, bool isRadio, int cellCount) {
  const bool grey = !isRadio && (indeterminate || state == CheckState::Grey);
  if (grey) {
    if (cellCount == 12)
      return enabled ? 9 : 12;
    return 4;
  }
  // 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled: the 4-cell numbering.
  const int cell = (state == CheckState::Checked ? 2 : 1) + (enabled ? 0 : 2);
  if (isRadio ? cellCount == 8 : cellCount == 12) {
    switch (cell) {
    case 2:
      return 5;
    case 3:
      return 4;
    case 4:
      return 8;
    default:
      return 1;
    }
  }
  return cell;
}

} // namespace

int CheckMarkCell(CheckState state, bool indeterminate, bool enabled, bool isRadio, int cellCount) {
  // A strip of fewer cells than the state asks for shows its last cell, never a cell past it.
  return std::clamp(CellOfFullStrip(state, indeterminate, enabled, isRadio, cellCount), 1,
                    std::max(1, cellCount));
}

CheckMarkPlacement PlaceCheckMark(const Rect& client, int cellWidth, int imageHeight,
                                  bool boxOnRight, bool isRadio) {
  const int top = client.top + (client.Height() - imageHeight) / 2;
  CheckMarkPlacement p;
  if (!boxOnRight) {
    int left;
    if (isRadio)
      left = cellWidth < 15 ? client.left + (14 - cellWidth) / 2 : client.left;
    else
      left = cellWidth < 15 ? client.left + 1 + (14 - cellWidth) / 2 : client.left + 2;
    p.Image = Rect{left, top, left + cellWidth, top + imageHeight};
    p.ParentFill = Rect{client.left, client.top, client.left + 16, client.bottom};
  } else {
    int right;
    if (isRadio)
      right = cellWidth < 15 ? client.right - (14 - cellWidth) / 2 : client.right - 1;
    else
      right = cellWidth < 16 ? client.right - (15 - cellWidth) / 2 : client.right - 1;
    p.Image = Rect{right - cellWidth, top, right, top + imageHeight};
    p.ParentFill = Rect{client.right - 18, client.top, client.right, client.bottom};
  }
  return p;
}

} // namespace vela::skin
