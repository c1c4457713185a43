#include "skin/forms/menu_layout.h"

#include <algorithm>
#include <cwctype>

namespace vela::skin {

namespace {

constexpr int kBarItemPadding = 10;   // added to a bar caption's width
constexpr int kFallbackBarStart = 12; // when the element's margin leaves no room
constexpr int kPlainBarStart = 6;     // without a menu-bar element
constexpr int kGlyphBoxInset = 1;
constexpr int kGlyphToText = 3;
constexpr int kShortcutInset = 10;

} // namespace

int MenuBarStart(const MenuBarSkin& skin, int barWidth, bool rightToLeft) {
  if (!skin.hasElement)
    return kPlainBarStart;
  const int start = rightToLeft ? skin.rightWidth + 8 : skin.leftWidth + 4;
  return start > barWidth ? kFallbackBarStart : start;
}

std::vector<Rect> LayoutMenuBar(std::span<const MenuBarEntry> items, const Rect& bar, int start,
                                bool rightToLeft) {
  std::vector<Rect> rects;
  rects.reserve(items.size());
  const int bottom = bar.top + bar.Height() - 1;
  int x = rightToLeft ? bar.Width() - start : start;
  for (const MenuBarEntry& item : items) {
    if (!item.visible) {
      rects.push_back(Rect{});
      continue;
    }
    const int w = item.emptyCaption ? 0 : item.captionWidth + kBarItemPadding;
    const int left = rightToLeft ? x - w : x;
    rects.push_back(Rect{bar.left + left, bar.top, bar.left + left + w, bottom});
    x += rightToLeft ? -w : w;
  }
  return rects;
}

int HitMenuBarItem(std::span<const Rect> rects, std::span<const MenuBarEntry> items,
                   Point framePoint) {
  const std::size_t n = std::min(rects.size(), items.size());
  for (std::size_t i = 0; i < n; ++i)
    if (!items[i].emptyCaption && RectContains(rects[i], framePoint))
      return int(i);
  return -1;
}

wchar_t AcceleratorOf(std::wstring_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&')
      continue;
    if (caption[i + 1] != L'&')
      return caption[i + 1];
    ++i; // "&&" stands for the ampersand itself
  }
  return 0;
}

bool IsAccelerator(std::wstring_view caption, wchar_t key) {
  const wchar_t accel = AcceleratorOf(caption);
  return accel != 0 && key != 0 && std::towupper(wint_t(accel)) == std::towupper(wint_t(key));
}

std::vector<bool> TidySeparators(std::span<const DropDownEntry> entries) {
  std::vector<bool> visible;
  visible.reserve(entries.size());
  for (const DropDownEntry& e : entries)
    visible.push_back(e.visible);
  // Walking from the end: a separator shows only when a visible entry follows before the next
  // separator that shows, and a visible entry precedes it somewhere.
  bool entryFollows = false;
  for (std::size_t i = entries.size(); i-- > 0;) {
    if (!entries[i].separator) {
      entryFollows = entryFollows || entries[i].visible;
      continue;
    }
    visible[i] = entryFollows;
    if (entryFollows)
      entryFollows = false;
  }
  bool entryBefore = false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].separator)
      entryBefore = entryBefore || entries[i].visible;
    else if (!entryBefore)
      visible[i] = false;
  }
  return visible;
}

int MeasuredItemWidth(int width, int elementLeftWidth, bool hasImages, MenuKind kind) {
  const int column = !hasImages ? 35 : kind == MenuKind::Popup ? 12 : 10;
  return width + elementLeftWidth + column;
}

ItemSize MeasureItemByText(int textWidth, bool emptyText, int proposedHeight, int elementLeftWidth,
                           bool windows9x) {
  ItemSize size{textWidth + 26 + elementLeftWidth, emptyText ? 8 : proposedHeight + 4};
  if (windows9x)
    size.height += 4;
  return size;
}

int MenuGlyphSize(int imageWidth, bool hasImages, bool checked) {
  const int size = hasImages ? imageWidth : 16;
  return checked ? std::max(size, 16) : size;
}

MenuItemGeometry LayoutMenuItem(const Rect& item, const MenuItemMetrics& m) {
  MenuItemGeometry g;
  const int inset = kGlyphBoxInset + m.elementLeftWidth;
  const int top = item.top + kGlyphBoxInset;
  if (m.rightToLeft) {
    const int right = item.right - inset;
    g.glyph = m.line ? Rect{right, top, right, top}
                     : Rect{right - m.glyphSize, top, right, top + m.glyphSize};
    g.text = Rect{item.left + kGlyphBoxInset, item.top, g.glyph.left - kGlyphToText, item.bottom};
  } else {
    const int left = item.left + inset;
    g.glyph = m.line ? Rect{left, top, left, top}
                     : Rect{left, top, left + m.glyphSize, top + m.glyphSize};
    g.text = Rect{g.glyph.right + kGlyphToText, item.top, item.right - kGlyphBoxInset, item.bottom};
  }
  const int captionTop = item.top + (item.Height() - m.captionHeight) / 2;
  const int captionBottom = captionTop + m.captionHeight;
  if (m.rightToLeft) {
    g.caption = Rect{g.text.right - m.captionWidth, captionTop, g.text.right, captionBottom};
    g.shortcut = Rect{g.text.left + kShortcutInset, captionTop, g.caption.left, captionBottom};
  } else {
    g.caption = Rect{g.text.left, captionTop, g.text.left + m.captionWidth, captionBottom};
    g.shortcut = Rect{g.caption.right, captionTop, g.text.right - kShortcutInset, captionBottom};
  }
  return g;
}

Rect CheckMarkPlace(const Rect& glyph, int markWidth, int markHeight) {
  const int left = glyph.left + (glyph.Width() - markWidth) / 2 + 1;
  const int top = glyph.top + (glyph.Height() - markHeight) / 2 + 1;
  return Rect{left, top, left + markWidth, top + markHeight};
}

std::vector<SlicePiece> MenuSeparatorSlices(int imageWidth, int imageHeight, int cellCount,
                                            int leftWidth, int rightWidth, int width, int height) {
  std::vector<SlicePiece> pieces;
  if (cellCount < 2 || width <= 0 || height <= 0 || imageHeight <= 0)
    return pieces;
  const int cell = imageWidth / cellCount;
  if (cell <= 0)
    return pieces;
  // Margins wider than the cell or the item would take source or target from a neighbour.
  const int left = std::clamp(leftWidth, 0, std::min(cell, width));
  const int right = std::clamp(rightWidth, 0, std::min(cell - left, width - left));
  const int sourceTop = height < imageHeight ? imageHeight - height : 0;
  const int x0 = cell, x1 = 2 * cell;
  const SlicePiece all[3] = {
      {Rect{x0, sourceTop, x0 + left, imageHeight}, Rect{0, 0, left, height}},
      {Rect{x0 + left, sourceTop, x1 - right, imageHeight}, Rect{left, 0, width - right, height}},
      {Rect{x1 - right, sourceTop, x1, imageHeight}, Rect{width - right, 0, width, height}},
  };
  for (const SlicePiece& p : all)
    if (!p.source.Empty() && !p.target.Empty())
      pieces.push_back(p);
  return pieces;
}

ColourCode MenuItemTextColour(const TSkinColours& colours, bool enabled, bool selected) {
  if (!enabled)
    return colours.ButtonShadow == colours.MenuText ? clBtnShadow : colours.ButtonShadow;
  return selected ? colours.HilightText : colours.MenuText;
}

} // namespace vela::skin
