#pragma once
// Messages as the framework passes them around, and the framework's own notifications.
//
// Every control has a WindowProc that all of its messages go through, native window messages
// and the notifications below alike. Anyone may take a control over by saving WindowProc,
// installing a handler and putting the saved one back later:
//
//   TWndMethod saved = control->WindowProc;
//   control->WindowProc = [&, saved](TMessage& m) {
//     if (m.Msg == CM_MOUSEENTER) hot = true;
//     saved(m);                                   // default processing
//   };
//   ...
//   control->WindowProc = saved;
#include <windows.h>
#include "ui/win_names.h"

#include <functional>

namespace vela::ui {

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage&)>;

// Notifications of the framework (sent through WindowProc with Perform).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 0x06;      // wParam: character; Result 1 = consumed
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0B;  // wParam: new visibility
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
constexpr UINT CM_MENUCHANGED = CM_BASE + 0x15;     // sent to a form when its menu changed
constexpr UINT CM_RELEASE = CM_BASE + 0x21;         // posted to a form by Release()

// Notifications a parent reflects to the child control they concern: the child receives
// CN_BASE + the original message (CN_COMMAND, CN_NOTIFY, CN_CTLCOLOREDIT, CN_HSCROLL, ...).
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;

} // namespace vela::ui
