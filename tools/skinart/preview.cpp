#include "tools/skinart/preview.h"

#include <stdexcept>
#include <string_view>

#include "tools/skinart/art.h"
#include "tools/skinart/palette.h"

namespace vela::tools {

namespace pal = palette;

namespace {

const Canvas& Find(const DefaultSkin& skin, std::string_view file) {
  for (const SkinImage& i : skin.images) {
    if (i.file == file) {
      return i.image;
    }
  }
  throw std::invalid_argument("no such image: " + std::string(file));
}

struct Cell {
  const Canvas* image;
  Rect area; // the cell inside the image
};

Cell CellOf(const Canvas& image, int count, int index, bool vertical = false) {
  if (vertical) {
    const int h = image.Height() / count;
    return Cell{&image, Rect{0, (index - 1) * h, image.Width(), index * h}};
  }
  const int w = image.Width() / count;
  return Cell{&image, Rect{(index - 1) * w, 0, index * w, image.Height()}};
}

// Stretches part `from` of the cell onto `to` (nearest neighbour), leaving magenta out when
// `trans` is set.
void Stretch(Canvas& dst, const Cell& cell, Rect from, Rect to, bool trans) {
  if (from.Empty() || to.Empty()) {
    return;
  }
  for (int y = to.top; y < to.bottom; ++y) {
    const int sy = cell.area.top + from.top + (y - to.top) * from.Height() / to.Height();
    for (int x = to.left; x < to.right; ++x) {
      const int sx = cell.area.left + from.left + (x - to.left) * from.Width() / to.Width();
      const Pixel p = cell.image->At(sx, sy);
      if (!trans || p != kMagenta) {
        dst.Set(x, y, p);
      }
    }
  }
}

// Nine-slice drawing of a cell into `to` with margins l, t, r, b.
void Nine(Canvas& dst, const Cell& cell, Rect to, int l, int t, int r, int b, bool trans = true) {
  const int cw = cell.area.Width(), ch = cell.area.Height();
  const int W = to.Width(), H = to.Height();
  if (W < l + r) {
    l = r = 0;
  }
  if (H < t + b) {
    t = b = 0;
  }
  const int xs[4] = {0, l, cw - r, cw}, ys[4] = {0, t, ch - b, ch};
  const int xd[4] = {0, l, W - r, W}, yd[4] = {0, t, H - b, H};
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      Stretch(dst, cell, Rect{xs[i], ys[j], xs[i + 1], ys[j + 1]},
              Rect{to.left + xd[i], to.top + yd[j], to.left + xd[i + 1], to.top + yd[j + 1]}, trans);
    }
  }
}

using skin::MakePixel;

void TextBar(Canvas& c, int x, int y, int w, Pixel colour = pal::kTextSoft) {
  c.Fill(Rect{x, y, x + w, y + 6}, Mix(colour, pal::kFace, 0.35));
}

void DrawFrame(Canvas& c, const DefaultSkin& skin, bool active) {
  using namespace art;
  const int w = c.Width(), h = c.Height(), cell = active ? 1 : 2;
  Nine(c, CellOf(Find(skin, "frameleft.bmp"), 2, cell), Rect{0, 0, kSideWidth, h}, 0,
       kCaptionHeight, 0, kBottomHeight, false);
  Nine(c, CellOf(Find(skin, "frameright.bmp"), 2, cell), Rect{w - kSideWidth, 0, w, h}, 0,
       kCaptionHeight, 0, kBottomHeight, false);
  Nine(c, CellOf(Find(skin, "framebottom.bmp"), 2, cell, true),
       Rect{kSideWidth, h - kBottomHeight, w - kSideWidth, h}, 0, 0, 0, 0, false);
  Nine(c, CellOf(Find(skin, "frametop.bmp"), 2, cell, true),
       Rect{kSideWidth, 0, w - kSideWidth, kCaptionHeight}, kTopEnd, 0, kTopEnd, 0, false);
  // Icon, title and buttons as the frame places them.
  const Canvas& icon = Find(skin, "sysmenu.bmp");
  Stretch(c, CellOf(icon, 1, 1), Rect{0, 0, 16, 16}, Rect{9, 7, 25, 23}, true);
  const Canvas& back = Find(skin, "titleback.bmp");
  Nine(c, CellOf(back, 2, cell, true), Rect{kSideWidth + 30, 0, kSideWidth + 30 + 190, kCaptionHeight},
       kTitleBackEnd, 0, kTitleBackEnd, 0);
  TextBar(c, kSideWidth + 33, 12, 184, active ? pal::kText : pal::kTextOff);
  const char* files[3] = {"closebutton.bmp", "maxbutton.bmp", "minbutton.bmp"};
  for (int i = 0; i < 3; ++i) {
    const int x = w - kSideWidth - (i + 1) * kCaptionButtonWidth;
    const int state = !active ? 4 : (i == 0 ? 3 : 1);
    Stretch(c, CellOf(Find(skin, files[i]), 4, state),
            Rect{0, 0, kCaptionButtonWidth, kCaptionButtonHeight},
            Rect{x, 4, x + kCaptionButtonWidth, 4 + kCaptionButtonHeight}, true);
  }
}

