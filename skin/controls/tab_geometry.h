#pragma once
// Where a skinned tab control draws: which side its tabs are on, the strip between the window
// edge and the pane, where each tab lands in the strip's back buffer, and the margins of the
// pane border; and the tabs of a tab set.
//
// Tabs on the left or right are composed in a buffer laid on its side, as if they were on top,
// and the buffer is turned into place afterwards:
//
//   left (turned counter-clockwise)      right (turned clockwise)
//   buffer x runs bottom to top          buffer x runs top to bottom
//   buffer top is the window's edge      buffer top is the window's edge
#include "skin/data/elements.h"
#include "skin/data/raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vela::skin {

enum class TabSide { Top = 0, Bottom = 1, Left = 2, Right = 3 };

// TCS_VERTICAL with TCS_RIGHT (the same bit as TCS_BOTTOM): right; TCS_VERTICAL: left;
// TCS_BOTTOM: bottom; otherwise top.
TabSide TabSideFromStyle(std::uint32_t style);
constexpr bool IsVerticalSide(TabSide side) {
  return side == TabSide::Left || side == TabSide::Right;
}

// The pane as the skinner sees it: the display rectangle grown by 4 on every side.
Rect TabPaneRect(const Rect& displayRect);

// The tab strip: the part of the window between its edge and the pane on the tabs' side,
// moved 1 pixel toward the pane so that the selected tab meets the pane's border.
Rect TabStripRect(const Rect& window, const Rect& pane, TabSide side);

// The size of the strip's back buffer: the strip's own, or turned on its side for left and
// right tabs.
Rect TabBufferBounds(const Rect& strip, TabSide side);

// A tab's rectangle (window coordinates) in the back buffer of `strip`.
Rect TabRectInBuffer(const Rect& tab, const Rect& strip, TabSide side);

// The margins of the pane border image, 4, 5, 4, 4 (left, top, right, bottom) for tabs on top,
// following the image as it is turned or flipped to the tabs' side.
Margins TabBorderMargins(TabSide side);

// The cell of the "Tabs" strip: 2 for the focused tab, 1 for the others.
constexpr int TabCell(bool focused) {
  return focused ? 2 : 1;
}

// A tab set's strip as its skinner draws it: each tab from the first visible one on is as
// wide as its caption plus 9 pixels and as high as the control, from the start margin on,
// and is drawn only while it ends before the width less the end margin (less 21 more while
// the tab set's arrows are showing).
constexpr int kTabSetCaptionPadding = 9;
constexpr int kTabSetArrowRoom = 21;
std::vector<Rect> TabSetTabRects(std::span<const int> captionWidths, int firstIndex,
                                 int startMargin, int endMargin, int width, int height,
                                 bool arrowsVisible);

} // namespace vela::skin
