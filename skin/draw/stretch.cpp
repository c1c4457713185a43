#include "skin/draw/stretch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vela::skin {

int StretchSourceIndex(int sourceLength, int destLength, int index, StretchAxis axis) {
  const std::int64_t s = sourceLength, d = destLength, i = index;
  if (d == s)
    return index;
  if (d > s)
    return int((2 * i * s + s - 1) / (2 * d));
  if (axis == StretchAxis::Vertical)
    return int((i * s + d / 2) / d);
  if (d == 1)
    return sourceLength - 2;
  return int((2 * (i + 1) * s - d) / (2 * d));
}

Rect Intersect(const Rect& r, const Rect& bounds) {
  Rect out{std::max(r.left, bounds.left), std::max(r.top, bounds.top),
           std::min(r.right, bounds.right), std::min(r.bottom, bounds.bottom)};
  return out.Empty() ? Rect{} : out;
}

namespace {

// Source columns (absolute, -1 when outside the source raster) of the destination columns
// first..last-1.
std::vector<int> AxisMap(int destStart, int destLength, int sourceStart, int sourceLength,
                         int first, int last, int sourceLimit) {
  std::vector<int> map;
  map.reserve(std::size_t(last - first));
  for (int v = first; v < last; ++v) {
    const int s = sourceStart + StretchSourceIndex(sourceLength, destLength, v - destStart,
                                                   StretchAxis::Horizontal);
    map.push_back(s >= 0 && s < sourceLimit ? s : -1);
  }
  return map;
}

} // namespace

void StretchCopy(const Raster& to, const Rect& dest, const Raster& from, const Rect& source) {
  if (to.Empty() || from.Empty() || dest.Empty() || source.Empty())
    return;
  const Rect clip = Intersect(dest, to.Bounds());
  if (clip.Empty())
    return;
  if (dest.Width() == source.Width() && dest.Height() == source.Height()) {
    CopyPixels(to, dest.left, dest.top, from, source);
    return;
  }
  const std::vector<int> columns = AxisMap(dest.left, dest.Width(), source.left, source.Width(),
                                           clip.left, clip.right, from.width);
  const bool allColumns = std::find(columns.begin(), columns.end(), -1) == columns.end();
  const std::size_t rowBytes = columns.size() * sizeof(Pixel);
  int previousSy = -1;
  for (int y = clip.top; y < clip.bottom; ++y) {
    const int sy = source.top + StretchSourceIndex(source.Height(), dest.Height(), y - dest.top,
                                                   StretchAxis::Vertical);
    if (sy < 0 || sy >= from.height)
      continue;
    Pixel* out = to.Row(y) + clip.left;
    if (allColumns && sy == previousSy) {
      // A row stretched downward repeats the row above it.
      std::memcpy(out, to.Row(y - 1) + clip.left, rowBytes);
      continue;
    }
    const Pixel* in = from.Row(sy);
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (columns[i] >= 0)
        out[i] = in[columns[i]];
    }
    previousSy = sy;
  }
}

void CopyPixels(const Raster& to, int x, int y, const Raster& from, const Rect& source) {
  if (to.Empty() || from.Empty())
    return;
  // Clip the source to its raster, then the shifted rectangle to the destination.
  Rect src = Intersect(source, from.Bounds());
  if (src.Empty())
    return;
  const int dx = x - source.left, dy = y - source.top;
  const Rect dst =
      Intersect(Rect{src.left + dx, src.top + dy, src.right + dx, src.bottom + dy}, to.Bounds());
  if (dst.Empty())
    return;
  const std::size_t bytes = std::size_t(dst.Width()) * sizeof(Pixel);
  for (int row = dst.top; row < dst.bottom; ++row) {
    // memmove: a raster may be copied onto itself.
    std::memmove(to.Row(row) + dst.left, from.Row(row - dy) + (dst.left - dx), bytes);
  }
}

Bitmap CopyToBitmap(const Raster& from, const Rect& source) {
  Bitmap out;
  if (source.Empty() || !out.Resize(source.Width(), source.Height()))
    return out;
  CopyPixels(out.View(), 0, 0, from, source);
  return out;
}

void FillPixels(const Raster& to, const Rect& rect, Pixel colour) {
  const Rect r = Intersect(rect, to.Bounds());
  for (int y = r.top; y < r.bottom; ++y)
    std::fill(to.Row(y) + r.left, to.Row(y) + r.right, colour);
}

} // namespace vela::skin
