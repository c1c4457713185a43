#include "skin/draw/primitives_win.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/draw/primitives.h"
#include "skin/draw/slices.h"
#include "skin/draw/stretch.h"
#include "ui/bitmap.h"

namespace vela::skin {

namespace {

// Fills `surface` with the `source` part of `raster`. False when GDI refuses the surface: the
// piece is then left undrawn, as a paint cannot stop halfway to report an error.
bool CopyToSurface(ui::TBitmap& surface, const Raster& raster, const Rect& source) {
  try {
    surface.CopyFrom(raster, source);
    surface.Dc();
  } catch (const ui::EOutOfResources&) {
    return false;
  }
  return !surface.Empty();
}

// A monochrome mask of the w x h top-left area of `bitmap`: bit 1 where the pixel has the
// colour, 0 elsewhere. Monochrome rows are padded to 16 bits, leftmost pixel in the high bit.
ui::TGdiObject<HBITMAP> MakeMask(const Raster& bitmap, int w, int h, Pixel colour) {
  const int rowBytes = (w + 15) / 16 * 2;
  std::vector<std::uint8_t> bits(std::size_t(rowBytes) * h, 0);
  const Pixel key = colour & 0x00FFFFFFu;
  for (int y = 0; y < h; ++y) {
    const Pixel* in = bitmap.Row(y);
    std::uint8_t* out = bits.data() + std::size_t(y) * rowBytes;
    for (int x = 0; x < w; ++x) {
      if ((in[x] & 0x00FFFFFFu) == key)
        out[x >> 3] |= std::uint8_t(0x80u >> (x & 7));
    }
  }
  return ui::TGdiObject<HBITMAP>(CreateBitmap(w, h, 1, 1, bits.data()));
}

void Place(HDC dc, const Rect& target, const Bitmap& composed, bool transparent) {
  if (composed.Empty())
    return;
  if (transparent) {
    DrawTransparent(dc, target, composed.View(), kMagenta);
  } else {
    ui::BlitRaster(dc, target.left, target.top, composed.View());
  }
}

} // namespace

void DrawTransparent(HDC dc, const Rect& target, const Raster& bitmap, Pixel colour) {
  if (Inverted(target) || bitmap.Empty())
    return;
  const int w = std::min(target.Width(), bitmap.width);
  const int h = std::min(target.Height(), bitmap.height);
  if (w <= 0 || h <= 0)
    return;
  ui::TBitmap source;
  if (!CopyToSurface(source, bitmap, Rect{0, 0, w, h}))
    return;
  const ui::TGdiObject<HBITMAP> mask = MakeMask(bitmap, w, h, colour);
  if (!mask)
    return;
  // Mask bit 1 (the transparent colour) takes the first operation, which keeps the
  // destination; bit 0 takes the second, a plain copy.
  MaskBlt(dc, target.left, target.top, w, h, source.Dc(), 0, 0, mask.Get(), 0, 0,
          MAKEROP4(0x00AA0029, SRCCOPY));
}

void DrawSkinRect(HDC dc, const Rect& target, const Raster& image, const Margins& margins, int cell,
                  int cellCount, bool transparent, bool tileMiddle, bool vertical) {
  if (Inverted(target) || CellOf(image, cellCount, cell, vertical).Empty())
    return;
  Place(dc, target, ComposeSkinRect(target, image, margins, vertical, tileMiddle, cellCount, cell),
        transparent);
}

void DrawSkinStrip(HDC dc, const Rect& target, const Raster& image, const Margins& margins,
                   int cell, int cellCount, bool transparent, bool vertical) {
  if (Inverted(target) || CellOf(image, cellCount, cell, vertical).Empty())
    return;
  Place(dc, target, ComposeSkinStrip(target, image, margins, cell, cellCount, vertical),
        transparent);
}

void DrawSkinFrame(HDC dc, const Rect& target, const Raster& image, const Margins& margins,
                   int cell, int cellCount, bool vertical) {
  if (Inverted(target))
    return;
  const Rect cellRect = CellOf(image, cellCount, cell, vertical);
  const std::vector<Slice> slices =
      NineSlices(cellRect, margins, target.Width(), target.Height(), false);
  if (slices.empty())
    return;
  ui::TBitmap source;
  if (!CopyToSurface(source, image, image.Bounds()))
    return;
  const ui::TStretchModeSaver mode(dc, COLORONCOLOR);
  for (const Slice& s : slices) {
    StretchBlt(dc, target.left + s.dest.left, target.top + s.dest.top, s.dest.Width(),
               s.dest.Height(), source.Dc(), s.source.left, s.source.top, s.source.Width(),
               s.source.Height(), SRCCOPY);
  }
}

void DrawStretchedCell(HDC dc, const Rect& target, const Raster& image, bool transparent,
                       int cellCount, int cell) {
  const Rect cellRect = CellOf(image, cellCount, cell, false);
  if (Inverted(target) || target.Empty() || cellRect.Empty())
    return;
  Bitmap stretched;
  if (!stretched.Resize(target.Width(), target.Height()))
    return;
  DrawStretchedCell(stretched.View(), stretched.View().Bounds(), image, false, cellCount, cell);
  Place(dc, target, stretched, transparent);
}

void DrawCenteredCell(HDC dc, const Rect& target, const Raster& image, bool transparent,
                      int cellCount, int cell) {
  const Rect cellRect = CellOf(image, cellCount, cell, false);
  if (Inverted(target) || cellRect.Empty())
    return;
  const int x = target.left + (target.Width() - cellRect.Width()) / 2;
  const int y = target.top + (target.Height() - cellRect.Height()) / 2;
  const Bitmap cellCopy = CopyToBitmap(image, cellRect);
  if (transparent) {
    DrawTransparent(dc, Rect{x, y, x + cellCopy.Width(), y + cellCopy.Height()}, cellCopy.View(),
                    kMagenta);
  } else {
    ui::BlitRaster(dc, x, y, cellCopy.View());
  }
}

void TileBitmap(HDC dc, const Rect& target, const Raster& image, const Rect& source) {
  if (source.Empty())
    return;
  ui::TBitmap tile;
  if (!CopyToSurface(tile, image, source))
    return;
  const int sw = source.Width(), sh = source.Height();
  // Only copies that can meet the DC's clipping box are drawn; copies that end before it
  // begins are skipped arithmetically.
  RECT clip{};
  const int clipKind = GetClipBox(dc, &clip);
  if (clipKind == NULLREGION)
    return;
  const bool clipped = clipKind != ERROR;
  const auto first = [](int start, int limit, int step) {
    if (start >= limit)
      return std::int64_t(start);
    return start + (std::int64_t(limit) - start) / step * step;
  };
  const std::int64_t x0 = clipped ? first(target.left, clip.left, sw) : target.left;
  const std::int64_t y0 = clipped ? first(target.top, clip.top, sh) : target.top;
  const std::int64_t xEnd = clipped ? std::min<LONG>(target.right, clip.right) : target.right;
  const std::int64_t yEnd = clipped ? std::min<LONG>(target.bottom, clip.bottom) : target.bottom;
  for (std::int64_t y = y0; y < yEnd; y += sh) {
    for (std::int64_t x = x0; x < xEnd; x += sw) {
      BitBlt(dc, int(x), int(y), sw, sh, tile.Dc(), 0, 0, SRCCOPY);
    }
  }
}

} // namespace vela::skin
