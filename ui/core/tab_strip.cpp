#include "ui/core/tab_strip.h"

namespace vela::ui {

TTabStripLayout LayoutTabStrip(std::span<const int> widths, int firstIndex, int start, int limit) {
  TTabStripLayout layout;
  if (firstIndex < 0 || firstIndex >= int(widths.size())) {
    layout.ReachesEnd = firstIndex >= 0 || widths.empty();
    return layout;
  }
  int x = start;
  for (int i = firstIndex; i < int(widths.size()); ++i) {
    const int right = x + widths[std::size_t(i)];
    if (right > limit) {
      layout.ReachesEnd = false;
      break;
    }
    layout.Slots.push_back(TTabStripSlot{i, x, right});
    x = right;
  }
  return layout;
}

bool TabStripNeedsArrows(std::span<const int> widths, int firstIndex, int start, int limit) {
  return firstIndex > 0 || !LayoutTabStrip(widths, firstIndex, start, limit).ReachesEnd;
}

TTabStripLayout LayoutTabStripWithArrows(std::span<const int> widths, int firstIndex, int start, int limit,
                                         int arrowsWidth, bool* arrowsShown) {
  const bool arrows = TabStripNeedsArrows(widths, firstIndex, start, limit);
  if (arrowsShown) *arrowsShown = arrows;
  return LayoutTabStrip(widths, firstIndex, start, arrows ? limit - arrowsWidth : limit);
}

int LastUsefulFirstIndex(std::span<const int> widths, int start, int limit) {
  // Going back from the last tab, the first index is the earliest from which the rest fits.
  int first = int(widths.size()) - 1;
  int used = 0;
  for (int i = int(widths.size()) - 1; i >= 0; --i) {
    used += widths[std::size_t(i)];
    if (start + used > limit) break;
    first = i;
  }
  return first < 0 ? 0 : first;
}

} // namespace vela::ui
