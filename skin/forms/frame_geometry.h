#pragma once
// Geometry of a skinned frame: border widths from the skin, the kind of border a window has,
// its caption bits, where its client area lies and how it must be sized to keep that area.
// Pure functions on numbers; the frame skinner feeds them what it reads from the window.
//
//   +---+---------------- Top (top height) ---------------+---+
//   | L |                menu bar (optional)              | R |
//   | e +-------------------------------------------------+ i |
//   | f |                     client                      | g |
//   | t |                                                 | h |
//   +---+------------------- Bottom ----------------------+---+
//
// The Left and Right strips run the full window height, so their top margins form the corners
// of the caption.
#include <cstdint>

#include "skin/data/elements.h"
#include "skin/data/raster.h"

namespace vela::skin {

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

constexpr bool RectContains(const Rect& r, Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Window style bits the geometry reads (the values of the system's constants).
namespace wstyle {
constexpr std::uint32_t kMaximizeBox = 0x00010000;
constexpr std::uint32_t kMinimizeBox = 0x00020000;
constexpr std::uint32_t kThickFrame = 0x00040000;
constexpr std::uint32_t kSysMenu = 0x00080000;
constexpr std::uint32_t kCaption = 0x00C00000;
constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kPopup = 0x80000000;
constexpr std::uint32_t kDsModalFrame = 0x80;
constexpr std::uint32_t kExDlgModalFrame = 0x1;
constexpr std::uint32_t kExMdiChild = 0x40;
constexpr std::uint32_t kExLeftScrollBar = 0x4000;
} // namespace wstyle

// Hit-test codes the frame skinner answers with.
namespace hittest {
constexpr int kNowhere = 0;
constexpr int kCaption = 2;
constexpr int kMenu = 5;
} // namespace hittest

enum class BorderKind { Sizeable = 0, Single = 1, None = 2, Dialog = 3 };
enum class ShowState { Normal = 0, Maximized = 1, Minimized = 2 };

// Caption flags: which caption bits the window had when it was skinned, and whether the
// skinner took WS_CAPTION away.
enum CaptionFlagBits : unsigned {
  cfMaximizeBox = 1,
  cfMinimizeBox = 2,
  cfSystemMenu = 8,
  cfCaptionRemoved = 16
};

// Left border, caption height, right border and bottom border.
struct FrameWidths {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const FrameWidths&, const FrameWidths&) = default;
};

// One cell's extent along the direction the cells are laid out. A skin that claims no cells
// (a broken "Frame" key of 0 or less) is read as one cell rather than divided by zero.
constexpr int CellExtent(int size, int frameCount) {
  return size / (frameCount > 0 ? frameCount : 1);
}

// The top and bottom strips stack their cells vertically, the side strips side by side. A
// window without a border has no frame at all.
FrameWidths FrameWidthsFromBorders(const TDataSkinBorder& left, const TDataSkinBorder& top,
                                   const TDataSkinBorder& right, const TDataSkinBorder& bottom,
                                   BorderKind kind);

// A popup without the full caption has no border; otherwise a thick frame is sizeable, a
// modal-frame dialog style is a dialog border, anything else single. The dialog extended
// style and the dialog window classes force a dialog border.
BorderKind ClassifyBorder(std::uint32_t style, std::uint32_t exStyle, bool dialogClass);

// Caption flags from the style: the system-menu flag also when the window has a system menu
// without the style bit.
unsigned CaptionFlagsFromStyle(std::uint32_t style, bool hasSystemMenu);

// The show state from WINDOWPLACEMENT.showCmd: 2, 6 and 7 minimised, 3 maximised.
ShowState ShowStateFromShowCmd(unsigned showCmd);
// The show state from WM_SIZE's wParam; `current` for the kinds that say nothing about it.
ShowState ShowStateFromSizeType(unsigned sizeType, ShowState current);

// The style after SetCaptionStyle: restoring puts back the bits the flags remember; stripping
// takes the caption away (and records that in the flags), or only the caption buttons for an
// owned window or an MDI child, whose caption the system keeps.
std::uint32_t CaptionStyle(std::uint32_t style, bool restore, unsigned& flags,
                           bool ownedOrMdiChild);

// The client area inside a window placed at `window` (WM_NCCALCSIZE).
Rect SkinClientRect(const Rect& window, const FrameWidths& frame, int menuBarHeight);

// The skinner's answer to WM_NCHITTEST after the previous procedure said `previous`: it only
// overrides "nowhere" and "caption", with the caption below the top three rows and the menu
// bar below the caption. `framePoint` is relative to the window's top-left corner.
int SkinHitTest(int previous, Point framePoint, int topHeight);

// A client point moved into frame coordinates (relative to the window's top-left corner); a
// minimised window has no skinned frame, so its points stay where they are.
Point ClientToFrame(Point client, const FrameWidths& frame, int menuBarHeight, bool minimized);

// The border cell to paint: the first while active or when the strip has one cell only.
constexpr int BorderCell(bool active, int frameCount) {
  return active || frameCount <= 1 ? 1 : 2;
}

struct Size {
  int cx = 0, cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// The window size that gives the client area `client` inside the skin frame.
constexpr Size SkinWindowSize(Size client, const FrameWidths& frame, int menuBarHeight) {
  return Size{client.cx + frame.Left + frame.Right,
              client.cy + frame.Top + frame.Bottom + menuBarHeight};
}

// The window size that keeps the client area when the skin frame is taken away and the
// system frame, `systemFrame` (window size minus client size at attach), comes back.
constexpr Size SystemWindowSize(Size window, const FrameWidths& frame, int menuBarHeight,
                                Size systemFrame) {
  return Size{window.cx + systemFrame.cx - frame.Left - frame.Right,
              window.cy + systemFrame.cy - frame.Top - menuBarHeight - frame.Bottom};
}

// A dialog whose title does not fit is widened to the title: the width it needs, and how far
// its controls move right to stay centred (0 when it fits).
struct DialogWidening {
  int width = 0;
  int shift = 0;
};
DialogWidening WidenForTitle(int width, int textShift, int titleWidth, int textRightClip);

} // namespace vela::skin
