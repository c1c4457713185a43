#pragma once
// Whole-bitmap transforms used by the skin loader and the skinners.
//
// Skin images are 24-bit colour: every transform leaves the fourth byte of each pixel 0. An
// empty bitmap stays empty.
#include "skin/data/raster.h"

namespace vela::skin {

// Each pixel's three channels become (blue + green + red) / 3, in place.
void GrayBitmap(Bitmap& bitmap);

// Left-right mirror: pixel x of each row comes from pixel (width - 1 - x).
void MirrorBitmap(Bitmap& bitmap);

// Mirrors each of the `cellCount` equal cells of a side-by-side strip within itself, so that
// cell k still holds state k, now facing the other way. Columns left over after the last whole
// cell stay where they are. With fewer than one cell, or cells narrower than a pixel, the
// whole bitmap is mirrored.
void MirrorBitmapCells(Bitmap& bitmap, int cellCount);

// Top-bottom flip: row y comes from row (height - 1 - y).
void FlipBitmap(Bitmap& bitmap);

// Quarter turn counter-clockwise; width and height swap. New (x, y) = old (oldWidth - 1 - y, x).
void RotateBitmapLeft(Bitmap& bitmap);

// Quarter turn clockwise; width and height swap. New (x, y) = old (y, oldHeight - 1 - x).
void RotateBitmapRight(Bitmap& bitmap);

} // namespace vela::skin
