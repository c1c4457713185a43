#include "skin/draw/primitives.h"

#include <algorithm>
#include <cstdint>

#include "skin/draw/slices.h"
#include "skin/draw/stretch.h"

namespace vela::skin {

namespace {

Rect Offset(const Rect& r, int dx, int dy) {
  return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// The last step of every Draw* routine: the composed bitmap reaches the canvas in one copy.
void Place(const Raster& canvas, const Rect& target, const Bitmap& composed, bool transparent) {
  if (composed.Empty())
    return;
  if (transparent) {
    DrawTransparent(canvas, target, composed.View(), kMagenta);
  } else {
    CopyPixels(canvas, target.left, target.top, composed.View(), composed.View().Bounds());
  }
}

} // namespace

Bitmap ComposeSkinRect(const Rect& target, const Raster& image, const Margins& margins,
                       bool vertical, bool tileMiddle, int cellCount, int cell) {
  Bitmap out;
  if (target.Empty() || !out.Resize(target.Width(), target.Height()))
    return out;
  const Raster canvas = out.View();
  const Rect cellRect = CellOf(image, cellCount, cell, vertical);
  for (const Slice& s : NineSlices(cellRect, margins, canvas.width, canvas.height, true)) {
    if (s.part == SlicePart::Middle && tileMiddle) {
      TileBitmap(canvas, s.dest, image, s.source);
    } else {
      StretchCopy(canvas, s.dest, image, s.source);
    }
  }
  return out;
}

void DrawSkinRect(const Raster& canvas, const Rect& target, const Raster& image,
                  const Margins& margins, int cell, int cellCount, bool transparent,
                  bool tileMiddle, bool vertical) {
  if (Inverted(target) || CellOf(image, cellCount, cell, vertical).Empty())
    return;
  Place(canvas, target,
        ComposeSkinRect(target, image, margins, vertical, tileMiddle, cellCount, cell),
        transparent);
}

Bitmap ComposeSkinStrip(const Rect& target, const Raster& image, const Margins& margins, int cell,
                        int cellCount, bool vertical) {
  Bitmap out;
  if (target.Empty() || !out.Resize(target.Width(), target.Height()))
    return out;
  const Raster canvas = out.View();
  const Rect cellRect = CellOf(image, cellCount, cell, vertical);
  for (const Slice& s :
       StripSlices(cellRect, margins.Left, margins.Right, canvas.width, canvas.height)) {
    StretchCopy(canvas, s.dest, image, s.source);
  }
  return out;
}

void DrawSkinStrip(const Raster& canvas, const Rect& target, const Raster& image,
                   const Margins& margins, int cell, int cellCount, bool transparent,
                   bool vertical) {
  if (Inverted(target) || CellOf(image, cellCount, cell, vertical).Empty())
    return;
  Place(canvas, target, ComposeSkinStrip(target, image, margins, cell, cellCount, vertical),
        transparent);
}

void DrawSkinFrame(const Raster& canvas, const Rect& target, const Raster& image,
                   const Margins& margins, int cell, int cellCount, bool vertical) {
  if (Inverted(target))
    return;
  const Rect cellRect = CellOf(image, cellCount, cell, vertical);
  for (const Slice& s : NineSlices(cellRect, margins, target.Width(), target.Height(), false)) {
    StretchCopy(canvas, Offset(s.dest, target.left, target.top), image, s.source);
  }
}

void DrawStretchedCell(const Raster& canvas, const Rect& target, const Raster& image,
                       bool transparent, int cellCount, int cell) {
  const Rect cellRect = CellOf(image, cellCount, cell, false);
  if (Inverted(target) || cellRect.Empty() || target.Empty())
    return;
  Bitmap stretched;
  if (!stretched.Resize(target.Width(), target.Height()))
    return;
  StretchCopy(stretched.View(), stretched.View().Bounds(), image, cellRect);
  Place(canvas, target, stretched, transparent);
}

void DrawCenteredCell(const Raster& canvas, const Rect& target, const Raster& image,
                      bool transparent, int cellCount, int cell) {
  const Rect cellRect = CellOf(image, cellCount, cell, false);
  if (Inverted(target) || cellRect.Empty())
    return;
  const int x = target.left + (target.Width() - cellRect.Width()) / 2;
  const int y = target.top + (target.Height() - cellRect.Height()) / 2;
  const Rect placed{x, y, x + cellRect.Width(), y + cellRect.Height()};
  if (transparent) {
    // The cell is drawn from the strip in place: a copy of it would hold the same pixels.
    const Raster cellView{&image.At(cellRect.left, cellRect.top), cellRect.Width(),
                          cellRect.Height(), image.stride};
    DrawTransparent(canvas, placed, cellView, kMagenta);
  } else {
    CopyPixels(canvas, x, y, image, cellRect);
  }
}

void DrawTransparent(const Raster& canvas, const Rect& target, const Raster& bitmap, Pixel colour) {
  if (Inverted(target) || canvas.Empty() || bitmap.Empty())
    return;
  const int w = std::min(target.Width(), bitmap.width);
  const int h = std::min(target.Height(), bitmap.height);
  const Rect dest =
      Intersect(Rect{target.left, target.top, target.left + w, target.top + h}, canvas.Bounds());
  const Pixel key = colour & 0x00FFFFFFu;
  for (int y = dest.top; y < dest.bottom; ++y) {
    const Pixel* in = bitmap.Row(y - target.top) + (dest.left - target.left);
    Pixel* out = canvas.Row(y) + dest.left;
    for (int i = 0; i < dest.Width(); ++i) {
      if ((in[i] & 0x00FFFFFFu) != key)
        out[i] = in[i];
    }
  }
}

void TileBitmap(const Raster& canvas, const Rect& target, const Raster& image, const Rect& source) {
  if (source.Empty() || canvas.Empty())
    return;
  const Bitmap tile = CopyToBitmap(image, source);
  if (tile.Empty())
    return;
  const int sw = tile.Width(), sh = tile.Height();
  // Copies that end before the canvas begins are skipped arithmetically, and the loops stop at
  // the canvas's far edge, so a huge target costs no more than the canvas it covers.
  const auto first = [](int start, int step) {
    return start >= 0 ? std::int64_t(start) : start + -std::int64_t(start) / step * step;
  };
  const std::int64_t xEnd = std::min<std::int64_t>(target.right, canvas.width);
  const std::int64_t yEnd = std::min<std::int64_t>(target.bottom, canvas.height);
  for (std::int64_t y = first(target.top, sh); y < yEnd; y += sh) {
    for (std::int64_t x = first(target.left, sw); x < xEnd; x += sw) {
      CopyPixels(canvas, int(x), int(y), tile.View(), tile.View().Bounds());
    }
  }
}

} // namespace vela::skin
