#include "tools/glyphart/art.h"

namespace vela::tools {
namespace {

struct Palette {
  std::uint32_t top, bottom, rim;
};

Palette PaletteOf(Glyph g) {
  switch (g) {
  case Glyph::Connect: return {0x4A9BF0, 0x1E5FC2, 0x174C9E};
  case Glyph::Close: return {0xF26B63, 0xC8302B, 0xA02521};
  case Glyph::Application: return {0x52C97F, 0x22924C, 0x1A773D};
  case Glyph::Upgrade: return {0xF9AE4B, 0xDE7410, 0xB85E0A};
  }
  return {};
}

// A two-pin plug with its cable: the link being made.
Shape PlugSymbol() {
  return Union({RoundBox({0.33, 0.40}, {0.67, 0.63}, 0.07),
                RoundBox({0.385, 0.21}, {0.455, 0.42}, 0.025),
                RoundBox({0.545, 0.21}, {0.615, 0.42}, 0.025),
                Capsule({0.5, 0.62}, {0.5, 0.80}, 0.048)});
}

Shape CrossSymbol() {
  return Union({Capsule({0.345, 0.345}, {0.655, 0.655}, 0.068),
                Capsule({0.655, 0.345}, {0.345, 0.655}, 0.068)});
}

// A play triangle, centred on its centroid: start the card's application.
Shape PlaySymbol() { return Polygon({{0.41, 0.32}, {0.41, 0.68}, {0.70, 0.50}}, 0.045); }

// An arrow rising onto a base line: new firmware going up to the card.
Shape UpgradeSymbol() {
  return Union({Polygon({{0.5, 0.21}, {0.70, 0.43}, {0.30, 0.43}}, 0.035),
                RoundBox({0.43, 0.40}, {0.57, 0.63}, 0.02),
                RoundBox({0.27, 0.69}, {0.73, 0.79}, 0.045)});
}

Shape SymbolOf(Glyph g) {
  switch (g) {
  case Glyph::Connect: return PlugSymbol();
  case Glyph::Close: return CrossSymbol();
  case Glyph::Application: return PlaySymbol();
  case Glyph::Upgrade: return UpgradeSymbol();
  }
  return Union({});
}

// Pins along the four edges of the chip.
Shape ChipPins() {
  std::vector<Shape> pins;
  for (double c : {0.38, 0.50, 0.62}) {
    pins.push_back(RoundBox({c - 0.03, 0.15}, {c + 0.03, 0.30}, 0.015));
    pins.push_back(RoundBox({c - 0.03, 0.70}, {c + 0.03, 0.85}, 0.015));
    pins.push_back(RoundBox({0.15, c - 0.03}, {0.30, c + 0.03}, 0.015));
    pins.push_back(RoundBox({0.70, c - 0.03}, {0.85, c + 0.03}, 0.015));
  }
  return Union(std::move(pins));
}

} // namespace

Image DrawGlyph(Glyph which, int size) {
  Palette pal = PaletteOf(which);
  Image img(size);
  double px = 1.0 / size;
  img.Paint(Circle({0.5, 0.5 + px}, 0.46), Solid(Hex(0x000000, 0.18))); // drop shadow
  img.Paint(Circle({0.5, 0.5}, 0.46), Solid(Hex(pal.rim)));
  img.Paint(Circle({0.5, 0.5}, 0.46 - 1.1 * px), VerticalGradient(Hex(pal.top), Hex(pal.bottom), 0.1, 0.9));
  // A soft sheen over the upper half keeps the badges from looking flat.
  img.Paint(Minus(Circle({0.5, 0.5}, 0.46 - 1.1 * px), Circle({0.5, 1.05}, 0.62)),
            VerticalGradient(Hex(0xFFFFFF, 0.22), Hex(0xFFFFFF, 0.0), 0.05, 0.45));
  Shape symbol = SymbolOf(which);
  img.Paint(Offset(symbol, {0, px}), Solid(Hex(0x000000, 0.22)));
  img.Paint(symbol, Solid(Hex(0xFFFFFF)));
  return img;
}

Image DrawIcon(int size) {
  Image img(size);
  bool small = size <= 16;
  img.Paint(RoundBox({0.04, 0.04}, {0.96, 0.96}, 0.2), Solid(Hex(0x12346E)));
  img.Paint(RoundBox({0.04 + 1.0 / size, 0.04 + 1.0 / size}, {0.96 - 1.0 / size, 0.96 - 1.0 / size}, 0.19),
            VerticalGradient(Hex(0x3579DA), Hex(0x1A468F)));
  double lo = small ? 0.22 : 0.27, hi = small ? 0.78 : 0.73;
  if (!small) img.Paint(ChipPins(), Solid(Hex(0xB8CFF2)));
  img.Paint(RoundBox({lo, lo}, {hi, hi}, 0.07), Solid(Hex(0xF2F6FD)));
  Shape arrow = Union({Polygon({{0.5, lo + 0.06}, {0.655, 0.50}, {0.345, 0.50}}, 0.02),
                       RoundBox({0.45, 0.47}, {0.55, hi - 0.07}, 0.015)});
  img.Paint(arrow, Solid(Hex(0xEE8A1C)));
  return img;
}

namespace {

// A window outline with a heavier title edge: the frame is one unit wide, the title two.
// Coordinates are in pixels of a 16-pixel cell.
Shape WindowOutline(double left, double top, double right, double bottom, double unit) {
  auto box = [unit](double l, double t, double r, double b) {
    return RoundBox({l * unit, t * unit}, {r * unit, b * unit}, 0.0);
  };
  return Minus(box(left, top, right, bottom), box(left + 1, top + 2, right - 1, bottom - 1));
}

} // namespace

Image DrawMenuGlyph(MenuGlyph which, int size) {
  Image img(size);
  double u = 1.0 / 16; // the glyphs are designed on a 16-pixel grid
  Fill ink = Solid(Hex(0x000000));
  switch (which) {
  case MenuGlyph::Restore: {
    // Two overlapping windows; the front one hides the back one's corner.
    Shape front = WindowOutline(2, 6, 11, 14, u);
    Shape frontArea = RoundBox({2 * u, 6 * u}, {11 * u, 14 * u}, 0.0);
    img.Paint(Union({front, Minus(WindowOutline(5, 2, 14, 10, u), frontArea)}), ink);
    break;
  }
  case MenuGlyph::Maximize:
    img.Paint(WindowOutline(3, 3, 13, 13, u), ink);
    break;
  case MenuGlyph::Minimize:
    img.Paint(RoundBox({4 * u, 11 * u}, {12 * u, 13 * u}, 0.0), ink);
    break;
  case MenuGlyph::Close:
    img.Paint(Union({Capsule({4.5 * u, 4.5 * u}, {11.5 * u, 11.5 * u}, 0.72 * u),
                     Capsule({11.5 * u, 4.5 * u}, {4.5 * u, 11.5 * u}, 0.72 * u)}),
              ink);
    break;
  }
  return img;
}

} // namespace vela::tools
