#include "skin/controls/combo_geometry.h"

namespace vela::skin {

namespace {
// Pixels between the end of the edit area and the button column.
constexpr int kEditGap = 4;
// Pixels the frame keeps around the edit area, and the glyph keeps from the outer edge.
constexpr int kInset = 2;
} // namespace

ComboParts ComboLayout(const Rect& r, int style, bool buttonOnLeft, int scrollArrowWidth,
                       int thumbWidth) {
  ComboParts parts;
  if (style == 2) {
    parts.Frame = r;
    parts.Button = r;
    parts.Glyph = r;
    parts.Edit = Rect{r.left + kInset, r.top + kInset, r.right - kInset, r.bottom - kInset};
    return parts;
  }
  if (style == 1) {
    parts.Frame = Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    parts.Button =
        Rect{r.right - kInset - thumbWidth, r.top + kInset, r.right - kInset, r.bottom - kInset};
    parts.Glyph = parts.Button;
    parts.Edit = Rect{r.left + kInset, r.top + kInset, parts.Button.left, r.bottom - kInset};
    return parts;
  }
  const int column = scrollArrowWidth + 2;
  parts.Frame = r;
  if (buttonOnLeft) {
    parts.Button = Rect{r.left, r.top, r.left + column, r.bottom};
    parts.Glyph = Rect{parts.Button.left + kInset, r.top, parts.Button.right, r.bottom};
    parts.Edit =
        Rect{parts.Button.right + kEditGap, r.top + kInset, r.right - kInset, r.bottom - kInset};
  } else {
    parts.Button = Rect{r.right - column, r.top, r.right, r.bottom};
    parts.Glyph = Rect{parts.Button.left, r.top, parts.Button.right - kInset, r.bottom};
    parts.Edit =
        Rect{r.left + kInset, r.top + kInset, parts.Button.left - kEditGap, r.bottom - kInset};
  }
  return parts;
}

} // namespace vela::skin
