#pragma once
// Pure geometry of skin cells: where a cell lies in its strip, and how a cell is cut into the
// pieces that the nine-slice, frame and three-slice drawings stretch onto a target.
#include <vector>

#include "skin/data/elements.h"
#include "skin/data/raster.h"

namespace vela::skin {

// Cell `cell` (counted from 1) of a strip of `cellCount` equal cells, side by side or stacked:
//
//   side by side (3 cells)            stacked (2 cells)
//   +------+------+------+            +-------------+
//   |  1   |  2   |  3   |  cw = w/3  |      1      |  ch = h/2
//   +------+------+------+            +-------------+
//                                     |      2      |
//                                     +-------------+
//
// The division truncates, so leftover columns (rows) at the end belong to no cell. A cell
// number outside 1..cellCount is clamped into that range. The rectangle is empty when the
// count is not positive or the cells would have no width or height.
Rect CellRect(int imageWidth, int imageHeight, int cellCount, int cell, bool vertical);

// The same for an image; a missing image has no cells.
inline Rect CellOf(const Raster& image, int cellCount, int cell, bool vertical) {
  if (image.Empty())
    return Rect{};
  return CellRect(image.width, image.height, cellCount, cell, vertical);
}

// A target whose right or bottom edge lies before its left or top edge is drawn nowhere.
inline bool Inverted(const Rect& r) { return r.right < r.left || r.bottom < r.top; }

// The margins a target of width x height is drawn with: negative margins count as 0, and when
// the target is narrower than the left and right margins together both are dropped (likewise
// top and bottom), so that the whole cell is stretched across it.
Margins CollapseMargins(const Margins& margins, int width, int height);

enum class SlicePart {
  TopLeft,
  BottomLeft,
  TopRight,
  LeftEdge,
  TopEdge,
  Middle,
  BottomRight,
  RightEdge,
  BottomEdge,
  StripLeft,
  StripMiddle,
  StripRight
};

// One piece: the `source` rectangle of the image is stretched onto `dest`, which is relative
// to the target's top-left corner.
struct Slice {
  SlicePart part;
  Rect source;
  Rect dest;
  friend bool operator==(const Slice&, const Slice&) = default;
};

// The nine pieces of a cell drawn onto a width x height target with the margins collapsed as
// above, in painting order (the middle comes before the right and bottom pieces so that a
// tiled middle that overruns its area is painted over):
//
//      0      L            W-R     W
//    0 +------+-------------+------+      1 top-left     4 left edge    7 bottom-right
//      |  1   |      5      |  3   |      2 bottom-left  5 top edge     8 right edge
//    T +------+-------------+------+      3 top-right    6 middle       9 bottom edge
//      |  4   |      6      |  8   |
//  H-B +------+-------------+------+    Source pieces are the same regions of the cell,
//      |  2   |      9      |  7   |    measured from the cell's own edges.
//    H +------+-------------+------+
//
// Margins that leave the cell no middle are then reduced to leave it one (FitMarginsToCell), so
// that every part of the target has a source and the cell is drawn whole. A piece whose source
// or destination has no area is left out. `withMiddle` false leaves the middle out too (the
// frame drawing). A target beyond the largest raster side gives no pieces.
std::vector<Slice> NineSlices(const Rect& cell, const Margins& margins, int width, int height,
                              bool withMiddle);

// The three-slice strip: the cell's left `left` columns stretched onto (0, 0, left, H), copies
// of its middle columns (each m = cell width - left - right wide, stretched to the height H)
// repeated from x = left while x < W - right, and its right `right` columns stretched onto
// (W - right, 0, W, H) over any overrun of the middle:
//
//      0    L     L+m   L+2m  W-R   W
//      +----+-----+-----+--+--+-----+
//      | L  |  m  |  m  |  m  |  R  |    the last copy may reach under the right part
//      +----+-----+-----+--+--+-----+
//
// Margins are not collapsed here; negative ones count as 0 and each end is at most the cell's
// width. When the cell has no middle (m <= 0) the whole cell is stretched once across the space
// between the two ends, so the strip stays closed instead of showing a gap.
std::vector<Slice> StripSlices(const Rect& cell, int left, int right, int width, int height);

} // namespace vela::skin
