#include "skin/forms/caption_layout.h"

#include "skin/data/caption_buttons.h"

#include <algorithm>

namespace vela::skin {

namespace {

bool MdiControlsShown(const CaptionState& s) {
  return s.mdiChildMaximized && s.menuBarHeight > 0;
}
bool DialogBorderOfOrdinaryWindow(const CaptionState& s) {
  return !s.dialogClass && s.border == BorderKind::Dialog;
}

} // namespace

bool FirstVisibility(int visibility, int action, const CaptionState& s,
                     const AskButtonVisible& ask) {
  // Only these codes read differently from the second condition.
  switch (visibility) {
  case 0:
    return action != 0 || s.systemMenu;
  case 6:
    return s.maximizeBox && s.systemMenu;
  case 8:
    return s.minimizeBox && s.systemMenu;
  default:
    break;
  }
  if (visibility >= 1000 && visibility <= 2000)
    return ask && ask();
  return SecondVisibility(visibility, s);
}

bool SecondVisibility(int visibility, const CaptionState& s) {
  switch (visibility) {
  case 0:
    return true;
  case 1:
    return s.maximized;
  case 2:
    return !s.maximized;
  case 3:
    return s.active;
  case 4:
    return !s.active;
  case 5:
    return false;
  case 6:
    return s.maximizeBox;
  case 7:
    return !s.maximizeBox;
  case 8:
    return s.minimizeBox;
  case 9:
    return !s.minimizeBox;
  case kMenuBarPlacement:
    return MdiControlsShown(s);
  case 200:
    return DialogBorderOfOrdinaryWindow(s);
  default:
    break;
  }
  return visibility > 200 && visibility <= 2000;
}

bool ActionVetoes(int action, const CaptionState& s) {
  switch (action) {
  case 1:
    return !s.maximizeBox;
  case 2:
    return !s.minimizeBox;
  case 3:
  case 11:
  case 12:
    return s.border == BorderKind::Dialog;
  default:
    return false;
  }
}

bool CaptionButtonShown(const TDataSkinSysButton& b, const CaptionState& s,
                        const AskButtonVisible& ask) {
  // The cheap second condition first: the application is asked only when it matters.
  if (!SecondVisibility(b.Visibility1, s))
    return false;
  if (!FirstVisibility(b.Visibility, b.Action, s, ask))
    return false;
  return !ActionVetoes(b.Action, s);
}

Rect LayoutCaptionButton(const TDataSkinSysButton& b, int width, int height,
                         const CaptionGeometry& g) {
  int x = 0, y = 0;
  switch (b.Align) {
  case 0:
    x = b.Xcoord;
    y = b.Ycoord;
    break;
  case 1:
    x = g.windowWidth - b.Xcoord;
    y = b.Ycoord;
    break;
  case 2:
  case 8:
    x = g.title.left - width - b.Xcoord;
    y = b.Ycoord;
    break;
  case 3:
  case 9:
    x = g.title.right + b.Xcoord;
    y = b.Ycoord;
    break;
  case kMenuBarPlacement:
    y = (g.menuBarHeight - height) / 2 + g.frame.Top;
    x = g.rightToLeft ? b.Xcoord + g.frame.Left + g.menuBarLeftWidth
                      : g.windowWidth - b.Xcoord - g.frame.Right - g.menuBarLeftWidth;
    break;
  default:
    break;
  }
  return Rect{x, y, x + width, y + height};
}

int HitCaptionButton(std::span<const CaptionButtonBox> buttons, Point p) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const CaptionButtonBox& b = buttons[i];
    if (b.visible && b.action >= 0 && RectContains(b.rect, p))
      return int(i);
  }
  return -1;
}

int ButtonClip(std::span<const CaptionButtonBox> buttons, std::span<const int> aligns) {
  int clip = 0;
  const std::size_t n = std::min(buttons.size(), aligns.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (aligns[i] == 1 && buttons[i].visible)
      clip = std::max(clip, buttons[i].rect.left);
  }
  return clip;
}

CaptionCommand CommandForAction(int action) {
  switch (action) {
  case 0:
    return CaptionCommand::Close;
  case 1:
  case 22:
    return CaptionCommand::ToggleMaximize;
  case 2:
  case 23:
    return CaptionCommand::ToggleMinimize;
  case 3:
  case 11:
  case 12:
    return CaptionCommand::SystemMenu;
  case kMdiButtonActions[0]:
  case 60:
    return CaptionCommand::MdiMinimize;
  case kMdiButtonActions[1]:
  case 61:
    return CaptionCommand::MdiRestore;
  case kMdiButtonActions[2]:
  case 62:
    return CaptionCommand::MdiClose;
  default:
    return CaptionCommand::Application;
  }
}

FrameDoubleClick DoubleClickCommand(ShowState show, bool maximizeBox) {
  if (show != ShowState::Normal)
    return FrameDoubleClick::Restore;
  return maximizeBox ? FrameDoubleClick::Maximize : FrameDoubleClick::Nothing;
}

std::vector<SystemPopupItem> SystemPopupItems(bool maximizeBox, bool minimizeBox) {
  std::vector<SystemPopupItem> items;
  items.push_back({L" Restore ", spRestore, L""});
  if (maximizeBox)
    items.push_back({L" Maximize ", spMaximize, L""});
  if (minimizeBox)
    items.push_back({L" Minimize ", spMinimize, L""});
  items.push_back({L"-", spLine, L""});
  items.push_back({L" Close ", spClose, L"Shift+F4"});
  return items;
}

bool SystemPopupItemEnabled(int tag, ShowState show) {
  switch (tag) {
  case spRestore:
    return show != ShowState::Normal;
  case spMaximize:
    return show != ShowState::Maximized;
  case spMinimize:
    return show != ShowState::Minimized;
  default:
    return true;
  }
}

TitleLayout TitleLayoutOf(const TDataSkinTitle& t) {
  return TitleLayout{t.LeftWidth,     t.TopHeight,   t.RightWidth,
                     t.TextAlignment, t.TXTBackleft, t.TXTBackRight};
}

Rect PlaceTitle(const Rect& area, int textWidth, int textHeight, const TitleLayout& l,
                const TitleWindow& w) {
  Rect box{area.left, area.top, area.left + textWidth + l.backLeft + l.backRight,
           area.top + textHeight};
  const int alignment = w.rightToLeft ? 2 : l.alignment;
  int dx = 0;
  switch (alignment) {
  case 0:
    dx = l.textShift;
    break;
  case 1:
    dx = (area.Width() - box.Width()) / 2;
    break;
  case 2:
    dx = area.Width() - l.textRightClip - box.Width();
    break;
  default:
    break;
  }
  const int dy = (area.Height() - box.Height()) / 2 + l.textShiftVert / 2;
  box = Rect{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
  if (w.popupStyle) {
    if (w.buttonClip > 5 && w.buttonClip - 5 < box.right)
      box.right = w.buttonClip - 5;
  } else if (area.right - l.textRightClip < box.right) {
    box.right = area.right - l.textRightClip;
  }
  if (w.dialogBorder && l.alignment == 0)
    box.left -= 16;
  return box;
}

} // namespace vela::skin
