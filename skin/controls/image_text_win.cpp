#include "skin/controls/image_text.h"

#include "skin/controls/header_layout.h"
#include "skin/data/skin_text_win.h"

namespace vela::skin {

void DrawImageText(HDC dc, const RECT& rect, int alignment, const std::wstring& text, int imageIndex,
                   HIMAGELIST images, bool enabled) {
  if (text.empty())
    return;
  constexpr UINT kFlags = DT_END_ELLIPSIS | DT_EXPANDTABS | DT_SINGLELINE;
  Size image{};
  if (imageIndex != -1 && images) {
    int cx = 0, cy = 0;
    if (ImageList_GetIconSize(images, &cx, &cy))
      image = Size{cx, cy};
  }
  RECT measured{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  DrawSkinText(dc, text, measured, kFlags | DT_CALCRECT | DT_NOCLIP);
  const ImageTextPlacement place =
      PlaceImageText(Rect{rect.left, rect.top, rect.right, rect.bottom}, alignment,
                     Size{measured.right - measured.left, measured.bottom - measured.top}, image);
  if (place.ShowImage)
    ImageList_Draw(images, imageIndex, dc, place.Image.x, place.Image.y, ILD_TRANSPARENT);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = enabled ? CLR_INVALID : SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  RECT textRect{place.Text.left, place.Text.top, place.Text.right, place.Text.bottom};
  DrawSkinText(dc, text, textRect, kFlags);
  if (oldColour != CLR_INVALID)
    SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

} // namespace vela::skin
