#pragma once
// The parts of a skinned combo box: its frame, the edit area the skin leaves alone, the drop
// button column and where the arrow glyph goes. Three ways of drawing, chosen by the
// "ComboButton" element's Style:
//
//   Style 2 (the composite made at load time): one cell covers the whole combo.
//   Style 1: the frame 1 pixel inside the window; the button column 2 pixels inside, at the
//            right, as wide as a vertical scroll thumb.
//   other:   "SunkEdge" over the whole combo; a column of b + 2 pixels (b: the scroll-arrow
//            width) at the right (at the left with WS_EX_LEFTSCROLLBAR) takes the button:
//
//            +--------------------------------+------+
//            |  edit area (not painted)   |4px|button|   2 pixels inside the frame at the top,
//            +--------------------------------+------+   bottom and outer side
#include "skin/data/raster.h"

namespace vela::skin {

struct ComboParts {
  Rect Frame;
  // The area the combo's own edit field or text keeps: excluded from painting.
  Rect Edit;
  Rect Button;
  // Where the "ExtraImages" arrow is centred (the button less 2 pixels on its outer side).
  Rect Glyph;
  friend constexpr bool operator==(const ComboParts&, const ComboParts&) = default;
};

// `scrollArrowWidth` is the system's horizontal scroll-arrow width, `thumbWidth` the vertical
// scroll thumb's height (the Style 1 button is as wide).
ComboParts ComboLayout(const Rect& combo, int style, bool buttonOnLeft, int scrollArrowWidth,
                       int thumbWidth);

} // namespace vela::skin
