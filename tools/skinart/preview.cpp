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

void DrawClient(Canvas& c, const DefaultSkin& skin, Rect client) {
  c.Fill(client, pal::kFace);
  const int x0 = client.left + 10, y0 = client.top + 10;
  // Address row: two fields and a file button.
  const Canvas& sunk = Find(skin, "sunkedge.bmp");
  TextBar(c, x0, y0 + 8, 60);
  Nine(c, CellOf(sunk, 4, 1), Rect{x0 + 70, y0, x0 + 200, y0 + 22}, 3, 3, 3, 3);
  TextBar(c, x0 + 215, y0 + 8, 30);
  Nine(c, CellOf(sunk, 4, 4), Rect{x0 + 255, y0, x0 + 330, y0 + 22}, 3, 3, 3, 3);
  TextBar(c, x0 + 80, y0 + 8, 70, pal::kText);
  // Flat speed buttons: one hot, one pressed, the rest at rest.
  const Canvas& button = Find(skin, "button.bmp");
  const int looks[4] = {4, 0, 2, 0};
  for (int i = 0; i < 4; ++i) {
    const Rect r{x0 + 350 + i * 90, y0 - 2, x0 + 432 + i * 90, y0 + 26};
    if (looks[i] != 0) {
      Nine(c, CellOf(button, 5, looks[i]), r, 5, 5, 5, 5);
    }
    c.RoundFill(Box{r.left + 8.0, r.top + 6.0, r.left + 24.0, r.top + 22.0}, 8, pal::kAccent, pal::kFace);
    TextBar(c, r.left + 30, r.top + 11, 42, pal::kText);
  }
  // File row: a push button and a field.
  Nine(c, CellOf(sunk, 4, 1), Rect{x0, y0 + 36, x0 + 600, y0 + 58}, 3, 3, 3, 3);
  Nine(c, CellOf(button, 5, 1), Rect{x0 + 610, y0 + 35, x0 + 700, y0 + 60}, 5, 5, 5, 5);
  TextBar(c, x0 + 630, y0 + 45, 50, pal::kText);
  // The group box with the card list: header, rows with check boxes and a scroll bar.
  const Canvas& edge = Find(skin, "groupboxedge.bmp");
  const Rect group{x0, y0 + 72, client.right - 10, client.bottom - 62};
  Nine(c, CellOf(edge, 2, 1), group, 5, 5, 5, 5);
  c.Fill(Rect{group.left + 8, group.top - 4, group.left + 90, group.top + 5}, pal::kFace);
  TextBar(c, group.left + 12, group.top - 3, 70);
  const Rect list{group.left + 10, group.top + 16, group.right - 10, group.bottom - 10};
  c.Fill(list, pal::kWhite);
  c.Frame(list, pal::kBorder);
  const Canvas& header = Find(skin, "header.bmp");
  const int cols[5] = {150, 150, 120, 120, 118};
  int hx = list.left + 1;
  for (int col : cols) {
    Nine(c, CellOf(header, 5, 1), Rect{hx, list.top + 1, hx + col, list.top + 23}, 2, 4, 2, 4);
    TextBar(c, hx + 8, list.top + 9, col / 2);
    hx += col;
  }
  Nine(c, CellOf(header, 5, 1), Rect{hx, list.top + 1, list.right - 1, list.top + 23}, 2, 4, 2, 4);
  const Canvas& check = Find(skin, "check.bmp");
  for (int row = 0; row < 6; ++row) {
    const int y = list.top + 28 + row * 20;
    Stretch(c, CellOf(check, 12, row == 1 || row == 2 ? 5 : 1), Rect{0, 0, 13, 13},
            Rect{list.left + 6, y, list.left + 19, y + 13}, true);
    TextBar(c, list.left + 26, y + 4, 90, pal::kText);
    TextBar(c, list.left + 160, y + 4, 100, pal::kText);
    TextBar(c, list.left + 310, y + 4, 40, pal::kText);
    TextBar(c, list.left + 430, y + 4, 40, pal::kText);
  }
  // Vertical scroll bar of the list.
  const int sx = list.right - 1 - art::kScrollSize, top = list.top + 23, bottom = list.bottom - 1;
  const Canvas& arrows = Find(skin, "scrollbar.bmp");
  Nine(c, CellOf(Find(skin, "vertscroll.bmp"), 4, 1), Rect{sx, top, sx + 17, bottom}, 0, 0, 0, 0, false);
  Stretch(c, CellOf(arrows, 23, 9), Rect{0, 0, 17, 17}, Rect{sx, top, sx + 17, top + 17}, true);
  Stretch(c, CellOf(arrows, 23, 13), Rect{0, 0, 17, 17}, Rect{sx, bottom - 17, sx + 17, bottom}, true);
  Nine(c, CellOf(Find(skin, "vertthumb.bmp"), 3, 1), Rect{sx, top + 30, sx + 17, top + 110}, 0, 6, 0, 6);
  // Progress bar at forty per cent and the status bar.
  const Canvas& progress = Find(skin, "progress.bmp");
  const Rect bar{x0, client.bottom - 50, client.right - 10, client.bottom - 32};
  Nine(c, CellOf(progress, 2, 1), bar, 4, 4, 4, 4);
  Nine(c, CellOf(progress, 2, 2), Rect{bar.left, bar.top, bar.left + bar.Width() * 2 / 5, bar.bottom}, 4, 4,
       4, 4);
  const Canvas& status = Find(skin, "statusbar.bmp");
  const int panels[3] = {client.left + 250, client.left + 500, client.right};
  int px = client.left;
  for (int i = 0; i < 3; ++i) {
    Nine(c, CellOf(status, 3, 1), Rect{px, client.bottom - 22, panels[i], client.bottom}, 2, 2, 2, 2, false);
    TextBar(c, px + 6, client.bottom - 14, 80);
    px = panels[i];
  }
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
