#pragma once
// A mock-up of the update tool's window painted with the default skin's images, for judging
// the art as a whole. Text is shown as grey bars: this is about shapes and colours.
#include "tools/skinart/canvas.h"
#include "tools/skinart/default_skin.h"

namespace vela::tools {

// The window's client area is width x height; the frame is added around it.
Canvas DrawPreview(const DefaultSkin& skin, int width, int height, bool active);

} // namespace vela::tools
