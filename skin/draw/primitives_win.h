#pragma once
// The skin drawing primitives on a device context. Each composes off-screen with the raster
// primitives (primitives.h) and reaches the DC in one copy, so a skinned surface never flickers
// through its pieces; DrawSkinFrame and TileBitmap draw their pieces straight onto the DC, as
// they leave the rest of the target alone. Arguments are those of the raster versions.
#include <windows.h>

#include "skin/data/elements.h"
#include "skin/data/raster.h"

namespace vela::skin {

void DrawSkinRect(HDC dc, const Rect& target, const Raster& image, const Margins& margins, int cell,
                  int cellCount, bool transparent, bool tileMiddle, bool vertical);

void DrawSkinStrip(HDC dc, const Rect& target, const Raster& image, const Margins& margins,
                   int cell, int cellCount, bool transparent, bool vertical);

// Stretches the eight border pieces onto the DC with the stretched blit in colour-on-colour
// mode (the DC's stretch mode is restored afterwards).
void DrawSkinFrame(HDC dc, const Rect& target, const Raster& image, const Margins& margins,
                   int cell, int cellCount, bool vertical);

void DrawStretchedCell(HDC dc, const Rect& target, const Raster& image, bool transparent,
                       int cellCount, int cell);

void DrawCenteredCell(HDC dc, const Rect& target, const Raster& image, bool transparent,
                      int cellCount, int cell);

// Copies the top-left target-sized area of `bitmap` (only what exists of it) to the target's
// top-left with a masked blit: the mask marks the pixels of `colour`, where the destination is
// kept; every other pixel is copied.
void DrawTransparent(HDC dc, const Rect& target, const Raster& bitmap, Pixel colour);

void TileBitmap(HDC dc, const Rect& target, const Raster& image, const Rect& source);

} // namespace vela::skin
