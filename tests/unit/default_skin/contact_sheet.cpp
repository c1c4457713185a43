#include "tests/unit/default_skin/contact_sheet.h"

#include <algorithm>

#include "skin/draw/primitives.h"
#include "skin/draw/slices.h"
#include "tests/unit/default_skin/tiny_font.h"

namespace vela::test {

using skin::Bitmap;
using skin::Pixel;
using skin::Rect;

namespace {

constexpr int kScale = 2;      // cells are shown twice their size
constexpr int kCellGap = 4;
constexpr int kMargin = 12;
constexpr Pixel kPaper = skin::MakePixel(250, 250, 250);
constexpr Pixel kInk = skin::MakePixel(40, 44, 52);
constexpr Pixel kCheckA = skin::MakePixel(204, 204, 204);
constexpr Pixel kCheckB = skin::MakePixel(236, 236, 236);

Pixel Checker(int x, int y) { return ((x / 4 + y / 4) % 2) != 0 ? kCheckA : kCheckB; }

void Add(std::vector<SheetEntry>& out, std::string label, const skin::TDataSkinObject* e) {
  if (e != nullptr && !e->Bitmap.Empty()) {
    out.push_back({std::move(label), &e->Bitmap, std::max(1, e->FrameCount), false, e->Trans == 1});
  }
}

void AddImage(std::vector<SheetEntry>& out, std::string label, const Bitmap& image, int cells,
              bool vertical, bool transparent) {
  if (!image.Empty()) {
    out.push_back({std::move(label), &image, std::max(1, cells), vertical, transparent});
  }
}

Pixel FaceColour(const skin::TSkinElements& skin) {
  const skin::ColourCode face = skin.Colours.ButtonFace;
  return skin::IsSystemColour(face) ? skin::MakePixel(240, 240, 240)
                                    : skin::PixelFromColorRef(std::uint32_t(face));
}

// Draws one border the way the frame skinner does: a nine-slice of its cell, stretched middle
// when its Tile value is 1, tiled otherwise.
void DrawBorder(const skin::Raster& canvas, const skin::TDataSkinBorder& border, Rect target,
                bool vertical, bool active) {
  const int cell = active || border.FrameCount <= 1 ? 1 : 2;
  skin::DrawSkinRect(canvas, target, border.Bitmap.View(), border.GetMargins(), cell,
                     border.FrameCount, false, border.Tile != 1, vertical);
}

int CellExtent(const Bitmap& image, int cells, bool vertical) {
  return vertical ? image.Height() / std::max(1, cells) : image.Width() / std::max(1, cells);
}

} // namespace

std::vector<SheetEntry> SheetEntries(const skin::TSkinElements& s) {
  std::vector<SheetEntry> out;
  AddImage(out, "Top", s.Top.Bitmap, s.Top.FrameCount, true, true);
  AddImage(out, "Bottom", s.Bottom.Bitmap, s.Bottom.FrameCount, true, true);
  AddImage(out, "Left", s.Left.Bitmap, s.Left.FrameCount, false, true);
  AddImage(out, "Right", s.Right.Bitmap, s.Right.FrameCount, false, true);
  AddImage(out, "Title TextBack", s.Title.Bitmap, 2, true, true);
  for (const auto& b : s.CaptionButtons) {
    AddImage(out, b->Name + " action " + std::to_string(b->Action), b->Bitmap, b->FrameCount, false,
             true);
  }
  AddImage(out, "Buttons", s.Buttons.Bitmap, 5, false, s.Buttons.Trans == 1);
  AddImage(out, "Buttons CheckButton", s.Buttons.CheckBitmap, s.Buttons.CheckButtonFrame, false, true);
  AddImage(out, "Buttons RadioButton", s.Buttons.RadioBitmap, s.Buttons.RadioButtonFrame, false, true);
  Add(out, "Progress", s.Progress.get());
  if (s.Progress) {
    AddImage(out, "Progress Chunk", s.Progress->Bitmap2, 1, false, false);
  }
  if (s.MenuBar) {
    AddImage(out, "Personality menuBar", s.MenuBar->Bitmap, 2, true, false);
  }
  Add(out, "GroupBoxEdge", s.GroupBoxEdge.get());
  Add(out, "GroupBox", s.GroupBox.get());
  Add(out, "Toolbars", s.Toolbars.get());
  Add(out, "Tabs", s.Tabs.get());
  if (s.Tabs) {
    AddImage(out, "Tabs Border", s.Tabs->Bitmap2, 1, false, false);
  }
  Add(out, "StatusBarEdges", s.StatusBarEdges.get());
  Add(out, "ComboButton (composite)", s.ComboButton.get());
  if (s.ComboButton) {
    AddImage(out, "ComboButton mirrored", s.ComboButton->Bitmap2, s.ComboButton->FrameCount, false,
             true);
  }
  Add(out, "SunkEdge (composite)", s.SunkEdge.get());
  Add(out, "ExtraImages", s.ExtraImages.get());
  Add(out, "Headerbar", s.Headerbar.get());
  Add(out, "MenuItem", s.MenuItem.get());
  Add(out, "MenuBackground", s.MenuBackground.get());
  Add(out, "Scrollbar", s.Scrollbar.get());
  Add(out, "HorzScroll", s.HorzScroll.get());
  Add(out, "VertScroll", s.VertScroll.get());
  Add(out, "HorzScrollThumb", s.HorzScrollThumb.get());
  Add(out, "VertScrollThumb", s.VertScrollThumb.get());
  for (int i = 0; i < skin::kTrackbarThumbCount; ++i) {
    Add(out, std::string(skin::kTrackbarThumbSections[std::size_t(i)]), s.TrackbarThumbs[std::size_t(i)].get());
  }
  for (const auto* ud : {s.UpDownHorz.get(), s.UpDownVert.get()}) {
    Add(out, ud ? ud->Name : "", ud);
    if (ud) {
      AddImage(out, ud->Name + " GlyphImage", ud->Bitmap2, ud->FrameCount, false, true);
    }
  }
  return out;
}

Bitmap ComposeWindowFrame(const skin::TSkinElements& s, int width, int height, bool active) {
  Bitmap frame(width, height, FaceColour(s));
  const skin::Raster canvas = frame.View();
  const int left = CellExtent(s.Left.Bitmap, s.Left.FrameCount, false);
  const int right = CellExtent(s.Right.Bitmap, s.Right.FrameCount, false);
  const int top = CellExtent(s.Top.Bitmap, s.Top.FrameCount, true);
  const int bottom = CellExtent(s.Bottom.Bitmap, s.Bottom.FrameCount, true);
  DrawBorder(canvas, s.Left, Rect{0, 0, left, height}, false, active);
  DrawBorder(canvas, s.Right, Rect{width - right, 0, width, height}, false, active);
  DrawBorder(canvas, s.Bottom, Rect{left, height - bottom, width - right, height}, true, active);
  DrawBorder(canvas, s.Top, Rect{left, 0, width - right, top}, true, active);
  for (const auto& b : s.CaptionButtons) {
    // A normal window: buttons meant for the maximised state and the MDI ones stay hidden.
    if (b->Bitmap.Empty() || b->Visibility == 1 || b->Visibility == 100 || b->FrameCount <= 0) {
      continue;
    }
    const int w = b->Bitmap.Width() / b->FrameCount, h = b->Bitmap.Height();
    const int x = b->Align == 1 ? width - b->Xcoord : b->Xcoord;
    const int cell = active || b->FrameCount < 4 ? 1 : 4;
    skin::DrawStretchedCell(canvas, Rect{x, b->Ycoord, x + w, b->Ycoord + h}, b->Bitmap.View(), true,
                            b->FrameCount, cell);
  }
  return frame;
}

Bitmap RenderContactSheet(const skin::TSkinElements& s) {
  const std::vector<SheetEntry> entries = SheetEntries(s);
  constexpr int kLabel = TinyTextHeight(kScale) + 6;
  const Bitmap frames[2] = {ComposeWindowFrame(s, 360, 150, true),
                            ComposeWindowFrame(s, 360, 150, false)};
  int width = 2 * kMargin + frames[0].Width() * 2 + kMargin;
  int height = kMargin + kLabel + frames[0].Height() + kMargin;
  for (const SheetEntry& e : entries) {
    const int cw = e.vertical ? e.image->Width() : e.image->Width() / e.cells;
    const int ch = e.vertical ? e.image->Height() / e.cells : e.image->Height();
    width = std::max({width, 2 * kMargin + e.cells * (cw * kScale + kCellGap),
                      2 * kMargin + TinyTextWidth(e.label, kScale)});
    height += kLabel + ch * kScale + kMargin;
  }
  Bitmap sheet(width, height, kPaper);
  const skin::Raster canvas = sheet.View();
  int y = kMargin;
  DrawTinyText(canvas, kMargin, y, "Window frame: active, inactive (checkers: cut from the region)",
               kInk, kScale);
  y += kLabel;
  for (int f = 0; f < 2; ++f) {
    const int x0 = kMargin + f * (frames[0].Width() + kMargin);
    for (int py = 0; py < frames[f].Height(); ++py) {
      for (int px = 0; px < frames[f].Width(); ++px) {
        const Pixel p = frames[f].At(px, py);
        canvas.At(x0 + px, y + py) = p == skin::kMagenta ? Checker(px, py) : p;
      }
    }
  }
  y += frames[0].Height() + kMargin;
  for (const SheetEntry& e : entries) {
    DrawTinyText(canvas, kMargin, y, e.label + " - " + std::to_string(e.cells) + " cells", kInk,
                 kScale);
    y += kLabel;
    const int cw = e.vertical ? e.image->Width() : e.image->Width() / e.cells;
    const int ch = e.vertical ? e.image->Height() / e.cells : e.image->Height();
    for (int c = 0; c < e.cells; ++c) {
      const int sx = e.vertical ? 0 : c * cw, sy = e.vertical ? c * ch : 0;
      const int x0 = kMargin + c * (cw * kScale + kCellGap);
      for (int py = 0; py < ch * kScale; ++py) {
        for (int px = 0; px < cw * kScale; ++px) {
          const Pixel p = e.image->At(sx + px / kScale, sy + py / kScale);
          canvas.At(x0 + px, y + py) = e.transparent && p == skin::kMagenta ? Checker(px, py) : p;
        }
      }
    }
    y += ch * kScale + kMargin;
  }
  return sheet;
}

} // namespace vela::test
