#pragma once
// A tiny anti-aliased painter for icon art. Shapes are described in unit coordinates (0..1 over
// the whole image, y downwards) so that one design renders at every icon size; each pixel is
// covered by 8 x 8 samples.
#include <cstdint>
#include <functional>
#include <vector>

namespace vela::tools {

struct Vec {
  double x = 0, y = 0;
};

// True where a point lies inside the shape.
using Shape = std::function<bool(Vec)>;

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0; // straight (not premultiplied), 0..1
};

// The colour of a fill at a point, so that fills can be gradients.
using Fill = std::function<Rgba(Vec)>;

Rgba Hex(std::uint32_t rrggbb, double alpha = 1.0);
Fill Solid(Rgba c);
Fill VerticalGradient(Rgba top, Rgba bottom, double y0 = 0.0, double y1 = 1.0);

Shape Circle(Vec c, double r);
Shape Capsule(Vec a, Vec b, double r);
Shape RoundBox(Vec topLeft, Vec bottomRight, double r);
// A polygon grown outwards by r, which rounds its corners.
Shape Polygon(std::vector<Vec> points, double r = 0.0);
Shape Union(std::vector<Shape> parts);
Shape Minus(Shape a, Shape b);
Shape Offset(Shape s, Vec by);

class Image {
public:
  explicit Image(int size) : size_(size), px_(std::size_t(size) * size) {}
  int Size() const { return size_; }
  const Rgba& At(int x, int y) const { return px_[std::size_t(y) * size_ + x]; }

  // Paints the fill where the shape covers, blending over what is there.
  void Paint(const Shape& shape, const Fill& fill, double opacity = 1.0);

private:
  int size_;
  std::vector<Rgba> px_;
};

} // namespace vela::tools
