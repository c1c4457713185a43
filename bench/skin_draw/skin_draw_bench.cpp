// Composition speed of the skin primitives. Read the results as ratios within one run: the
// plain fill of the same surface is the floor that composition cannot beat.
#include <benchmark/benchmark.h>

#include "skin/draw/primitives.h"
#include "skin/draw/region.h"
#include "skin/draw/stretch.h"

namespace vela::skin {
namespace {

constexpr int kWidth = 730, kHeight = 485; // the main window

// A 5-cell strip of 48 x 40 cells with a gradient, so that every piece has distinct pixels.
Bitmap SkinStrip() {
  Bitmap strip(5 * 48, 40);
  for (int y = 0; y < strip.Height(); ++y) {
    for (int x = 0; x < strip.Width(); ++x) {
      strip.At(x, y) = MakePixel(std::uint8_t(x), std::uint8_t(y * 6), std::uint8_t(x + y));
    }
  }
  return strip;
}

void BM_FillWindowSurface(benchmark::State& state) {
  Bitmap canvas(kWidth, kHeight);
  for (auto _ : state) {
    FillPixels(canvas.View(), canvas.View().Bounds(), 0x00336699);
    benchmark::DoNotOptimize(canvas.View().pixels);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_FillWindowSurface);

void BM_ComposeNineSlice(benchmark::State& state) {
  const Bitmap strip = SkinStrip();
  const bool tile = state.range(0) != 0;
  for (auto _ : state) {
    Bitmap out = ComposeSkinRect(Rect{0, 0, kWidth, kHeight}, strip.View(), Margins{8, 10, 8, 12},
                                 false, tile, 5, 3);
    benchmark::DoNotOptimize(out.View().pixels);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
  state.SetLabel(tile ? "tiled middle" : "stretched middle");
}
BENCHMARK(BM_ComposeNineSlice)->Arg(0)->Arg(1);

void BM_DrawNineSliceTransparent(benchmark::State& state) {
  Bitmap strip = SkinStrip();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < strip.Width(); ++x) strip.At(x, y) = kMagenta;
  }
  Bitmap canvas(kWidth, kHeight);
  for (auto _ : state) {
    DrawSkinRect(canvas.View(), Rect{0, 0, kWidth, kHeight}, strip.View(), Margins{8, 10, 8, 12},
                 3, 5, true, false, false);
    benchmark::DoNotOptimize(canvas.View().pixels);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_DrawNineSliceTransparent);

// A top frame border 1920 pixels wide and 30 high: magenta rounded corners, and with
// range(0) set a dotted magenta pattern along the edge that makes many short runs.
Bitmap FrameStrip(bool dotted) {
  Bitmap frame(1920, 30, 0x00405060);
  const int radius = 6;
  for (int y = 0; y < radius; ++y) {
    for (int x = 0; x < radius - y; ++x) frame.At(x, y) = frame.At(1919 - x, y) = kMagenta;
  }
  if (dotted) {
    for (int y = 0; y < 4; ++y) {
      for (int x = y % 2; x < 1920; x += 2) frame.At(x, y) = kMagenta;
    }
  }
  return frame;
}

void BM_RegionRectsOfFrameStrip(benchmark::State& state) {
  const Bitmap frame = FrameStrip(state.range(0) != 0);
  const TransparentRange range = TransparentRange::From(kMagenta, 1, 1, 1);
  std::size_t rects = 0;
  for (auto _ : state) {
    const std::vector<Rect> r = OpaqueRunRects(frame.View(), 0, 0, range);
    rects = r.size();
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * frame.Width() * frame.Height());
  state.counters["rects"] = double(rects);
}
BENCHMARK(BM_RegionRectsOfFrameStrip)->Arg(0)->Arg(1);

} // namespace
} // namespace vela::skin

BENCHMARK_MAIN();
