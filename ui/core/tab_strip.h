#pragma once
// A strip of tabs laid out side by side from a first visible tab on, as a tab set shows them.
//
//   start                                             limit
//     |[ tab f ][ tab f+1 ][ tab f+2 ]   [ tab f+3 would end past limit: not shown ]
//
// Tabs before the first visible index are scrolled off to the left; the strip stops at the
// first tab that would end past the limit, so a tab is either shown whole or not at all.
#include <span>
#include <vector>

namespace vela::ui {

struct TTabStripSlot {
  int Index = 0; // the tab's index in the whole list
  int Left = 0;
  int Right = 0; // exclusive
  friend bool operator==(const TTabStripSlot&, const TTabStripSlot&) = default;
};

struct TTabStripLayout {
  std::vector<TTabStripSlot> Slots;
  // True when every tab from the first visible one to the last was placed.
  bool ReachesEnd = true;
};

// Places tabs of the given widths from `firstIndex` on, starting at `start`, each ending at or
// before `limit`. A first index outside the list places nothing.
TTabStripLayout LayoutTabStrip(std::span<const int> widths, int firstIndex, int start, int limit);

// Whether the strip needs its scroll arrows: tabs are scrolled off to the left, or they do not
// all fit before `limit`. The arrows then take `arrowsWidth` off the strip's end.
bool TabStripNeedsArrows(std::span<const int> widths, int firstIndex, int start, int limit);

// The whole layout of a strip with arrows: when they are needed the limit moves `arrowsWidth`
// towards the start.
TTabStripLayout LayoutTabStripWithArrows(std::span<const int> widths, int firstIndex, int start, int limit,
                                         int arrowsWidth, bool* arrowsShown = nullptr);

// The last first index that still shows the last tab (scrolling further shows nothing new).
int LastUsefulFirstIndex(std::span<const int> widths, int start, int limit);

} // namespace vela::ui
