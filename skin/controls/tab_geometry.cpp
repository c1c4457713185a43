#include "skin/controls/tab_geometry.h"

#include "ui/core/tab_strip.h"

namespace vela::skin {

namespace {
// The tab-control style bits this layer reads (values of the common controls).
constexpr std::uint32_t kTcsBottomOrRight = 0x0002;
constexpr std::uint32_t kTcsVertical = 0x0080;

Rect Offset(Rect r, int dx, int dy) {
  return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
} // namespace

TabSide TabSideFromStyle(std::uint32_t style) {
  const bool second = (style & kTcsBottomOrRight) != 0;
  if (style & kTcsVertical)
    return second ? TabSide::Right : TabSide::Left;
  return second ? TabSide::Bottom : TabSide::Top;
}

Rect TabPaneRect(const Rect& display) {
  return Rect{display.left - 4, display.top - 4, display.right + 4, display.bottom + 4};
}

Rect TabStripRect(const Rect& w, const Rect& pane, TabSide side) {
  switch (side) {
  case TabSide::Top:
    return Offset(Rect{w.left, w.top, w.right, pane.top}, 0, 1);
  case TabSide::Bottom:
    return Offset(Rect{w.left, pane.bottom, w.right, w.bottom}, 0, -1);
  case TabSide::Left:
    return Offset(Rect{w.left, w.top, pane.left, w.bottom}, 1, 0);
  case TabSide::Right:
    return Offset(Rect{pane.right, w.top, w.right, w.bottom}, -1, 0);
  }
  return w;
}

Rect TabBufferBounds(const Rect& strip, TabSide side) {
  if (IsVerticalSide(side))
    return Rect{0, 0, strip.Height(), strip.Width()};
  return Rect{0, 0, strip.Width(), strip.Height()};
}

Rect TabRectInBuffer(const Rect& tab, const Rect& strip, TabSide side) {
  const Rect t = Offset(tab, -strip.left, -strip.top);
  switch (side) {
  case TabSide::Top:
  case TabSide::Bottom:
    return t;
  case TabSide::Left:
    // Turned counter-clockwise into place: buffer x = strip height - 1 - y, buffer y = x from
    // the window's edge.
    return Rect{strip.Height() - t.bottom, t.left, strip.Height() - t.top, t.right};
  case TabSide::Right:
    // Turned clockwise: buffer x = y, buffer y = distance from the window's right edge.
    return Rect{t.top, strip.Width() - t.right, t.bottom, strip.Width() - t.left};
  }
  return t;
}

Margins TabBorderMargins(TabSide side) {
  switch (side) {
  case TabSide::Top:
    return Margins{4, 5, 4, 4};
  case TabSide::Bottom:
    return Margins{4, 4, 4, 5};
  case TabSide::Left:
    // Turned counter-clockwise: the top margin comes to the left, the right one to the top.
    return Margins{5, 4, 4, 4};
  case TabSide::Right:
    return Margins{4, 4, 5, 4};
  }
  return Margins{4, 5, 4, 4};
}

std::vector<Rect> TabSetTabRects(std::span<const int> captionWidths, int firstIndex,
                                 int startMargin, int endMargin, int width, int height,
                                 bool arrowsVisible) {
  std::vector<int> widths(captionWidths.begin(), captionWidths.end());
  for (int& w : widths)
    w += kTabSetCaptionPadding;
  const int limit = width - endMargin - (arrowsVisible ? kTabSetArrowRoom : 0);
  std::vector<Rect> rects;
  for (const ui::TTabStripSlot& slot :
       ui::LayoutTabStrip(widths, firstIndex, startMargin, limit).Slots)
    rects.push_back(Rect{slot.Left, 0, slot.Right, height});
  return rects;
}

} // namespace vela::skin
