#include "skin/draw/slices.h"

#include <algorithm>
#include <cstdint>

namespace vela::skin {

Rect CellRect(int imageWidth, int imageHeight, int cellCount, int cell, bool vertical) {
  if (cellCount <= 0 || imageWidth <= 0 || imageHeight <= 0)
    return Rect{};
  const int k = std::clamp(cell, 1, cellCount) - 1;
  if (vertical) {
    const int ch = imageHeight / cellCount;
    return ch > 0 ? Rect{0, k * ch, imageWidth, (k + 1) * ch} : Rect{};
  }
  const int cw = imageWidth / cellCount;
  return cw > 0 ? Rect{k * cw, 0, (k + 1) * cw, imageHeight} : Rect{};
}

namespace {

// Margins come from the skin and may hold any value; beyond the largest raster side they
// change nothing that can be seen, and keeping them there keeps the arithmetic in range.
int SaneMargin(int margin) {
  return std::clamp(margin, 0, kMaxRasterSide + 1);
}

bool SaneTarget(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxRasterSide && height <= kMaxRasterSide;
}

} // namespace

Margins CollapseMargins(const Margins& margins, int width, int height) {
  Margins m{SaneMargin(margins.Left), SaneMargin(margins.Top), SaneMargin(margins.Right),
            SaneMargin(margins.Bottom)};
  if (std::int64_t(width) < std::int64_t(m.Left) + m.Right)
    m.Left = m.Right = 0;
  if (std::int64_t(height) < std::int64_t(m.Top) + m.Bottom)
    m.Top = m.Bottom = 0;
  return m;
}

namespace {

// A rectangle of the cell given in cell coordinates, moved to the image.
Rect InCell(const Rect& cell, int left, int top, int right, int bottom) {
  return Rect{cell.left + left, cell.top + top, cell.left + right, cell.top + bottom};
}

void Add(std::vector<Slice>& out, SlicePart part, const Rect& source, const Rect& dest) {
  if (!source.Empty() && !dest.Empty())
    out.push_back(Slice{part, source, dest});
}

} // namespace

std::vector<Slice> NineSlices(const Rect& cell, const Margins& margins, int width, int height,
                              bool withMiddle) {
  std::vector<Slice> out;
  if (cell.Empty() || !SaneTarget(width, height))
    return out;
  const int W = width, H = height, cw = cell.Width(), ch = cell.Height();
  const Margins m = FitMarginsToCell(CollapseMargins(margins, width, height), cw, ch);
  const int L = m.Left, T = m.Top, R = m.Right, B = m.Bottom;
  Add(out, SlicePart::TopLeft, InCell(cell, 0, 0, L, T), Rect{0, 0, L, T});
  Add(out, SlicePart::BottomLeft, InCell(cell, 0, ch - B, L, ch), Rect{0, H - B, L, H});
  Add(out, SlicePart::TopRight, InCell(cell, cw - R, 0, cw, T), Rect{W - R, 0, W, T});
  Add(out, SlicePart::LeftEdge, InCell(cell, 0, T, L, ch - B), Rect{0, T, L, H - B});
  Add(out, SlicePart::TopEdge, InCell(cell, L, 0, cw - R, T), Rect{L, 0, W - R, T});
  if (withMiddle) {
    Add(out, SlicePart::Middle, InCell(cell, L, T, cw - R, ch - B), Rect{L, T, W - R, H - B});
  }
  Add(out, SlicePart::BottomRight, InCell(cell, cw - R, ch - B, cw, ch), Rect{W - R, H - B, W, H});
  Add(out, SlicePart::RightEdge, InCell(cell, cw - R, T, cw, ch - B), Rect{W - R, T, W, H - B});
  Add(out, SlicePart::BottomEdge, InCell(cell, L, ch - B, cw - R, ch), Rect{L, H - B, W - R, H});
  return out;
}

std::vector<Slice> StripSlices(const Rect& cell, int left, int right, int width, int height) {
  std::vector<Slice> out;
  if (cell.Empty() || !SaneTarget(width, height))
    return out;
  const int W = width, H = height, cw = cell.Width(), ch = cell.Height();
  // An end wider than the cell would take columns of the neighbouring cells, or columns outside
  // the image that leave the target unpainted.
  const int L = std::min(SaneMargin(left), cw), R = std::min(SaneMargin(right), cw);
  Add(out, SlicePart::StripLeft, InCell(cell, 0, 0, L, ch), Rect{0, 0, L, H});
  const int m = cw - L - R;
  if (m > 0) {
    const Rect source = InCell(cell, L, 0, cw - R, ch);
    for (std::int64_t x = L; x < std::int64_t(W) - R; x += m) {
      Add(out, SlicePart::StripMiddle, source, Rect{int(x), 0, int(x) + m, H});
    }
  } else {
    Add(out, SlicePart::StripMiddle, cell, Rect{L, 0, W - R, H});
  }
  Add(out, SlicePart::StripRight, InCell(cell, cw - R, 0, cw, ch), Rect{W - R, 0, W, H});
  return out;
}

} // namespace vela::skin
