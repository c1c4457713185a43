#include "skin/controls/button_layout.h"

#include <algorithm>

#include "ui/core/text.h"

namespace vela::skin {
namespace {

// The axis the layout runs along, and the one across it.
int Along(Size s, bool vertical) {
  return vertical ? s.y : s.x;
}
int Across(Size s, bool vertical) {
  return vertical ? s.x : s.y;
}

} // namespace

GlyphLayout ParseGlyphLayout(std::string_view identifier) {
  const std::string lower = ui::AsciiLowerCase(identifier);
  if (lower == "blglyphright")
    return GlyphLayout::Right;
  if (lower == "blglyphtop")
    return GlyphLayout::Top;
  if (lower == "blglyphbottom")
    return GlyphLayout::Bottom;
  return GlyphLayout::Left;
}

GlyphAndCaption LayoutGlyphAndCaption(Size client, Size glyph, Size text, GlyphLayout layout,
                                      int margin, int spacing, bool speedButton) {
  const bool vertical = layout == GlyphLayout::Top || layout == GlyphLayout::Bottom;
  const int c = Along(client, vertical), g = Along(glyph, vertical), t = Along(text, vertical);

  GlyphAndCaption out;
  const int glyphAcross = (Across(client, vertical) - Across(glyph, vertical) + 1) / 2;
  const int textAcross = (Across(client, vertical) - Across(text, vertical) + 1) / 2;

  if (text.x == 0 || glyph.x == 0)
    spacing = 0;
  if (margin == -1 && spacing == -1) {
    margin = (c - (g + t)) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = (c - (g + spacing + t)) / 2 + (speedButton ? 1 : 0);
  } else if (spacing == -1) {
    spacing = ((c - (margin + g)) - t) / 2;
  }

  int glyphAlong, textAlong;
  if (layout == GlyphLayout::Left || layout == GlyphLayout::Top) {
    glyphAlong = margin;
    textAlong = margin + g + spacing;
  } else {
    glyphAlong = c - margin - g;
    textAlong = glyphAlong - spacing - t;
  }
  out.Glyph = vertical ? Point{glyphAcross, glyphAlong} : Point{glyphAlong, glyphAcross};
  out.Text = vertical ? Point{textAcross, textAlong} : Point{textAlong, textAcross};
  return out;
}

std::wstring ButtonCaptionLines(std::wstring_view caption) {
  std::wstring out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'|' && i + 1 < caption.size() && caption[i + 1] == L'|') {
      out += L"\r\n";
      ++i;
    } else {
      out += caption[i];
    }
  }
  return out;
}

Rect CaptionBox(const Rect& area, Size text, bool centred) {
  Rect box{area.left, area.top, area.left + text.x, area.top + text.y};
  if (centred) {
    const int dx = (area.Width() - text.x) / 2;
    box.left += dx;
    box.right += dx;
  } else {
    box.left = area.left;
    box.right = area.right;
  }
  const int dy = (area.Height() - text.y) / 2 - 1;
  box.top += dy;
  box.bottom += dy;
  return box;
}

int ImageTextStart(int alignment, int itemWidth, int textWidth, int imageWidth) {
  const int free = itemWidth - textWidth - imageWidth;
  int start = 2;
  if (alignment == 1)
    start = free / 2;
  else if (alignment == 2)
    start = free - 2;
  return std::max(start, 2);
}

} // namespace vela::skin
