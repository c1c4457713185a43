#include "skin/controls/panel_geometry.h"

#include "skin/controls/button_looks.h"
#include "skin/data/transforms.h"
#include "skin/draw/primitives.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vela::skin {

namespace {

constexpr int kProgressCells = 2;

// Copies `source` onto `canvas` with its top-left at (x, y), clipped to the canvas; with
// `transparent`, magenta pixels are left out.
void Place(const Raster& canvas, int x, int y, const Raster& source, bool transparent) {
  for (int sy = 0; sy < source.height; ++sy)
    for (int sx = 0; sx < source.width; ++sx) {
      if (!canvas.Contains(x + sx, y + sy))
        continue;
      const Pixel p = source.At(sx, sy) & 0xFFFFFFu;
      if (!transparent || p != kMagenta)
        canvas.At(x + sx, y + sy) = p;
    }
}

// A face-coloured canvas of the bar's size lying down (a vertical bar's sides swapped).
Bitmap FaceCanvas(const ProgressState& state) {
  const int w = state.Vertical ? state.Height : state.Width;
  const int h = state.Vertical ? state.Width : state.Height;
  Bitmap out;
  if (w > 0 && h > 0 && RasterSizeAllowed(w, h))
    out.Resize(w, h, state.Face);
  return out;
}

} // namespace

Rect StatusPanelRect(const Rect& native, bool last, int barWidth) {
  Rect r = native;
  r.right += 2;
  if (last)
    r.right = barWidth;
  return r;
}

Rect SizeGripRect(int barWidth, int barHeight, int cellWidth, int cellHeight) {
  const int right = barWidth - 1, bottom = barHeight - 1;
  return Rect{right - cellWidth, bottom - cellHeight, right, bottom};
}

int ProgressFilledWidth(int width, int position, int maximum) {
  if (width <= 0 || position <= 0 || maximum <= 0)
    return 0;
  const std::int64_t product = std::int64_t(width) * position;
  const std::int64_t rounded = (2 * product + maximum) / (2 * std::int64_t(maximum));
  return int(std::min<std::int64_t>(rounded, width));
}

ProgressSpan ProgressSpanOf(int low, int high, int position) {
  std::int64_t span = std::int64_t(high) - low, at = std::int64_t(position) - low;
  if (span <= 0)
    return {};
  while (span > std::numeric_limits<int>::max()) {
    span /= 2;
    at /= 2;
  }
  return ProgressSpan{int(std::clamp<std::int64_t>(at, 0, span)), int(span)};
}

Bitmap ComposeProgress(const ProgressState& state, const TDataSkinObject& element) {
  if (element.Bitmap.Empty())
    return {};
  Bitmap out = FaceCanvas(state);
  if (out.Empty())
    return out;
  const Raster canvas = out.View();
  const Raster strip = element.Bitmap.View();
  const bool tile = element.Tile != 0;
  DrawSkinRect(canvas, canvas.Bounds(), strip, element.GetMargins(), 1, kProgressCells, true, tile, false);
  const int filled = ProgressFilledWidth(canvas.width, state.Position, state.Maximum);
  if (filled > 0)
    DrawSkinRect(canvas, Rect{0, 0, filled, canvas.height}, strip, element.GetMargins(), 2,
                 kProgressCells, true, tile, false);
  if (state.Vertical)
    RotateBitmapLeft(out);
  return out;
}

Bitmap ComposeChunkProgress(const ProgressState& state, const TDataSkinBorder& element) {
  if (element.Bitmap.Empty())
    return {};
  ProgressState lying = state;
  lying.Vertical = false;
  Bitmap out = FaceCanvas(lying);
  if (out.Empty())
    return out;
  const Raster canvas = out.View();
  DrawSkinRect(canvas, canvas.Bounds(), element.Bitmap.View(), element.GetMargins(), 1, 1, true,
               element.Tile != 0, false);
  const int filled = ProgressFilledWidth(canvas.width, state.Position, state.Maximum);
  const Raster chunk = element.Bitmap2.View();
  if (filled <= 0 || chunk.Empty())
    return out;
  Bitmap run(filled, chunk.height);
  if (run.Empty())
    return out;
  // Whole chunks from the left; the last one is cut at the filled width.
  for (int copy = 0; copy < filled / chunk.width + 1; ++copy)
    Place(run.View(), copy * chunk.width, 0, chunk, false);
  Place(canvas, element.LeftWidth, (canvas.height - chunk.height) / 2, run.View(), element.Trans == 1);
  return out;
}

Bitmap ComposeGlyphStrip(const Bitmap& checkStrip, int checkCells) {
  if (checkStrip.Empty() || checkCells <= 0)
    return {};
  const int cellWidth = checkStrip.Width() / checkCells, height = checkStrip.Height();
  Bitmap out;
  if (cellWidth <= 0 || !RasterSizeAllowed(std::int64_t(cellWidth) * kGlyphStripCells, height))
    return out;
  out.Resize(cellWidth * kGlyphStripCells, height, kMagenta);
  for (int target = 0; target < kGlyphStripCells; ++target) {
    const int source = GlyphStripSourceCell(target, checkCells);
    if (source < 0 || source >= checkCells)
      continue;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < cellWidth; ++x)
        out.At(target * cellWidth + x, y) = checkStrip.At(source * cellWidth + x, y) & 0xFFFFFFu;
  }
  return out;
}

} // namespace vela::skin