// An edit as the edit skinner frames it: the skin's shadow colour outside, white inside.
void Edit(Canvas& c, Rect r, int textWidth) {
  c.Fill(r, pal::kWhite);
  c.Frame(r, pal::kShadow);
  TextBar(c, r.left + 4, r.top + (r.Height() - 6) / 2, textWidth, pal::kText);
}

// A flat speed button with its glyph and caption; look 0 is at rest (no skin image).
void SpeedButton(Canvas& c, const Canvas& button, Rect r, int look, Pixel badge) {
  if (look != 0) {
    Nine(c, CellOf(button, 5, look), r, 5, 5, 5, 5);
  }
  const double cy = (r.top + r.bottom) / 2.0;
  c.RoundFill(Box{r.left + 8.0, cy - 12, r.left + 32.0, cy + 12}, 12, badge, pal::kFace);
  TextBar(c, r.left + 38, int(cy) - 3, r.Width() - 46, look == 3 ? pal::kTextOff : pal::kText);
}

// The update tool's window: address panel, card list, file and progress group, status bar.
void DrawClient(Canvas& c, const DefaultSkin& skin, Rect client) {
  c.Fill(client, pal::kFace);
  const int X = client.left, Y = client.top, W = client.Width(), H = client.Height();
  const Canvas& button = Find(skin, "button.bmp");
  // Address panel.
  TextBar(c, X + 12, Y + 24, 80);
  Edit(c, Rect{X + 106, Y + 17, X + 248, Y + 38}, 70);
  TextBar(c, X + 266, Y + 24, 84);
  Edit(c, Rect{X + 361, Y + 17, X + 503, Y + 38}, 30);
  SpeedButton(c, button, Rect{X + 521, Y + 11, X + 609, Y + 43}, 4, MakePixel(56, 160, 90));
  SpeedButton(c, button, Rect{X + 617, Y + 11, X + 721, Y + 43}, 0, MakePixel(60, 120, 210));
  // The card list fills the middle: header, rows with check boxes and grid lines, scroll bar.
  const Rect list{X, Y + 55, X + W, Y + H - 18 - 55};
  c.Fill(list, pal::kWhite);
  c.Frame(list, pal::kShadow);
  const Canvas& header = Find(skin, "header.bmp");
  const int cols[5] = {25, 180, 180, 150, 150};
  int hx = list.left + 2;
  for (int col : cols) {
    Nine(c, CellOf(header, 5, 1), Rect{hx, list.top + 2, hx + col, list.top + 22}, 2, 4, 2, 4, false);
    if (col > 25) {
      TextBar(c, hx + 6, list.top + 9, col / 2);
    }
    hx += col;
  }
  const int sx = list.right - 2 - art::kScrollSize;
  Nine(c, CellOf(header, 5, 1), Rect{hx, list.top + 2, sx, list.top + 22}, 2, 4, 2, 4, false);
  const Canvas& check = Find(skin, "check.bmp");
  for (int row = 0; row < 14; ++row) {
    const int y = list.top + 22 + row * 17;
    c.HLine(list.left + 2, sx - 1, y + 16, MakePixel(236, 238, 241));
    if (row < 5) {
      Stretch(c, CellOf(check, 12, row == 1 || row == 2 ? 5 : 1), Rect{0, 0, 13, 13},
              Rect{list.left + 8, y + 2, list.left + 21, y + 15}, true);
      TextBar(c, list.left + 33, y + 6, 90, pal::kText);
      TextBar(c, list.left + 213, y + 6, 100, pal::kText);
      TextBar(c, list.left + 393, y + 6, 40, pal::kText);
      TextBar(c, list.left + 543, y + 6, 40, pal::kText);
    }
  }
  int gx = list.left + 2;
  for (int col : cols) {
    gx += col;
    c.VLine(gx - 1, list.top + 22, list.bottom - 3, MakePixel(236, 238, 241));
  }
  const int top = list.top + 2, bottom = list.bottom - 2;
  const Canvas& arrows = Find(skin, "scrollbar.bmp");
  Nine(c, CellOf(Find(skin, "vertscroll.bmp"), 4, 1), Rect{sx, top, sx + 17, bottom}, 0, 0, 0, 0, false);
  Stretch(c, CellOf(arrows, 23, 9), Rect{0, 0, 17, 17}, Rect{sx, top, sx + 17, top + 17}, true);
  Stretch(c, CellOf(arrows, 23, 13), Rect{0, 0, 17, 17}, Rect{sx, bottom - 17, sx + 17, bottom}, true);
  Nine(c, CellOf(Find(skin, "vertthumb.bmp"), 3, 1), Rect{sx, top + 20, sx + 17, top + 120}, 0, 6, 0, 6);
  // The file group: a rounded outline in the shadow colour, then field, buttons and progress.
  const int gy = Y + H - 18 - 55;
  c.RoundPanel(Box{X + 1.0, gy + 5.0, X + W - 1.0, Y + H - 18 - 1.0}, 2.5, pal::kShadow, pal::kFace,
               pal::kFace);
  TextBar(c, X + 11, gy + 25, 50);
  Edit(c, Rect{X + 78, gy + 18, X + 313, gy + 39}, 150);
  Nine(c, CellOf(button, 5, 3), Rect{X + 315, gy + 15, X + 344, gy + 42}, 5, 5, 5, 5);
  TextBar(c, X + 322, gy + 26, 14, pal::kTextOff);
  SpeedButton(c, button, Rect{X + 344, gy + 14, X + 432, gy + 42}, 0, MakePixel(230, 140, 40));
  const Canvas& progress = Find(skin, "progress.bmp");
  const Rect bar{X + 435, gy + 19, X + 713, gy + 36};
  Nine(c, CellOf(progress, 2, 1), bar, 4, 4, 4, 4);
  Nine(c, CellOf(progress, 2, 2), Rect{bar.left, bar.top, bar.left + bar.Width() * 2 / 5, bar.bottom}, 4,
       4, 4, 4);
  // The status bar's three panels, the last one stretched to the edge.
  const Canvas& status = Find(skin, "statusbar.bmp");
  const int panels[3] = {X + 352, X + 704, X + W};
  int px = X;
  for (int i = 0; i < 3; ++i) {
    Nine(c, CellOf(status, 3, 1), Rect{px, Y + H - 18, panels[i], Y + H}, 2, 2, 2, 2, false);
    px = panels[i];
  }
  TextBar(c, X + 6, Y + H - 12, 110);
}

} // namespace

Canvas DrawPreview(const DefaultSkin& skin, int width, int height, bool active) {
  using namespace art;
  Canvas c(width + 2 * kSideWidth, height + kCaptionHeight + kBottomHeight, pal::kWhite);
  DrawFrame(c, skin, active);
  DrawClient(c, skin, Rect{kSideWidth, kCaptionHeight, kSideWidth + width, kCaptionHeight + height});
  return c;
}

} // namespace vela::tools
