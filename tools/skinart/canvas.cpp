#include "tools/skinart/canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vela::tools {

namespace {

constexpr int kSamples = 4; // per axis

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

} // namespace

Shape RoundBoxShape(Box b, double radius) {
  return [b, radius](double x, double y) {
    if (x < b.left || x > b.right || y < b.top || y > b.bottom) {
      return false;
    }
    const double cx = std::clamp(x, b.left + radius, b.right - radius);
    const double cy = std::clamp(y, b.top + radius, b.bottom - radius);
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
  };
}

Shape SegmentShape(double x0, double y0, double x1, double y1, double width) {
  return [=](double x, double y) {
    const double vx = x1 - x0, vy = y1 - y0;
    const double len2 = vx * vx + vy * vy;
    const double t = len2 > 0 ? Clamp01(((x - x0) * vx + (y - y0) * vy) / len2) : 0.0;
    const double dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
    return dx * dx + dy * dy <= width * width / 4;
  };
}

Shape UnionShape(std::vector<Shape> parts) {
  return [parts = std::move(parts)](double x, double y) {
    return std::any_of(parts.begin(), parts.end(), [&](const Shape& s) { return s(x, y); });
  };
}

Pixel Mix(Pixel bottom, Pixel top, double a) {
  a = Clamp01(a);
  auto channel = [a](int b, int t) {
    return std::uint8_t(std::lround(b + (t - b) * a));
  };
  return MakePixel(channel(skin::PixelRed(bottom), skin::PixelRed(top)),
                   channel(skin::PixelGreen(bottom), skin::PixelGreen(top)),
                   channel(skin::PixelBlue(bottom), skin::PixelBlue(top)));
}

Canvas::Canvas(int width, int height, Pixel fill) {
  if (!bitmap_.Resize(width, height, fill)) {
    throw std::invalid_argument("canvas size out of range");
  }
}

void Canvas::Set(int x, int y, Pixel c) {
  if (x >= 0 && y >= 0 && x < Width() && y < Height()) {
    bitmap_.At(x, y) = c;
  }
}

void Canvas::Fill(Rect r, Pixel c) {
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      Set(x, y, c);
    }
  }
}

void Canvas::HLine(int x0, int x1, int y, Pixel c) { Fill(Rect{x0, y, x1 + 1, y + 1}, c); }

void Canvas::VLine(int x, int y0, int y1, Pixel c) { Fill(Rect{x, y0, x + 1, y1 + 1}, c); }

void Canvas::Frame(Rect r, Pixel c) {
  HLine(r.left, r.right - 1, r.top, c);
  HLine(r.left, r.right - 1, r.bottom - 1, c);
  VLine(r.left, r.top, r.bottom - 1, c);
  VLine(r.right - 1, r.top, r.bottom - 1, c);
}

void Canvas::Paint(const Shape& shape, Pixel c, Pixel edge) {
  for (int y = 0; y < Height(); ++y) {
    for (int x = 0; x < Width(); ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          hits += shape(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples) ? 1 : 0;
        }
      }
      if (hits == 0) {
        continue;
      }
      const double cover = double(hits) / (kSamples * kSamples);
      Pixel& p = bitmap_.At(x, y);
      if (p != kMagenta) {
        p = Mix(p, c, cover);
      } else if (edge != kMagenta) {
        p = Mix(edge, c, cover);
      } else if (cover >= 0.5) {
        p = c;
      }
    }
  }
}

void Canvas::RoundFill(Box box, double radius, Pixel c, Pixel edge) {
  Paint(RoundBoxShape(box, radius), c, edge);
}

void Canvas::RoundPanel(Box box, double radius, Pixel line, Pixel inside, Pixel edge) {
  RoundFill(box, radius, line, edge);
  const Box inner{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  RoundFill(inner, std::max(0.0, radius - 1), inside, edge);
}

void Canvas::Stroke(double x0, double y0, double x1, double y1, double width, Pixel c,
                    Pixel edge) {
  Paint(SegmentShape(x0, y0, x1, y1, width), c, edge);
}

void Canvas::Chevron(double cx, double cy, double dx, double dy, double size, Pixel c,
                     Pixel edge) {
  const double tipX = cx + dx * size / 2, tipY = cy + dy * size / 2;
  const double baseX = tipX - dx * size, baseY = tipY - dy * size;
  const double px = -dy, py = dx; // across the direction
  Stroke(baseX + px * size, baseY + py * size, tipX, tipY, 1.4, c, edge);
  Stroke(baseX - px * size, baseY - py * size, tipX, tipY, 1.4, c, edge);
}

void Canvas::Blit(const Canvas& src, int x, int y) {
  BlitPart(src, Rect{0, 0, src.Width(), src.Height()}, x, y);
}

void Canvas::BlitPart(const Canvas& src, Rect from, int x, int y) {
  for (int sy = from.top; sy < from.bottom; ++sy) {
    for (int sx = from.left; sx < from.right; ++sx) {
      Set(x + sx - from.left, y + sy - from.top, src.At(sx, sy));
    }
  }
}

Canvas Strip(const std::vector<Canvas>& cells, bool vertical) {
  if (cells.empty()) {
    throw std::invalid_argument("a strip needs cells");
  }
  const int w = cells.front().Width(), h = cells.front().Height();
  const int n = int(cells.size());
  Canvas strip(vertical ? w : w * n, vertical ? h * n : h);
  for (int i = 0; i < n; ++i) {
    if (cells[i].Width() != w || cells[i].Height() != h) {
      throw std::invalid_argument("strip cells differ in size");
    }
    strip.Blit(cells[i], vertical ? 0 : i * w, vertical ? i * h : 0);
  }
  return strip;
}

} // namespace vela::tools
