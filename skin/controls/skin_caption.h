#pragma once
// DrawCaption: the caption of a control skinner drawn into a rectangle, measured first and
// placed the way every skinned caption is placed (a single line one pixel above the middle).
#include <windows.h>

#include <string_view>

namespace vela::skin {

// Draws `text` with the DC's selected font on a transparent background. `align` is DT_LEFT,
// DT_CENTER or DT_RIGHT: centred text is centred across the rectangle, any other keeps the
// rectangle's width and leaves the placement to the flag. A disabled caption is drawn in the
// system's button-shadow colour, an enabled one in the DC's text colour.
void DrawCaption(HDC dc, const RECT& rect, UINT align, bool enabled, std::wstring_view text);

} // namespace vela::skin
