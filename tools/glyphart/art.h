#pragma once
// The update tool's own pictures: four button glyphs in one family (a round badge in the
// action's colour with a white symbol), the window icon (a firmware chip receiving an upward
// arrow) and the monochrome glyphs of the skinned window menu.
#include "tools/glyphart/paint.h"

namespace vela::tools {

enum class Glyph { Connect, Close, Application, Upgrade };

Image DrawGlyph(Glyph which, int size);
Image DrawIcon(int size);

// The four glyphs of the window menu the skin engine draws, black on nothing, meant to be
// turned into a monochrome strip in this order.
enum class MenuGlyph { Restore, Maximize, Minimize, Close };
Image DrawMenuGlyph(MenuGlyph which, int size);

} // namespace vela::tools
