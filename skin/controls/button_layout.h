#pragma once
// Where the glyph and the caption of a button go, and where a measured caption box sits in
// its rectangle. Sizes are measured by the caller (the text with DT_CALCRECT); these functions
// only place them. Divisions truncate toward zero, so a box larger than its room moves up or
// left by half the excess.
#include <string>
#include <string_view>

#include "skin/data/raster.h"

namespace vela::skin {

struct Size {
  int x = 0, y = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Point {
  int x = 0, y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

// The "Layout" property of bitmap and speed buttons: where the glyph sits beside the caption.
enum class GlyphLayout { Left, Right, Top, Bottom };

// From the property's identifier ("blGlyphLeft", ... in any letter case); anything else is the
// default, the glyph on the left.
GlyphLayout ParseGlyphLayout(std::string_view identifier);

struct GlyphAndCaption {
  Point Glyph;
  Point Text;
  friend constexpr bool operator==(const GlyphAndCaption&, const GlyphAndCaption&) = default;
};

// Glyph and caption in a client area of size `client`, along the layout's axis:
//
//   Left:   | margin | glyph | spacing | text |            Right: mirror image of Left
//   Top:    margin, glyph, spacing, text from the top       Bottom: mirror image of Top
//
// Across the axis each is centred on its own ((C - size + 1) div 2). A margin or spacing of -1
// means "choose": both -1 share the free room in three equal parts (margin, spacing, and what
// is left after the text); a chosen margin alone centres glyph, spacing and text together (one
// pixel further for speed buttons); a chosen spacing alone splits the room after the margin
// and glyph evenly around the text. Without a glyph (no width) or without text (no width) the
// spacing is 0.
GlyphAndCaption LayoutGlyphAndCaption(Size client, Size glyph, Size text, GlyphLayout layout,
                                      int margin, int spacing, bool speedButton);

// A button caption with every "||" turned into a line break.
std::wstring ButtonCaptionLines(std::wstring_view caption);

// Where a caption box measured as `text` (width and height) is drawn in `area`: centred
// horizontally when `centred`, else as wide as the area; moved down by half the free height
// minus one, so a single line sits one pixel above the middle.
Rect CaptionBox(const Rect& area, Size text, bool centred);

// Where the image of a tab or header item starts: 2 pixels in for alignment 0 (left), half
// the free width for 1 (centre), the free width less 2 for 2 (right), never less than 2. The
// free width is what the text and the image leave of the item.
int ImageTextStart(int alignment, int itemWidth, int textWidth, int imageWidth);

} // namespace vela::skin
