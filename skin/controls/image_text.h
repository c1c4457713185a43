#pragma once
// An image of an image list and a single line of text, laid out in an item rectangle the way
// tab and header items show them (PlaceImageText).
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace vela::skin {

// Draws `text` (nothing at all when it is empty) and, when `imageIndex` is not -1 and the list
// has images narrower than the item, the image before it, both centred vertically and aligned
// by `alignment` (0 left, 1 centre, 2 right). The text is drawn on a transparent background
// in the DC's font and text colour, or in the button-shadow colour when not `enabled`.
void DrawImageText(HDC dc, const RECT& rect, int alignment, const std::wstring& text, int imageIndex,
                   HIMAGELIST images, bool enabled);

} // namespace vela::skin
