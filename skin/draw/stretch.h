#pragma once
// Pixel copies between rasters: the straight copy of a blit and the nearest-neighbour stretch
// of a stretched blit in "colour on colour" mode, with the same choice of source pixels.
#include "skin/data/raster.h"

namespace vela::skin {

enum class StretchAxis { Horizontal, Vertical };

// The source index, within a run of `sourceLength` pixels, that destination pixel `index` of a
// run of `destLength` pixels takes. Both lengths must be positive and index < destLength.
//
//   growing (dest > source), either axis: the source pixel under the destination pixel's
//       centre; a centre exactly on a boundary takes the pixel before it.
//   shrinking columns: the last source pixel that starts at least half a destination pixel
//       before the destination pixel's right edge, so the last column takes the last source
//       column; a single destination column takes the next-to-last source column.
//   shrinking rows: the source row nearest to index * source / dest, halves rounding up.
//
// This is the choice the system's stretched blit makes in colour-on-colour mode between
// top-down DIB sections (the surfaces of this program), which treats columns and rows
// differently when shrinking; the Windows tests compare the two pixel for pixel.
int StretchSourceIndex(int sourceLength, int destLength, int index, StretchAxis axis);

// Stretches `source` (a rectangle of `from`) onto `dest` (a rectangle of `to`). Nothing happens
// when either rectangle has no area or is inverted. The mapping is computed over the whole
// rectangles and then clipped: destination pixels outside `to`, and those whose source pixel
// lies outside `from`, are left as they are.
void StretchCopy(const Raster& to, const Rect& dest, const Raster& from, const Rect& source);

// Copies the `source` rectangle of `from` to `to` with its top-left corner at (x, y), clipped to
// both rasters, like a plain blit.
void CopyPixels(const Raster& to, int x, int y, const Raster& from, const Rect& source);

// Copies the `source` rectangle of `from` into a new bitmap of that size; pixels of the
// rectangle outside `from` are black. Empty when the rectangle has no area.
Bitmap CopyToBitmap(const Raster& from, const Rect& source);

// Fills the part of `rect` inside `to` with `colour`.
void FillPixels(const Raster& to, const Rect& rect, Pixel colour);

// The part of `r` that lies inside `bounds`; an empty rectangle when they do not meet.
Rect Intersect(const Rect& r, const Rect& bounds);

} // namespace vela::skin
