#pragma once
// Window messages of the skin engine. The values are fixed: skinners, the manager and
// application code send them to each other's windows.
#include <windows.h>
#include "ui/win_names.h"

namespace vela::skin {

// Re-apply the skin to a skinned form.
constexpr UINT SKM_RESKIN = 0x3401;
// Repaint the whole frame now.
constexpr UINT SKM_REPAINTFRAME = 0x3502;
// Posted by the manager to a window it has just skinned (wParam 0, lParam 1000): the frame
// skinner now skins the window's controls.
constexpr UINT SKM_SKINCHILDREN = 0x3503;
// Sent before skinning a window: a window that answers 1 already has a skinner.
constexpr UINT SKM_ISSKINNED = 0x3504;
// Sent to a skinned control's window: wParam > 0 switches its skinning on, otherwise off.
constexpr UINT SKM_ENABLE = 0x3506;
// Posted to the window when a caption button with an application-defined action is clicked.
constexpr UINT SKM_CAPTIONBUTTON = 0x3514;
// Sent to the window to ask whether a caption button is shown.
constexpr UINT SKM_BUTTONVISIBLE = 0x3515;

} // namespace vela::skin
