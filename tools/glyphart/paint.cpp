#include "tools/glyphart/paint.h"

#include <algorithm>
#include <cmath>

namespace vela::tools {
namespace {

constexpr int kSamples = 8;

double SegmentDistance(Vec p, Vec a, Vec b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return std::sqrt(ex * ex + ey * ey);
}

bool InsidePolygon(Vec p, const std::vector<Vec>& pts) {
  bool inside = false;
  for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
    const Vec& a = pts[i];
    const Vec& b = pts[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

// Source-over of straight-alpha colours.
Rgba Over(const Rgba& src, double coverage, const Rgba& dst) {
  double sa = src.a * coverage;
  double oa = sa + dst.a * (1 - sa);
  if (oa <= 0) return {};
  auto mix = [&](double s, double d) { return (s * sa + d * dst.a * (1 - sa)) / oa; };
  return {mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b), oa};
}

} // namespace

Rgba Hex(std::uint32_t rrggbb, double alpha) {
  return {((rrggbb >> 16) & 0xFF) / 255.0, ((rrggbb >> 8) & 0xFF) / 255.0, (rrggbb & 0xFF) / 255.0,
          alpha};
}

Fill Solid(Rgba c) {
  return [c](Vec) { return c; };
}

Fill VerticalGradient(Rgba top, Rgba bottom, double y0, double y1) {
  return [=](Vec p) {
    double t = std::clamp((p.y - y0) / (y1 - y0), 0.0, 1.0);
    return Rgba{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
                top.b + (bottom.b - top.b) * t, top.a + (bottom.a - top.a) * t};
  };
}

Shape Circle(Vec c, double r) {
  return [=](Vec p) { return (p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y) <= r * r; };
}

Shape Capsule(Vec a, Vec b, double r) {
  return [=](Vec p) { return SegmentDistance(p, a, b) <= r; };
}

Shape RoundBox(Vec tl, Vec br, double r) {
  return [=](Vec p) {
    double cx = std::clamp(p.x, tl.x + r, br.x - r);
    double cy = std::clamp(p.y, tl.y + r, br.y - r);
    double dx = p.x - cx, dy = p.y - cy;
    return p.x >= tl.x && p.x <= br.x && p.y >= tl.y && p.y <= br.y && dx * dx + dy * dy <= r * r;
  };
}

Shape Polygon(std::vector<Vec> pts, double r) {
  return [pts = std::move(pts), r](Vec p) {
    if (InsidePolygon(p, pts)) return true;
    if (r <= 0) return false;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++)
      if (SegmentDistance(p, pts[j], pts[i]) <= r) return true;
    return false;
  };
}

Shape Union(std::vector<Shape> parts) {
  return [parts = std::move(parts)](Vec p) {
    return std::any_of(parts.begin(), parts.end(), [&](const Shape& s) { return s(p); });
  };
}

Shape Minus(Shape a, Shape b) {
  return [=](Vec p) { return a(p) && !b(p); };
}

Shape Offset(Shape s, Vec by) {
  return [=](Vec p) { return s(Vec{p.x - by.x, p.y - by.y}); };
}

void Image::Paint(const Shape& shape, const Fill& fill, double opacity) {
  const double step = 1.0 / (size_ * kSamples);
  for (int y = 0; y < size_; ++y) {
    for (int x = 0; x < size_; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
          hits += shape(Vec{(x * kSamples + sx + 0.5) * step, (y * kSamples + sy + 0.5) * step});
      if (hits == 0) continue;
      Vec centre{(x + 0.5) / size_, (y + 0.5) / size_};
      double coverage = opacity * hits / double(kSamples * kSamples);
      Rgba& dst = px_[std::size_t(y) * size_ + x];
      dst = Over(fill(centre), coverage, dst);
    }
  }
}

} // namespace vela::tools
