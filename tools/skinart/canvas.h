#pragma once
// A small pixel painter for skin art. Skin images are keyed on magenta, so every shape is
// painted crisply where it meets magenta and smoothed (4 x 4 samples per pixel) only where it
// meets a colour already painted, or a background colour the caller names because the image
// will be shown over it.
#include <functional>
#include <vector>

#include "skin/data/raster.h"

namespace vela::tools {

using skin::Bitmap;
using skin::kMagenta;
using skin::MakePixel;
using skin::Pixel;
using skin::Rect;

// A rectangle with fractional edges, in pixel units (pixel x covers x .. x + 1).
struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
};

// True where a point (in pixel units) lies inside a shape.
using Shape = std::function<bool(double x, double y)>;

Shape RoundBoxShape(Box box, double radius);
// A stroke of the given width along the segment from (x0, y0) to (x1, y1), with round ends.
Shape SegmentShape(double x0, double y0, double x1, double y1, double width);
Shape UnionShape(std::vector<Shape> parts);

// Mixes `top` over `bottom` with opacity a (0..1).
Pixel Mix(Pixel bottom, Pixel top, double a);

class Canvas {
public:
  Canvas(int width, int height, Pixel fill = kMagenta);

  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }
  const Bitmap& Image() const { return bitmap_; }
  Pixel At(int x, int y) const { return bitmap_.At(x, y); }

  // Pixels outside the canvas are ignored by every painting call.
  void Set(int x, int y, Pixel c);
  void Fill(Rect r, Pixel c);
  void HLine(int x0, int x1, int y, Pixel c); // x0..x1 inclusive
  void VLine(int x, int y0, int y1, Pixel c); // y0..y1 inclusive
  void Frame(Rect r, Pixel c);                // 1-pixel outline just inside r

  // Paints `shape` in colour c. A partly covered pixel is mixed with what lies under it; over
  // magenta it is mixed with `edge` when that is not magenta, else painted only when at least
  // half covered, so that no pinkish pixel appears.
  void Paint(const Shape& shape, Pixel c, Pixel edge = kMagenta);
  void RoundFill(Box box, double radius, Pixel c, Pixel edge = kMagenta);
  // A rounded box with a 1-pixel outline of colour `line` and an inside of `inside`.
  void RoundPanel(Box box, double radius, Pixel line, Pixel inside, Pixel edge = kMagenta);
  void Stroke(double x0, double y0, double x1, double y1, double width, Pixel c,
              Pixel edge = kMagenta);
  // A chevron (two strokes meeting at a tip) pointing along the unit direction (dx, dy),
  // `size` pixels long and centred on (cx, cy).
  void Chevron(double cx, double cy, double dx, double dy, double size, Pixel c,
               Pixel edge = kMagenta);

  // Copies all of `src` with its top-left corner at (x, y).
  void Blit(const Canvas& src, int x, int y);
  // Copies the part `from` of `src` to (x, y).
  void BlitPart(const Canvas& src, Rect from, int x, int y);

private:
  Bitmap bitmap_;
};

// Lays `cells` side by side (or stacked when `vertical`) into one strip. All cells must have
// the same size.
Canvas Strip(const std::vector<Canvas>& cells, bool vertical = false);

} // namespace vela::tools
