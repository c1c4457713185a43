#pragma once
// Menu geometry as pure rules: where the items of a skinned menu bar go and which one a point
// hits, how wide an owner-drawn menu item is measured, and where the parts of one item are
// painted. The painters measure the texts and draw what these functions place.
//
//   menu bar:   |start| File | Edit | View |          (x advances by text width + 10)
//
//   item:       +-+------+---+------------------------------+-----------+----+-+
//               | | glyph|   | caption                      |  shortcut | 10 | |
//               +-+------+---+------------------------------+-----------+----+-+
//               1 + element  3                                 right-aligned   1
//               left width
#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "skin/data/colours.h"
#include "skin/data/raster.h"
#include "skin/forms/frame_geometry.h"

namespace vela::skin {

// ---- menu bar

// The skin's menu-bar element as the layout needs it.
struct MenuBarSkin {
  bool hasElement = false;
  int leftWidth = 1;  // TileLeftMenu
  int rightWidth = 1; // TileRightMenu
};

// Where the first item starts, measured from the bar's leading edge (the right edge for a
// right-to-left menu). A start that would leave the bar falls back to 12.
int MenuBarStart(const MenuBarSkin& skin, int barWidth, bool rightToLeft);

// One top-level item, its caption measured in the menu font.
struct MenuBarEntry {
  int captionWidth = 0;
  bool emptyCaption = false;
  bool visible = true;
};

// The items' rectangles in frame coordinates, in menu order, for a bar at `bar` (frame
// coordinates). A hidden item gets an empty rectangle; an empty caption a zero-width one. The
// bar is one strip: items that do not fit run past its end and are clipped by the painting.
std::vector<Rect> LayoutMenuBar(std::span<const MenuBarEntry> items, const Rect& bar, int start,
                                bool rightToLeft);

// Index of the first item whose rectangle holds the frame point and whose caption is not
// empty; -1 for none.
int HitMenuBarItem(std::span<const Rect> rects, std::span<const MenuBarEntry> items,
                   Point framePoint);

// The accelerator character of a caption: the one after a single '&' ("&&" is a literal
// ampersand); 0 when there is none.
wchar_t AcceleratorOf(std::wstring_view caption);
// Whether `key` is the caption's accelerator, ignoring case.
bool IsAccelerator(std::wstring_view caption, wchar_t key);

// The entries of a drop-down as its separators are tidied before it opens.
struct DropDownEntry {
  bool separator = false; // the caption is "-"
  bool visible = true;
};
// The visibility of every entry after tidying: between two visible entries that are not
// separators only the last separator of the run shows; separators before the first and after
// the last such entry are hidden. Hidden entries do not end a run; other entries keep their
// visibility.
std::vector<bool> TidySeparators(std::span<const DropDownEntry> entries);

// ---- owner-drawn items

// What the skin's MenuItem element adds to a measured item: its left width (0 without the
// element), then a popup item 12 and a main-menu item 10, or 35 for either when its menu has
// no image list.
enum class MenuKind { Popup, MainMenu };
int MeasuredItemWidth(int width, int elementLeftWidth, bool hasImages, MenuKind kind);

struct ItemSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const ItemSize&, const ItemSize&) = default;
};
// An item known only by its text (a foreign menu's entry): the text width + 26 + the element's
// left width; the height the system proposed + 4, or 8 for an empty text (a separator); the
// older Windows family adds 4 more.
ItemSize MeasureItemByText(int textWidth, bool emptyText, int proposedHeight, int elementLeftWidth,
                           bool windows9x);

// Menu command ids from 1 to 4095 are a program's own; an item with such an id that the form's
// menus do not know is left to the system, anything above is measured and drawn from its text.
constexpr bool IsOwnCommandId(unsigned id) {
  return id >= 1 && id < 4096;
}

// The side of the glyph box: the image list's width (16 without one); a checked item's box is
// at least 16 so that the check mark fits.
int MenuGlyphSize(int imageWidth, bool hasImages, bool checked);

// The cell of the MenuItem element behind an item: the fourth when selected, else the first.
constexpr int MenuItemCell(bool selected) {
  return selected ? 4 : 1;
}

struct MenuItemMetrics {
  int glyphSize = 16;
  int elementLeftWidth = 0; // 0 without a MenuItem element
  int captionWidth = 0;     // measured with DT_CALCRECT
  int captionHeight = 0;
  bool line = false; // the caption is "-"
  bool rightToLeft = false;
};

struct MenuItemGeometry {
  Rect glyph;    // empty for a line
  Rect text;     // the band the caption and the shortcut share
  Rect caption;  // the measured caption, centred vertically in the item
  Rect shortcut; // where the shortcut is drawn (right-aligned, or left-aligned when mirrored)
};

MenuItemGeometry LayoutMenuItem(const Rect& item, const MenuItemMetrics& metrics);

// Where a check mark of the given size goes: centred in the glyph box, one pixel right and
// down.
Rect CheckMarkPlace(const Rect& glyph, int markWidth, int markHeight);

// The skin's separator: cell 2 of the MenuItem strip, its bottom rows (as many as the item is
// high) cut in three - the left margin, the middle and the right margin - each stretched to
// the item's height. Pieces with no area are left out.
struct SlicePiece {
  Rect source;
  Rect target;
};
std::vector<SlicePiece> MenuSeparatorSlices(int imageWidth, int imageHeight, int cellCount,
                                            int leftWidth, int rightWidth, int width, int height);

// The text colour of an item: highlight text when selected, menu text otherwise, and for a
// disabled item the skin's button shadow, or the system's when the skin's equals its menu
// text (the item would not look disabled).
ColourCode MenuItemTextColour(const TSkinColours& colours, bool enabled, bool selected);

} // namespace vela::skin
