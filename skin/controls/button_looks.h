#pragma once
// The looks of the button family and the marks of check boxes and radio buttons, as functions
// of the state a skinner has read. A look is the cell of the element's look strip, counted from
// 1; each kind ranks the states differently, so each has its own function.
#include <string_view>

#include "skin/data/raster.h"

namespace vela::skin {

// The look index every control skinner uses.
enum class Look { Normal = 1, Pressed = 2, Disabled = 3, HotOrFocused = 4, Default = 5 };

constexpr int LookCell(Look look) {
  return int(look);
}

struct ButtonState {
  bool Hot = false;
  bool Pressed = false;
  bool Focused = false;
  bool Enabled = true;
  bool Default = false; // BS_DEFPUSHBUTTON, or the "Default" property of a bitmap button
};

// Push button: pressed, then hot, then default, then focused; disabled overrides all.
Look PushButtonLook(const ButtonState& s);

// Bitmap button: pressed, then hot or focused, then default; disabled overrides all.
Look BitButtonLook(const ButtonState& s);

// Speed button: pressed, then hot; the "Down" property shows it pressed even when disabled,
// which otherwise shows it disabled. A speed button never shows focus or default.
Look SpeedButtonLook(const ButtonState& s, bool down);

// A flat speed button at rest shows only the skin background, not its element.
constexpr bool SpeedButtonDrawsElement(Look look, bool flat) {
  return !(flat && look == Look::Normal);
}

// Combo box: pressed, then focused or hot, then enabled; only then disabled. A combo pressed
// while its window is disabled still shows pressed.
Look ComboLook(const ButtonState& s);

// One half of an up-down: the hot and pressed looks belong to the half under the cursor, the
// other half shows normal; a disabled up-down shows disabled in both halves.
Look UpDownHalfLook(const ButtonState& s, bool cursorInThisHalf);

// The cell of an up-down half in its strip: four looks per direction, the first direction
// (up, or left) first.
constexpr int UpDownCell(Look look, bool secondDirection) {
  return int(look) + (secondDirection ? 4 : 0);
}

// The two halves of an up-down, split at half its width (horizontal: left, then right) or
// at half its height (vertical: upper, then lower).
struct UpDownHalves {
  Rect First;
  Rect Second;
  friend constexpr bool operator==(const UpDownHalves&, const UpDownHalves&) = default;
};
constexpr UpDownHalves SplitUpDown(const Rect& r, bool horizontal) {
  if (horizontal) {
    const int mid = r.left + r.Width() / 2;
    return {Rect{r.left, r.top, mid, r.bottom}, Rect{mid, r.top, r.right, r.bottom}};
  }
  const int mid = r.top + r.Height() / 2;
  return {Rect{r.left, r.top, r.right, mid}, Rect{r.left, mid, r.right, r.bottom}};
}

// The glyph cell a look uses: pressed 3, disabled 2, else 1. Only a glyph of exactly four
// cells shows it; any other count (0 counts as 1) always shows its first cell.
int GlyphCellForLook(Look look, int numGlyphs);

// Which caption colour a look asks for: the element's normal, mouse-over or pressed caption
// colour, the disabled (button-shadow) colour, or, for the default look, the plain text
// colour of the control or the skin.
enum class CaptionColour { Plain, Normal, MouseOver, Pressed, Disabled };
CaptionColour CaptionColourForLook(Look look);

// The check state of a check box or radio button: 1 unchecked, 2 checked, 4 grey.
enum class CheckState { Unchecked = 1, Checked = 2, Grey = 4 };

// What a framework control publishes about its check: the "State" identifier (empty when not
// published) and the "Checked" property. Check boxes read "State" first: containing "uncheck"
// is unchecked, else "check" checked, else "gray" grey; an identifier that says none of these
// keeps the button's own state. Without "State" (and for radio buttons) "Checked" decides.
CheckState CheckStateFromProperties(std::string_view stateIdentifier, bool checked, bool isRadio,
                                    CheckState fromButton);

// The cell of the mark strip. The strips are read as:
//
//   4 cells:  1 unchecked  2 checked  3 unchecked disabled  4 checked disabled or grey
//   8 cells (radio):   | unchecked: normal hot pressed disabled | checked: the same four |
//   12 cells (check):  | unchecked ... | checked ... | grey: normal hot pressed disabled |
//
// Any other count (a 12-cell radio or an 8-cell check strip too) is read as the 4-cell strip;
// a strip of fewer than 4 cells shows its last cell for the states past it.
// A grey check box (the indeterminate button state or a grey "State") shows the grey cell,
// whether enabled or not.
int CheckMarkCell(CheckState state, bool indeterminate, bool enabled, bool isRadio, int cellCount);

// The nine-cell glyph strip handed to a check box that draws its own glyphs, filled from the
// skin's `CheckButtonFrame` cells (all counted from 0):
//
//   target:  0  1  2  3  4  5  6  7  8
//   source:  0  1  g  0  1  g  2  3  g       g: cell 4 of a 5-cell strip, else left empty
//
// The source cell for a target, or -1 when the target stays empty.
constexpr int GlyphStripSourceCell(int target, int checkCells) {
  switch (target) {
  case 0:
  case 3:
    return 0;
  case 1:
  case 4:
    return 1;
  case 6:
    return 2;
  case 7:
    return 3;
  case 2:
  case 5:
  case 8:
    return checkCells == 5 ? 4 : -1;
  default:
    return -1;
  }
}
constexpr int kGlyphStripCells = 9;

// Where the mark image lies in a check box or radio button, and the strip beside it filled with
// the parent colour first. `client` is the control's rectangle; the image is cellWidth x
// imageHeight, centred vertically. With the box on the left (no BS_LEFTTEXT) the filled strip
// is the first 16 pixels, on the right the last 18.
struct CheckMarkPlacement {
  Rect Image;
  Rect ParentFill;
  friend constexpr bool operator==(const CheckMarkPlacement&, const CheckMarkPlacement&) = default;
};

CheckMarkPlacement PlaceCheckMark(const Rect& client, int cellWidth, int imageHeight,
                                  bool boxOnRight, bool isRadio);

} // namespace vela::skin
