// The window frame, title backing, caption buttons and menu bar of the default skin.
#include <cmath>

#include "tools/skinart/art.h"
#include "tools/skinart/palette.h"

namespace vela::tools::art {


namespace {

struct FrameLook {
  Pixel outline;
  Pixel band;
};

FrameLook LookOf(bool active) {
  return active ? FrameLook{pal().DkShadow, pal().Caption} : FrameLook{pal().FrameOff, pal().CaptionOff};
}

// Share of the pixel (x, y) that lies within `radius` of the point (cx, cy).
double CircleCover(int x, int y, double cx, double cy, double radius) {
  int hits = 0;
  for (int sy = 0; sy < 4; ++sy) {
    for (int sx = 0; sx < 4; ++sx) {
      const double dx = x + (sx + 0.5) / 4 - cx, dy = y + (sy + 0.5) / 4 - cy;
      hits += dx * dx + dy * dy <= radius * radius ? 1 : 0;
    }
  }
  return hits / 16.0;
}

// The colour of pixel (x, y) of the frame of a w x h window. Outside the rounded top corners
// the pixel is magenta, which cuts it out of the window region.
Pixel FramePixel(int x, int y, int w, int h, bool active) {
  const FrameLook look = LookOf(active);
  const double r = kCornerRadius;
  if (y < kCornerRadius && (x < kCornerRadius || x >= w - kCornerRadius)) {
    const double cx = x < kCornerRadius ? r : w - r;
    const double outer = CircleCover(x, y, cx, r, r);
    if (outer < 0.5) {
      return kMagenta;
    }
    return Mix(look.outline, look.band, CircleCover(x, y, cx, r, r - 1));
  }
  if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
    return look.outline;
  }
  // A quiet line just inside the frame outlines the client area.
  const int inner = kSideWidth - 1, top = kCaptionHeight - 1, bottom = h - kBottomHeight;
  const bool inLineBox = x >= inner && x <= w - 1 - inner && y >= top && y <= bottom;
  if (inLineBox && (x == inner || x == w - 1 - inner || y == top || y == bottom)) {
    return pal().Line;
  }
  return look.band;
}

// A whole small window frame, from which each border strip is cut.
constexpr int kModelWidth = kSideWidth + kTopWidth + kSideWidth;
constexpr int kModelHeight = kCaptionHeight + kSideMiddle + kBottomHeight;

Canvas FrameModel(bool active) {
  Canvas c(kModelWidth, kModelHeight);
  for (int y = 0; y < kModelHeight; ++y) {
    for (int x = 0; x < kModelWidth; ++x) {
      c.Set(x, y, FramePixel(x, y, kModelWidth, kModelHeight, active));
    }
  }
  return c;
}

Canvas Cut(const Canvas& model, Rect part) {
  Canvas c(part.Width(), part.Height());
  c.BlitPart(model, part, 0, 0);
  return c;
}

Canvas BorderStrip(Rect part, bool vertical) {
  return Strip({Cut(FrameModel(true), part), Cut(FrameModel(false), part)}, vertical);
}

// Caption-button glyphs are drawn on a 10 x 10 grid centred in the cell.
void DrawCaptionGlyph(Canvas& c, CaptionGlyph glyph, Pixel ink, Pixel under) {
  const int x0 = (c.Width() - 10) / 2, y0 = (c.Height() - 10) / 2;
  switch (glyph) {
  case CaptionGlyph::Close:
    c.Stroke(x0 + 0.5, y0 + 0.5, x0 + 9.5, y0 + 9.5, 1.3, ink, under);
    c.Stroke(x0 + 9.5, y0 + 0.5, x0 + 0.5, y0 + 9.5, 1.3, ink, under);
    break;
  case CaptionGlyph::Maximize:
    c.Frame(Rect{x0, y0, x0 + 10, y0 + 10}, ink);
    break;
  case CaptionGlyph::Restore:
    c.Frame(Rect{x0, y0 + 2, x0 + 8, y0 + 10}, ink);
    c.HLine(x0 + 2, x0 + 9, y0, ink);
    c.VLine(x0 + 9, y0, y0 + 7, ink);
    c.VLine(x0 + 2, y0, y0 + 1, ink);
    c.HLine(x0 + 8, x0 + 9, y0 + 7, ink);
    break;
  case CaptionGlyph::Minimize:
    c.HLine(x0, x0 + 9, y0 + 5, ink);
    break;
  }
}

Canvas CaptionCell(CaptionGlyph glyph, Pixel fill, Pixel ink, Pixel under) {
  Canvas c(kCaptionButtonWidth, kCaptionButtonHeight);
  if (fill != kMagenta) {
    c.RoundFill(Box{1, 1, kCaptionButtonWidth - 1.0, kCaptionButtonHeight - 1.0}, 4, fill, under);
    under = fill;
  }
  DrawCaptionGlyph(c, glyph, ink, under);
  return c;
}

void DrawMdiGlyph(Canvas& c, int which, Pixel ink, Pixel under) {
  const int x0 = (c.Width() - 8) / 2, y0 = (c.Height() - 8) / 2;
  switch (which) {
  case 0: // minimise
    c.HLine(x0, x0 + 7, y0 + 6, ink);
    break;
  case 1: // restore
    c.Frame(Rect{x0, y0 + 2, x0 + 6, y0 + 8}, ink);
    c.HLine(x0 + 2, x0 + 7, y0, ink);
    c.VLine(x0 + 7, y0, y0 + 5, ink);
    c.VLine(x0 + 2, y0, y0 + 1, ink);
    break;
  default: // close
    c.Stroke(x0 + 0.5, y0 + 0.5, x0 + 7.5, y0 + 7.5, 1.2, ink, under);
    c.Stroke(x0 + 7.5, y0 + 0.5, x0 + 0.5, y0 + 7.5, 1.2, ink, under);
    break;
  }
}

} // namespace

