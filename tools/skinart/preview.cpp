#include "tools/skinart/preview.h"

#include <stdexcept>
#include <string_view>

#include "tools/skinart/art.h"
#include "tools/skinart/palette.h"

namespace vela::tools {

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

void TextBar(Canvas& c, int x, int y, int w, Pixel colour = pal().TextSoft) {
  c.Fill(Rect{x, y, x + w, y + 6}, Mix(colour, pal().Face, 0.35));
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
  TextBar(c, kSideWidth + 33, 12, 184, active ? pal().CaptionText : pal().CaptionTextOff);
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
  c.Fill(r, pal().Field);
  c.Frame(r, pal().Shadow);
  TextBar(c, r.left + 4, r.top + (r.Height() - 6) / 2, textWidth, pal().Text);
}

// A flat speed button with its glyph and caption; look 0 is at rest (no skin image).
void SpeedButton(Canvas& c, const Canvas& button, Rect r, int look, Pixel badge) {
  if (look != 0) {
    Nine(c, CellOf(button, 5, look), r, 5, 5, 5, 5);
  }
  const double cy = (r.top + r.bottom) / 2.0;
  c.RoundFill(Box{r.left + 8.0, cy - 12, r.left + 32.0, cy + 12}, 12, badge, pal().Face);
  TextBar(c, r.left + 38, int(cy) - 3, r.Width() - 46, look == 3 ? pal().TextOff : pal().Text);
}

constexpr Pixel kGrid = MakePixel(236, 238, 241);
constexpr int kColumns[5] = {25, 180, 180, 150, 150};

void DrawAddressPanel(Canvas& c, const DefaultSkin& skin, int x, int y) {
  const Canvas& button = Find(skin, "button.bmp");
  TextBar(c, x + 12, y + 24, 80);
  Edit(c, Rect{x + 106, y + 17, x + 248, y + 38}, 70);
  TextBar(c, x + 266, y + 24, 84);
  Edit(c, Rect{x + 361, y + 17, x + 503, y + 38}, 30);
  SpeedButton(c, button, Rect{x + 521, y + 11, x + 609, y + 43}, 4, MakePixel(56, 160, 90));
  SpeedButton(c, button, Rect{x + 617, y + 11, x + 721, y + 43}, 0, MakePixel(60, 120, 210));
}

void DrawVerticalScrollBar(Canvas& c, const DefaultSkin& skin, int x, int top, int bottom) {
  const Canvas& arrows = Find(skin, "scrollbar.bmp");
  const int s = art::kScrollSize;
  Nine(c, CellOf(Find(skin, "vertscroll.bmp"), 4, 1), Rect{x, top, x + s, bottom}, 0, 0, 0, 0, false);
  Stretch(c, CellOf(arrows, 23, 9), Rect{0, 0, s, s}, Rect{x, top, x + s, top + s}, true);
  Stretch(c, CellOf(arrows, 23, 13), Rect{0, 0, s, s}, Rect{x, bottom - s, x + s, bottom}, true);
  Nine(c, CellOf(Find(skin, "vertthumb.bmp"), 3, 1), Rect{x, top + 20, x + s, top + 120}, 0,
       art::kThumbEnd, 0, art::kThumbEnd);
}

// The card list: header, a few rows with check boxes, grid lines and the scroll bar.
void DrawCardList(Canvas& c, const DefaultSkin& skin, Rect list) {
  c.Fill(list, pal().Field);
  c.Frame(list, pal().Shadow);
  const Canvas& header = Find(skin, "header.bmp");
  const int barX = list.right - 2 - art::kScrollSize;
  int x = list.left + 2;
  for (int col : kColumns) {
    Nine(c, CellOf(header, 5, 1), Rect{x, list.top + 2, x + col, list.top + 22}, 2, 4, 2, 4, false);
    if (col > 25) {
      TextBar(c, x + 6, list.top + 9, col / 2);
    }
    x += col;
    c.VLine(x - 1, list.top + 22, list.bottom - 3, kGrid);
  }
  Nine(c, CellOf(header, 5, 1), Rect{x, list.top + 2, barX, list.top + 22}, 2, 4, 2, 4, false);
  const Canvas& check = Find(skin, "check.bmp");
  for (int row = 0; row < 14; ++row) {
    const int y = list.top + 22 + row * 17;
    c.HLine(list.left + 2, barX - 1, y + 16, kGrid);
    if (row < 5) {
      Stretch(c, CellOf(check, 12, row == 1 || row == 2 ? 5 : 1), Rect{0, 0, 13, 13},
              Rect{list.left + 8, y + 2, list.left + 21, y + 15}, true);
      const int widths[4] = {90, 100, 40, 40};
      int tx = list.left + 33;
      for (int i = 0; i < 4; ++i) {
        TextBar(c, tx, y + 6, widths[i], pal().Text);
        tx += kColumns[i + 1];
      }
    }
  }
  DrawVerticalScrollBar(c, skin, barX, list.top + 2, list.bottom - 2);
}

// The file group: a rounded outline in the shadow colour, then field, buttons and progress.
void DrawFileGroup(Canvas& c, const DefaultSkin& skin, Rect group) {
  const int x = group.left, y = group.top;
  c.RoundPanel(Box{x + 1.0, y + 5.0, group.right - 1.0, group.bottom - 1.0}, 2.5, pal().Shadow,
               pal().Face, pal().Face);
  const Canvas& button = Find(skin, "button.bmp");
  TextBar(c, x + 11, y + 25, 50);
  Edit(c, Rect{x + 78, y + 18, x + 313, y + 39}, 150);
  Nine(c, CellOf(button, 5, 3), Rect{x + 315, y + 15, x + 344, y + 42}, 5, 5, 5, 5);
  TextBar(c, x + 322, y + 26, 14, pal().TextOff);
  SpeedButton(c, button, Rect{x + 344, y + 14, x + 432, y + 42}, 0, MakePixel(230, 140, 40));
  const Canvas& progress = Find(skin, "progress.bmp");
  const Rect bar{x + 435, y + 19, x + 713, y + 36};
  const int m = art::kProgressMargin;
  Nine(c, CellOf(progress, 2, 1), bar, m, m, m, m);
  Nine(c, CellOf(progress, 2, 2), Rect{bar.left, bar.top, bar.left + bar.Width() * 2 / 5, bar.bottom},
       m, m, m, m);
}

// The status bar's three panels, the last one stretched to the edge.
void DrawStatusBar(Canvas& c, const DefaultSkin& skin, Rect bar) {
  const Canvas& status = Find(skin, "statusbar.bmp");
  const int ends[3] = {bar.left + 352, bar.left + 704, bar.right};
  int x = bar.left;
  for (int end : ends) {
    Nine(c, CellOf(status, 3, 1), Rect{x, bar.top, end, bar.bottom}, 2, 2, 2, 2, false);
    x = end;
  }
  TextBar(c, bar.left + 6, bar.top + 6, 110);
}

// The update tool's window: address panel, card list, file and progress group, status bar.
void DrawClient(Canvas& c, const DefaultSkin& skin, Rect client) {
  c.Fill(client, pal().Face);
  constexpr int kPanel = 55, kStatus = 18;
  DrawAddressPanel(c, skin, client.left, client.top);
  DrawCardList(c, skin,
               Rect{client.left, client.top + kPanel, client.right, client.bottom - kStatus - kPanel});
  DrawFileGroup(c, skin,
                Rect{client.left, client.bottom - kStatus - kPanel, client.right, client.bottom - kStatus});
  DrawStatusBar(c, skin, Rect{client.left, client.bottom - kStatus, client.right, client.bottom});
}

} // namespace

Canvas DrawPreview(const DefaultSkin& skin, int width, int height, bool active) {
  using namespace art;
  Canvas c(width + 2 * kSideWidth, height + kCaptionHeight + kBottomHeight, pal().Field);
  DrawFrame(c, skin, active);
  DrawClient(c, skin, Rect{kSideWidth, kCaptionHeight, kSideWidth + width, kCaptionHeight + height});
  return c;
}

} // namespace vela::tools
