#include "skin/data/combo_composite.h"

#include <algorithm>

#include "skin/data/transforms.h"

namespace vela::skin {
namespace {

// Nearest-neighbour choice: the source pixel under the centre of destination pixel `i`.
int SourceIndex(int sourceLength, int destLength, int i) {
  return int((std::int64_t(2 * i + 1) * sourceLength) / (std::int64_t(2) * destLength));
}

// Stretches `src` over `dst`. The mapping covers the whole rectangles; destination pixels
// outside `to`, or whose source pixel lies outside `from` (margins wider than their cell), are
// left as they are.
void Stretch(Bitmap& to, const Rect& dst, const Bitmap& from, const Rect& src) {
  if (dst.Empty() || src.Empty()) return;
  for (int y = std::max(dst.top, 0); y < std::min(dst.bottom, to.Height()); ++y) {
    const int sy = src.top + SourceIndex(src.Height(), dst.Height(), y - dst.top);
    if (sy < 0 || sy >= from.Height()) continue;
    for (int x = std::max(dst.left, 0); x < std::min(dst.right, to.Width()); ++x) {
      const int sx = src.left + SourceIndex(src.Width(), dst.Width(), x - dst.left);
      if (sx >= 0 && sx < from.Width()) to.At(x, y) = from.At(sx, sy);
    }
  }
}

// Copies `from` onto `to` with its top-left at (x, y), leaving out magenta when `transparent`.
void Blit(Bitmap& to, int x0, int y0, const Bitmap& from, bool transparent) {
  for (int y = 0; y < from.Height(); ++y) {
    for (int x = 0; x < from.Width(); ++x) {
      const Pixel p = from.At(x, y);
      if (transparent && (p & 0x00FFFFFFu) == kMagenta) continue;
      if (x0 + x >= 0 && y0 + y >= 0 && x0 + x < to.Width() && y0 + y < to.Height())
        to.At(x0 + x, y0 + y) = p;
    }
  }
}

void Fill(Bitmap& to, const Rect& r, Pixel colour) {
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, to.Height()); ++y)
    for (int x = std::max(r.left, 0); x < std::min(r.right, to.Width()); ++x) to.At(x, y) = colour;
}

// Cell `cell` (from 1) of a side-by-side strip; empty when the strip has no such cell.
Rect StripCell(const TDataSkinObject& e, int cell) {
  const int width = e.CellWidth();
  if (width <= 0 || e.Bitmap.Height() <= 0 || cell < 1 || cell > e.FrameCount) return {};
  return Rect{(cell - 1) * width, 0, cell * width, e.Bitmap.Height()};
}

// One row or column of the nine-slice: the sizes of its three bands in the cell and target.
struct Bands {
  int cell[4];
  int target[4];
};

// Margins are dropped where the target cannot hold them, then fitted to the cell, as the
// drawing primitives do, so that every band of the target has cell pixels to take.
Bands MakeBands(int cellSize, int targetSize, int first, int last) {
  first = std::max(first, 0);
  last = std::max(last, 0);
  if (std::int64_t(targetSize) < std::int64_t(first) + last) first = last = 0;
  FitMarginPair(first, last, cellSize);
  return Bands{{0, first, cellSize - last, cellSize}, {0, first, targetSize - last, targetSize}};
}

// The element's cell stretched over `target` between its margins (the corners keep their size),
// then laid onto `to`, opaque or with magenta left out.
void PaintScaledCell(Bitmap& to, const Rect& target, const TDataSkinObject& e, int cell,
                     bool transparent) {
  const Rect c = StripCell(e, cell);
  if (c.Empty() || target.Empty()) return;
  Bitmap piece(target.Width(), target.Height());
  const Margins m = e.GetMargins();
  const Bands cols = MakeBands(c.Width(), target.Width(), m.Left, m.Right);
  const Bands rows = MakeBands(c.Height(), target.Height(), m.Top, m.Bottom);
  for (int r = 0; r < 3; ++r) {
    for (int k = 0; k < 3; ++k) {
      const Rect src{c.left + cols.cell[k], c.top + rows.cell[r], c.left + cols.cell[k + 1],
                     c.top + rows.cell[r + 1]};
      const Rect dst{cols.target[k], rows.target[r], cols.target[k + 1], rows.target[r + 1]};
      Stretch(piece, dst, e.Bitmap, src);
    }
  }
  Blit(to, target.left, target.top, piece, transparent);
}

// The element's cell at its natural size, centred in `target`, magenta left out.
void PaintCentredCell(Bitmap& to, const Rect& target, const TDataSkinObject& e, int cell) {
  const Rect c = StripCell(e, cell);
  if (c.Empty() || target.right < target.left || target.bottom < target.top) return;
  Bitmap piece(c.Width(), c.Height());
  Stretch(piece, piece.View().Bounds(), e.Bitmap, c);
  Blit(to, target.left + (target.Width() - c.Width()) / 2,
       target.top + (target.Height() - c.Height()) / 2, piece, true);
}

Bitmap ComposeCell(const TDataSkinObject& sunkEdge, const TDataSkinBorder& comboButton,
                   const TDataSkinObject* extraImages, int b, int f) {
  Bitmap work(kComboCellWidth, kComboCellHeight, kMagenta);
  const Rect button{kComboCellWidth - b, 0, kComboCellWidth, kComboCellHeight};
  PaintScaledCell(work, work.View().Bounds(), sunkEdge, f, sunkEdge.Trans == 1);
  PaintScaledCell(work, button, comboButton, f, true);
  if (extraImages) PaintCentredCell(work, button, *extraImages, f);
  Fill(work, Rect{2, 2, kComboCellWidth - 1 - b, kComboCellHeight - 3}, kMagenta);
  return work;
}

} // namespace

void BuildComboComposite(TDataSkinObject* sunkEdge, TDataSkinBorder* comboButton,
                         const TDataSkinObject* extraImages, int scrollArrowWidth) {
  if (!sunkEdge || !comboButton) return;
  const int b = ComboButtonWidth(scrollArrowWidth);
  const int frames = sunkEdge->FrameCount;
  Bitmap composite;
  if (frames <= 0 || !composite.Resize(kComboCellWidth * frames, kComboCellHeight, kMagenta))
    return;
  for (int f = 1; f <= frames; ++f) {
    const Bitmap cell = ComposeCell(*sunkEdge, *comboButton, extraImages, b, f);
    Blit(composite, kComboCellWidth * (f - 1), 0, cell, false);
  }
  comboButton->Style = kComboCompositeStyle;
  comboButton->SetMargins(sunkEdge->GetMargins());
  comboButton->LeftWidth = 2;
  comboButton->RightWidth = b + 2;
  comboButton->Bitmap = composite;

  // Mirrored cell by cell: the skinner picks cell k for state k from either strip.
  MirrorBitmapCells(composite, frames);
  sunkEdge->Bitmap = std::move(composite);
  sunkEdge->LeftWidth = b + 2;
  sunkEdge->RightWidth = 2;
}

} // namespace vela::skin
