#pragma once
// Caption buttons and the title, as pure rules: when a skin's caption button is shown, where
// it goes, which cell it shows, what a click on it does, where the title text sits and where
// it is cut off. The frame skinner reads the window into a CaptionState and paints what these
// functions decide.
//
//   | icon |  title text ...           |  min  |  max  | close |
//   <-TextShift->                <-clip 5->      Align 1: Xcoord from the right edge
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "skin/data/elements.h"
#include "skin/forms/frame_geometry.h"

namespace vela::skin {

// What the visibility rules ask about the window.
struct CaptionState {
  bool systemMenu = false;
  bool maximizeBox = false;
  bool minimizeBox = false;
  bool maximized = false;
  bool active = true;
  // The class is "#32770" or "TMessageForm".
  bool dialogClass = false;
  BorderKind border = BorderKind::Single;
  // An MDI child of this window is active and maximised.
  bool mdiChildMaximized = false;
  int menuBarHeight = 0;
};

// Visibility codes 1000 to 2000 ask the application (SKM_BUTTONVISIBLE); the frame skinner
// passes a call that sends the message and says whether it answered above 0.
using AskButtonVisible = std::function<bool()>;

// The first show condition, from `Visibility`.
bool FirstVisibility(int visibility, int action, const CaptionState& state,
                     const AskButtonVisible& ask);
// The second show condition, from `Visibility1`.
bool SecondVisibility(int visibility, const CaptionState& state);
// A maximise or minimise button without its box, and a system-menu button on a dialog border,
// are never shown.
bool ActionVetoes(int action, const CaptionState& state);
// Both conditions, then the veto. `ask` is only called for codes 1000 to 2000.
bool CaptionButtonShown(const TDataSkinSysButton& button, const CaptionState& state,
                        const AskButtonVisible& ask);

// Visibility and Align 100: one of the MDI-child controls in the menu bar of an MDI frame.
constexpr int kMenuBarPlacement = 100;

// Actions with a fixed meaning.
constexpr bool IsSystemMenuIcon(int action) {
  return action == 3 || action == 11;
}

// Where the buttons are laid out from.
struct CaptionGeometry {
  int windowWidth = 0;
  // The title rectangle of the current paint (frame coordinates).
  Rect title;
  FrameWidths frame;
  int menuBarHeight = 0;
  // Left margin of the skin's menu-bar element, 0 without one.
  int menuBarLeftWidth = 0;
  bool rightToLeft = false;
};

// The rectangle of a shown button whose cells are `width` x `height`.
Rect LayoutCaptionButton(const TDataSkinSysButton& button, int width, int height,
                         const CaptionGeometry& geometry);

// The cell a button shows when the whole caption is painted: its first while the window is
// active or when the strip has fewer than four cells, else the fourth (inactive).
constexpr int CaptionButtonCell(bool active, int cellCount) {
  return active || cellCount < 4 ? 1 : 4;
}
// The cell for a button state (1 normal, 2 pressed, 3 hot); the MDI controls have their hot
// look in the fourth cell.
constexpr int CaptionButtonStateCell(int state, int visibility) {
  return visibility == kMenuBarPlacement && state == 3 ? 4 : state;
}

// A button as the hit test sees it.
struct CaptionButtonBox {
  Rect rect;
  bool visible = false;
  int action = 0;
};
// Index of the first button, in skin order, that is shown, has an action of 0 or more and
// contains the point; -1 for none.
int HitCaptionButton(std::span<const CaptionButtonBox> buttons, Point framePoint);

// The largest left edge of the shown right-aligned buttons (Align 1), 0 when none: the title
// stops short of it on popup windows.
int ButtonClip(std::span<const CaptionButtonBox> buttons, std::span<const int> aligns);

// What a released button does.
enum class CaptionCommand {
  Close,
  ToggleMaximize,
  ToggleMinimize,
  SystemMenu,
  MdiMinimize,
  MdiRestore,
  MdiClose,
  Application
};
CaptionCommand CommandForAction(int action);

// A double click anywhere on the frame.
enum class FrameDoubleClick { Restore, Maximize, Nothing };
FrameDoubleClick DoubleClickCommand(ShowState show, bool maximizeBox);

// A click on the system-menu icon opens the menu unless it follows the previous one within
// the double-click time (tick counts wrap, so the difference is taken unsigned).
constexpr bool OpensSystemMenu(std::uint32_t now, std::uint32_t lastClick,
                               std::uint32_t doubleClickTime) {
  return std::uint32_t(now - lastClick) > doubleClickTime;
}

// The skin's own system menu.
constexpr int kSystemPopupTag = 33333;
struct SystemPopupItem {
  std::wstring caption;
  int tag = 0;
  std::wstring shortcut;
};
enum SystemPopupTag { spRestore = 0, spMaximize = 1, spMinimize = 2, spClose = 3, spLine = 100 };
std::vector<SystemPopupItem> SystemPopupItems(bool maximizeBox, bool minimizeBox);
bool SystemPopupItemEnabled(int tag, ShowState show);

// Where the title goes.
struct TitleLayout {
  int textShift = 0;     // TextShift
  int textShiftVert = 0; // TextShiftVert
  int textRightClip = 0; // TextRightClip
  int alignment = 0;     // TextAlignment
  int backLeft = 0;      // TXTBackleft
  int backRight = 0;     // TXTBackRight
};
struct TitleWindow {
  bool rightToLeft = false;
  bool popupStyle = false; // the saved style has WS_POPUP
  int buttonClip = 0;      // from the previous layout
  bool dialogBorder = false;
};
TitleLayout TitleLayoutOf(const TDataSkinTitle& title);
// The title rectangle (its backing image included) for a text measuring `textWidth` x
// `textHeight` in the caption area `area`.
Rect PlaceTitle(const Rect& area, int textWidth, int textHeight, const TitleLayout& layout,
                const TitleWindow& window);
// The part of the title rectangle the text itself is drawn in.
constexpr Rect TitleTextRect(const Rect& title, const TitleLayout& layout) {
  return Rect{title.left + layout.backLeft, title.top, title.right - layout.backRight,
              title.bottom};
}

} // namespace vela::skin