Canvas FrameTop() {
  return BorderStrip(Rect{kSideWidth, 0, kSideWidth + kTopWidth, kCaptionHeight}, true);
}

Canvas FrameBottom() {
  return BorderStrip(
      Rect{kSideWidth, kModelHeight - kBottomHeight, kSideWidth + kBottomWidth, kModelHeight},
      true);
}

Canvas FrameLeft() { return BorderStrip(Rect{0, 0, kSideWidth, kModelHeight}, false); }

Canvas FrameRight() {
  return BorderStrip(Rect{kModelWidth - kSideWidth, 0, kModelWidth, kModelHeight}, false);
}

Canvas TitleBack() {
  // The active title sits on a short accent rule under the text; the inactive one on nothing.
  const int w = 2 * kTitleBackEnd + 8;
  Canvas active(w, kCaptionHeight);
  active.RoundFill(Box{0.5, kCaptionHeight - 6.0, w - 0.5, kCaptionHeight - 4.0}, 1, pal().Accent,
                   pal().Caption);
  Canvas inactive(w, kCaptionHeight);
  return Strip({active, inactive}, true);
}

Canvas CaptionButton(CaptionGlyph glyph) {
  const bool close = glyph == CaptionGlyph::Close;
  const Pixel hot = close ? pal().Accent : pal().Hover;
  const Pixel down = close ? pal().AccentDark : pal().Press;
  const Pixel hotInk = close ? pal().Field : pal().Text;
  return Strip({CaptionCell(glyph, kMagenta, pal().CaptionTextSoft, pal().Caption),
                CaptionCell(glyph, down, hotInk, pal().Caption),
                CaptionCell(glyph, hot, hotInk, pal().Caption),
                CaptionCell(glyph, kMagenta, pal().CaptionTextOff, pal().CaptionOff)});
}

Canvas SystemIcon() {
  Canvas c(16, 16);
  c.RoundFill(Box{1, 1, 15, 15}, 3.5, pal().Accent, pal().Caption);
  c.Stroke(4.5, 5, 8, 11.5, 1.6, pal().Field);
  c.Stroke(8, 11.5, 11.5, 5, 1.6, pal().Field);
  return c;
}

Canvas MdiControls() {
  std::vector<Canvas> cells;
  for (int which = 0; which < 3; ++which) {
    struct Look {
      Pixel fill, ink;
    };
    const Look looks[4] = {{kMagenta, pal().TextSoft},
                           {which == 2 ? pal().AccentDark : pal().Press, which == 2 ? pal().Field : pal().Text},
                           {kMagenta, pal().TextOff},
                           {which == 2 ? pal().Accent : pal().Hover, which == 2 ? pal().Field : pal().Text}};
    for (const Look& look : looks) {
      Canvas c(kMdiCellWidth, 14);
      Pixel under = pal().Face;
      if (look.fill != kMagenta) {
        c.RoundFill(Box{0, 0, kMdiCellWidth, 14}, 3, look.fill, pal().Face);
        under = look.fill;
      }
      DrawMdiGlyph(c, which, look.ink, under);
      cells.push_back(std::move(c));
    }
  }
  return Strip(cells);
}

Canvas MenuBar() {
  Canvas active(16, 20, pal().Face);
  Canvas inactive(16, 20, pal().Face);
  return Strip({active, inactive}, true);
}

} // namespace vela::tools::art
