// Scroll bars, track-bar thumbs and up-down buttons of the default skin.
#include <utility>

#include "tools/skinart/art.h"
#include "tools/skinart/palette.h"

#include <array>

namespace vela::tools::art {

namespace {

constexpr int kS = kScrollSize;

struct ArrowLook {
  Pixel fill;
  Pixel ink;
};

// Normal, pressed, hot and disabled looks of a scroll arrow.
std::array<ArrowLook, 4> ArrowLooks() {
  return {{{pal().Track, pal().TextSoft},
           {pal().ThumbHot, pal().Field},
           {pal().Hover, pal().Text},
           {pal().Track, pal().Thumb}}};
}

Canvas ArrowCell(double dx, double dy, ArrowLook look) {
  Canvas c(kS, kS, pal().Track);
  if (look.fill != pal().Track) {
    c.RoundFill(Box{1, 1, kS - 1.0, kS - 1.0}, 3, look.fill);
  }
  c.Chevron(kS / 2.0, kS / 2.0, dx, dy, 3.0, look.ink, look.fill);
  // The edge line that sets the bar off from the content runs on through the arrows.
  if (dx != 0) {
    c.HLine(0, kS - 1, 0, pal().Line);
  } else {
    c.VLine(0, 0, kS - 1, pal().Line);
  }
  return c;
}

Canvas ThumbCell(bool vertical, Pixel colour, int length) {
  const int w = vertical ? kS : length, h = vertical ? length : kS;
  Canvas c(w, h);
  // A slim pill, 7 pixels thick, centred across the bar.
  const Box pill = vertical ? Box{5, 1, kS - 5.0, h - 1.0} : Box{1, 5, w - 1.0, kS - 5.0};
  c.RoundFill(pill, 3.5, colour, pal().Track);
  return c;
}

Canvas TrackCell(bool vertical, Pixel fill) {
  const int w = vertical ? kS : 16, h = vertical ? 16 : kS;
  Canvas c(w, h, fill);
  if (vertical) {
    c.VLine(0, 0, h - 1, pal().Line);
  } else {
    c.HLine(0, w - 1, 0, pal().Line);
  }
  return c;
}

// Track-bar thumbs: a rounded body with an optional point on one side.
struct ThumbLook {
  Pixel line;
  Pixel fill;
};

std::array<ThumbLook, 5> ThumbLooks() {
  return {{{pal().Border, pal().Field},
           {pal().Accent, pal().Accent},
           {pal().AccentDark, pal().Accent},
           {pal().AccentDark, pal().AccentDark},
           {pal().Line, pal().Face}}};
}

Canvas TrackThumbCell(ThumbShape shape, ThumbLook look) {
  const bool across = shape == ThumbShape::Vert || shape == ThumbShape::Left || shape == ThumbShape::Right;
  const int w = across ? 20 : 11, h = across ? 11 : 20;
  Canvas c(w, h);
  std::vector<Shape> parts;
  const double r = 2.5;
  switch (shape) {
  case ThumbShape::Horz:
  case ThumbShape::Vert:
    parts.push_back(RoundBoxShape(Box{0, 0, double(w), double(h)}, r + 1));
    break;
  case ThumbShape::Down:
    parts.push_back(RoundBoxShape(Box{0, 0, double(w), h - 5.0}, r));
    parts.push_back([w, h](double x, double y) {
      return y >= h - 6.0 && std::abs(x - w / 2.0) <= (h - y) * (w / 2.0) / 5.5;
    });
    break;
  case ThumbShape::Up:
    parts.push_back(RoundBoxShape(Box{0, 5, double(w), double(h)}, r));
    parts.push_back([w](double x, double y) {
      return y <= 6.0 && std::abs(x - w / 2.0) <= y * (w / 2.0) / 5.5;
    });
    break;
  case ThumbShape::Right:
    parts.push_back(RoundBoxShape(Box{0, 0, w - 5.0, double(h)}, r));
    parts.push_back([w, h](double x, double y) {
      return x >= w - 6.0 && std::abs(y - h / 2.0) <= (w - x) * (h / 2.0) / 5.5;
    });
    break;
  case ThumbShape::Left:
    parts.push_back(RoundBoxShape(Box{5, 0, double(w), double(h)}, r));
    parts.push_back([h](double x, double y) {
      return x <= 6.0 && std::abs(y - h / 2.0) <= x * (h / 2.0) / 5.5;
    });
    break;
  }
  const Shape outer = UnionShape(parts);
  c.Paint(outer, look.line, pal().Face);
  // The inside is the same shape one pixel in from every edge.
  c.Paint(
      [&outer](double x, double y) {
        return outer(x - 1, y) && outer(x + 1, y) && outer(x, y - 1) && outer(x, y + 1);
      },
      look.fill, pal().Face);
  return c;
}

// Up-down halves: a rounded button filling the half, and a small chevron glyph.
std::array<ArrowLook, 4> UpDownLooks() {
  return {{{pal().Field, pal().TextSoft},
           {pal().AccentSoft, pal().AccentDark},
           {pal().Face, pal().TextOff},
           {pal().AccentTint, pal().Accent}}};
}

Canvas UpDownCell(int w, int h, ArrowLook look) {
  Canvas c(w, h);
  c.RoundPanel(Box{0, 0, double(w), double(h)}, 2.5,
               look.fill == pal().Field ? pal().Border : pal().Accent, look.fill, pal().Face);
  if (look.fill == pal().Face) {
    c.RoundPanel(Box{0, 0, double(w), double(h)}, 2.5, pal().Line, pal().Face, pal().Face);
  }
  return c;
}

Canvas UpDownStrip(int w, int h) {
  std::vector<Canvas> cells;
  for (int half = 0; half < 2; ++half) {
    for (const ArrowLook& look : UpDownLooks()) {
      cells.push_back(UpDownCell(w, h, look));
    }
  }
  return Strip(cells);
}

Canvas UpDownGlyphStrip(bool horizontal) {
  const int w = horizontal ? 5 : 9, h = horizontal ? 9 : 5;
  std::vector<Canvas> cells;
  for (int half = 0; half < 2; ++half) {
    const double sign = half == 0 ? -1 : 1;
    for (const ArrowLook& look : UpDownLooks()) {
      Canvas c(w, h);
      c.Chevron(w / 2.0, h / 2.0, horizontal ? sign : 0, horizontal ? 0 : sign, 2.4, look.ink,
                  look.fill);
      cells.push_back(std::move(c));
    }
  }
  return Strip(cells);
}

} // namespace

Canvas ScrollArrows() {
  // Four groups of four (left, right, up, down; each normal, pressed, hot, disabled), then the
  // pieces of a bar drawn in one: horizontal and vertical thumb (normal, dragged), horizontal
  // and vertical track, and the corner between two bars.
  constexpr std::pair<double, double> kDirections[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  std::vector<Canvas> cells;
  for (const auto& [dx, dy] : kDirections) {
    for (const ArrowLook& look : ArrowLooks()) {
      cells.push_back(ArrowCell(dx, dy, look));
    }
  }
  for (bool vertical : {false, true}) {
    for (Pixel colour : {pal().Thumb, pal().ThumbDown}) {
      Canvas c(kS, kS, pal().Track);
      c.Blit(ThumbCell(vertical, colour, kS), 0, 0);
      for (int y = 0; y < kS; ++y) {
        for (int x = 0; x < kS; ++x) {
          if (c.At(x, y) == kMagenta) {
            c.Set(x, y, pal().Track);
          }
        }
      }
      cells.push_back(std::move(c));
    }
  }
  Canvas horzTrack(kS, kS, pal().Track);
  horzTrack.HLine(0, kS - 1, 0, pal().Line);
  Canvas vertTrack(kS, kS, pal().Track);
  vertTrack.VLine(0, 0, kS - 1, pal().Line);
  cells.push_back(horzTrack);
  cells.push_back(vertTrack);
  cells.push_back(Canvas(kS, kS, pal().Face));
  return Strip(cells);
}

Canvas HorzTrack() {
  return Strip({TrackCell(false, pal().Track), TrackCell(false, pal().Hover),
                TrackCell(false, pal().Face), TrackCell(false, pal().Press)});
}

Canvas VertTrack() {
  return Strip({TrackCell(true, pal().Track), TrackCell(true, pal().Hover),
                TrackCell(true, pal().Face), TrackCell(true, pal().Press)});
}

Canvas HorzThumb() {
  constexpr int len = 2 * kThumbEnd + 12;
  return Strip({ThumbCell(false, pal().Thumb, len), ThumbCell(false, pal().ThumbDown, len),
                ThumbCell(false, pal().ThumbHot, len)});
}

Canvas VertThumb() {
  constexpr int len = 2 * kThumbEnd + 12;
  return Strip({ThumbCell(true, pal().Thumb, len), ThumbCell(true, pal().ThumbDown, len),
                ThumbCell(true, pal().ThumbHot, len)});
}

Canvas TrackThumb(ThumbShape shape) {
  std::vector<Canvas> cells;
  for (const ThumbLook& look : ThumbLooks()) {
    cells.push_back(TrackThumbCell(shape, look));
  }
  return Strip(cells);
}

Canvas UpDownHorz() { return UpDownStrip(12, 16); }
Canvas UpDownVert() { return UpDownStrip(16, 11); }
Canvas UpDownHorzGlyphs() { return UpDownGlyphStrip(true); }
Canvas UpDownVertGlyphs() { return UpDownGlyphStrip(false); }

} // namespace vela::tools::art
