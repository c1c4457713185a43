#pragma once
// Painting routines the control skinners share: the caption drawn the way every skinned
// caption is placed, and a one-pixel frame or a fill in a colour.
#include <windows.h>

#include <string_view>

namespace vela::skin {

// Draws `text` with the DC's selected font on a transparent background, measured first and
// placed as CaptionBox places it (a single line one pixel above the middle). `align` is
// DT_LEFT, DT_CENTER or DT_RIGHT: centred text is centred across the rectangle, any other
// keeps the rectangle's width and leaves the placement to the flag. A disabled caption is drawn
// in the system's button-shadow colour, an enabled one in the DC's text colour. The DC's
// state is as it was afterwards.
void DrawCaption(HDC dc, const RECT& rect, UINT align, bool enabled, std::wstring_view text);

// A one-pixel frame of `colour` just inside `rect`.
void FrameWithColour(HDC dc, const RECT& rect, COLORREF colour);

// `rect` filled with `colour`.
void FillWithColour(HDC dc, const RECT& rect, COLORREF colour);

} // namespace vela::skin
