#pragma once
// The skin drawing primitives on rasters: every skinned surface is composed from element
// strips by these routines (nine-slice, three-slice, frame, single cells, tiling, magenta
// transparency). They work on Raster views, so the same code draws into an owned Bitmap and
// into the pixels of a DIB section; the GDI adapters (primitives_win.h) only move the results
// to a device context.
//
// Cells are counted from 1 and clamped into the strip (see CellRect). Rectangles are
// {left, top, right, bottom}; a target with right < left or bottom < top draws nothing. Pieces
// are stretched with StretchCopy, the nearest-neighbour choice of the system's stretched blit.
// Mind the argument order: ComposeSkinRect, DrawStretchedCell and DrawCenteredCell take the
// cell count before the cell, the others the cell before the cell count.
#include "skin/data/elements.h"
#include "skin/data/raster.h"

namespace vela::skin {

// Nine-slice: a new bitmap of the target's size holding cell `cell` of the strip `image`
// (`cellCount` cells, stacked when `vertical`), its corners kept, its edges stretched along
// their length and its middle stretched, or tiled when `tileMiddle`. Margins are collapsed as
// CollapseMargins says and fitted to the cell as NineSlices says, so the cell is drawn whole. Empty when the target has no area or exceeds the raster limits;
// black where the strip has no usable cell.
Bitmap ComposeSkinRect(const Rect& target, const Raster& image, const Margins& margins,
                       bool vertical, bool tileMiddle, int cellCount, int cell);

// ComposeSkinRect onto `canvas` at the target: magenta pixels left unpainted when
// `transparent`, else copied. Nothing when the strip has no usable cell.
void DrawSkinRect(const Raster& canvas, const Rect& target, const Raster& image,
                  const Margins& margins, int cell, int cellCount, bool transparent,
                  bool tileMiddle, bool vertical);

// Three-slice strip (StripSlices) composed at the target's size; only the left and right
// margins are used and they are not collapsed. Empty as for ComposeSkinRect.
Bitmap ComposeSkinStrip(const Rect& target, const Raster& image, const Margins& margins, int cell,
                        int cellCount, bool vertical);

// ComposeSkinStrip onto `canvas`, magenta transparent when `transparent`.
void DrawSkinStrip(const Raster& canvas, const Rect& target, const Raster& image,
                   const Margins& margins, int cell, int cellCount, bool transparent,
                   bool vertical);

// The eight border pieces of the nine-slice (no middle) stretched straight onto `canvas`,
// relative to the target's top-left; what lies under the middle stays as it was.
void DrawSkinFrame(const Raster& canvas, const Rect& target, const Raster& image,
                   const Margins& margins, int cell, int cellCount, bool vertical);

// Cell `cell` of a side-by-side strip stretched over the whole target.
void DrawStretchedCell(const Raster& canvas, const Rect& target, const Raster& image,
                       bool transparent, int cellCount, int cell);

// Cell `cell` of a side-by-side strip at its natural size, centred in the target (offsets
// truncate toward zero, so a cell larger than the target is centred too).
void DrawCenteredCell(const Raster& canvas, const Rect& target, const Raster& image,
                      bool transparent, int cellCount, int cell);

// Copies the top-left target-sized area of `bitmap` to the target's top-left, leaving the
// pixels of `colour` unpainted. Only the part that exists in both rasters is touched.
void DrawTransparent(const Raster& canvas, const Rect& target, const Raster& bitmap, Pixel colour);

// Whole copies of the `source` part of `image` laid from the target's top-left corner, across
// and down, while they start inside the target; the last column and row may reach beyond it
// (clipped only by the canvas). Nothing when the source has no area.
void TileBitmap(const Raster& canvas, const Rect& target, const Raster& image, const Rect& source);

} // namespace vela::skin
