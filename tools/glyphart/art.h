#pragma once
// The update tool's own pictures: four button glyphs in one family (a round badge in the
// action's colour with a white symbol) and the window icon (a firmware chip receiving an
// upward arrow).
#include "tools/glyphart/paint.h"

namespace vela::tools {

enum class Glyph { Connect, Close, Application, Upgrade };

Image DrawGlyph(Glyph which, int size);
Image DrawIcon(int size);

} // namespace vela::tools
