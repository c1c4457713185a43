#pragma once
// A 3 x 5 pixel font for labelling test pictures: capital letters, digits and a little
// punctuation (small letters are shown as capitals, anything else as "?").
#include <string_view>

#include "skin/data/raster.h"

namespace vela::test {

// Width in pixels of `text` drawn at `scale`, the gaps between letters included.
int TinyTextWidth(std::string_view text, int scale);
constexpr int TinyTextHeight(int scale) { return 5 * scale; }
// Draws `text` with its top-left corner at (x, y); pixels outside the raster are skipped.
void DrawTinyText(const skin::Raster& canvas, int x, int y, std::string_view text,
                  skin::Pixel colour, int scale);

} // namespace vela::test
