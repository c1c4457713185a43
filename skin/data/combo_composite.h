#pragma once
// The combo-box composite: the sunken edit frame, the drop-down button and the arrow glyph of a
// skin pre-composed into one strip of closed combo boxes, one 50 x 21 cell per state.
//
//   one cell (b = scroll-arrow width + 2):
//      0 2                     49-b 50-b    50
//    0 +-------------------------+----------+
//      | +---------------------+ |  button  |   the sunken edge fills the cell, the button
//      | |  text area: magenta | |  + arrow |   is stretched over the right b columns with
//      | +---------------------+ |          |   the arrow centred on it, and the text area
//   21 +-------------------------+----------+   (2, 2, 49-b, 18) is left transparent
//
// The composite replaces the combo button's strip (button at the right, Style 2) and, with every
// cell mirrored, the sunken edge's strip (button at the left, cells still in state order).
#include "skin/data/elements.h"

namespace vela::skin {

constexpr int kComboCellWidth = 50;
constexpr int kComboCellHeight = 21;
constexpr std::int32_t kComboCompositeStyle = 2;
// The horizontal scroll-arrow width of a standard Windows desktop, used where the system's
// own metric is not at hand.
constexpr int kDefaultScrollArrowWidth = 16;

// Width of the button column for a given horizontal scroll-arrow width.
constexpr int ComboButtonWidth(int scrollArrowWidth) { return scrollArrowWidth + 2; }

// Composes the strip and replaces the bitmaps and margins of `comboButton` and `sunkEdge`.
// Does nothing unless both are present (non-null). `extraImages` may be null: the cells then
// have no arrow. Cell f of the composite is built from cell f of each source strip.
void BuildComboComposite(TDataSkinObject* sunkEdge, TDataSkinBorder* comboButton,
                         const TDataSkinObject* extraImages, int scrollArrowWidth);

} // namespace vela::skin
