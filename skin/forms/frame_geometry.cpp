#include "skin/forms/frame_geometry.h"

namespace vela::skin {

FrameWidths FrameWidthsFromBorders(const TDataSkinBorder& left, const TDataSkinBorder& top,
                                   const TDataSkinBorder& right, const TDataSkinBorder& bottom,
                                   BorderKind kind) {
  if (kind == BorderKind::None)
    return {};
  return FrameWidths{CellExtent(left.Bitmap.Width(), left.FrameCount),
                     CellExtent(top.Bitmap.Height(), top.FrameCount),
                     CellExtent(right.Bitmap.Width(), right.FrameCount),
                     CellExtent(bottom.Bitmap.Height(), bottom.FrameCount)};
}

BorderKind ClassifyBorder(std::uint32_t style, std::uint32_t exStyle, bool dialogClass) {
  BorderKind kind = BorderKind::Single;
  if ((style & wstyle::kPopup) && (style & wstyle::kCaption) != wstyle::kCaption)
    kind = BorderKind::None;
  else if (style & wstyle::kThickFrame)
    kind = BorderKind::Sizeable;
  else if (style & wstyle::kDsModalFrame)
    kind = BorderKind::Dialog;
  if (exStyle & wstyle::kExDlgModalFrame)
    kind = BorderKind::Dialog;
  if (dialogClass)
    kind = BorderKind::Dialog;
  return kind;
}

unsigned CaptionFlagsFromStyle(std::uint32_t style, bool hasSystemMenu) {
  unsigned flags = 0;
  if ((style & wstyle::kSysMenu) || hasSystemMenu)
    flags |= cfSystemMenu;
  if (style & wstyle::kMinimizeBox)
    flags |= cfMinimizeBox;
  if (style & wstyle::kMaximizeBox)
    flags |= cfMaximizeBox;
  return flags;
}

ShowState ShowStateFromShowCmd(unsigned showCmd) {
  switch (showCmd) {
  case 2: // SW_SHOWMINIMIZED
  case 6: // SW_MINIMIZE
  case 7: // SW_SHOWMINNOACTIVE
    return ShowState::Minimized;
  case 3: // SW_SHOWMAXIMIZED
    return ShowState::Maximized;
  default:
    return ShowState::Normal;
  }
}

ShowState ShowStateFromSizeType(unsigned sizeType, ShowState current) {
  switch (sizeType) {
  case 0:
    return ShowState::Normal; // SIZE_RESTORED
  case 1:
    return ShowState::Minimized; // SIZE_MINIMIZED
  case 2:
    return ShowState::Maximized; // SIZE_MAXIMIZED
  default:
    return current;
  }
}

std::uint32_t CaptionStyle(std::uint32_t style, bool restore, unsigned& flags,
                           bool ownedOrMdiChild) {
  if (restore) {
    if (flags & cfSystemMenu)
      style |= wstyle::kSysMenu;
    if (flags & cfMinimizeBox)
      style |= wstyle::kMinimizeBox;
    if (flags & cfMaximizeBox)
      style |= wstyle::kMaximizeBox;
    if (flags & cfCaptionRemoved)
      style |= wstyle::kCaption;
  } else if (ownedOrMdiChild) {
    style &= ~(wstyle::kSysMenu | wstyle::kMinimizeBox | wstyle::kMaximizeBox);
  } else {
    flags |= cfCaptionRemoved;
    style &= ~wstyle::kCaption;
  }
  return style;
}

Rect SkinClientRect(const Rect& window, const FrameWidths& frame, int menuBarHeight) {
  return Rect{window.left + frame.Left, window.top + frame.Top + menuBarHeight,
              window.right - frame.Right, window.bottom - frame.Bottom};
}

int SkinHitTest(int previous, Point framePoint, int topHeight) {
  if (previous != hittest::kNowhere && previous != hittest::kCaption)
    return previous;
  int answer = previous;
  if (framePoint.y > 3)
    answer = hittest::kCaption;
  if (framePoint.y > topHeight)
    answer = hittest::kMenu;
  return answer;
}

Point ClientToFrame(Point client, const FrameWidths& frame, int menuBarHeight, bool minimized) {
  if (minimized)
    return client;
  return Point{client.x + frame.Left, client.y + frame.Top + menuBarHeight};
}

DialogWidening WidenForTitle(int width, int textShift, int titleWidth, int textRightClip) {
  const int needed = textShift + titleWidth + textRightClip;
  if (width >= needed)
    return DialogWidening{width, 0};
  return DialogWidening{needed, (needed - width) / 2};
}

} // namespace vela::skin
