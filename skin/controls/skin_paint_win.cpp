#include "skin/controls/skin_paint.h"

#include "skin/controls/button_layout.h"
#include "skin/data/skin_text_win.h"
#include "ui/graphics.h"

namespace vela::skin {

void DrawCaption(HDC dc, const RECT& rect, UINT align, bool enabled, std::wstring_view text) {
  const ui::TDCStateSaver saved(dc);
  SetBkMode(dc, TRANSPARENT);
  RECT measured = rect;
  DrawSkinText(dc, text, measured, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | align);
  const Rect box = CaptionBox(Rect{rect.left, rect.top, rect.right, rect.bottom},
                              Size{measured.right - measured.left, measured.bottom - measured.top},
                              align == DT_CENTER);
  if (!enabled)
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  RECT target{box.left, box.top, box.right, box.bottom};
  DrawSkinText(dc, text, target, DT_EXPANDTABS | align);
}

void FrameWithColour(HDC dc, const RECT& rect, COLORREF colour) {
  const ui::TGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  FrameRect(dc, &rect, brush.Get());
}

void FillWithColour(HDC dc, const RECT& rect, COLORREF colour) {
  const ui::TGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.Get());
}

} // namespace vela::skin
