#pragma once
// Taking over a window's procedure so that it can be given back safely.
//
// The skinner is found from the window through a window property holding a small record, not
// through a generated thunk. The record outlives the skinner when the skinner is freed inside
// one of its own messages, or when somebody subclassed the window after it so that its
// procedure cannot be taken out of the chain: the record then keeps forwarding to the previous
// procedure and goes with the window's WM_NCDESTROY.
//
// Each use has its own property name and its own window procedure, which only calls
// DispatchSubclassed with that name:
//
//   LRESULT CALLBACK MyProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
//     return DispatchSubclassed(w, msg, wp, lp, kMyProp);
//   }
#include "ui/control.h"
#include "ui/messages.h"

#include <memory>
#include <windows.h>
#include "ui/win_names.h"

namespace vela::skin {

// Called for every message while the owner holds the window; exceptions are swallowed.
using TSubclassHandler = void (*)(void* owner, ui::TMessage& m);

LRESULT DispatchSubclassed(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, const wchar_t* prop);

// Installs `proc` and returns the procedure it replaced; null when the window already has an
// owner under this property (or cannot be subclassed). A record left behind as a forwarder is
// taken up again where it stands in the chain.
WNDPROC InstallWindowHook(HWND window, const wchar_t* prop, WNDPROC proc, void* owner,
                       TSubclassHandler handler);

// Lets the window go: the previous procedure comes back when ours is still the window's;
// otherwise the record stays behind as a plain forwarder.
void RemoveWindowHook(HWND window, const wchar_t* prop, void* owner);

// The procedure the record forwards to; null when the window has no record.
WNDPROC SubclassedPrevious(HWND window, const wchar_t* prop);

// A framework control's WindowProc while a skinner holds it. A named type, so that the skinner
// can tell whether the control still has its hook before putting the previous one back.
// Whoever wrapped the hook after us keeps a copy of it; once `alive` is false that copy passes
// everything to the method the skinner had found.
template <class TOwner, void (TOwner::*Handler)(ui::TMessage&)>
struct TWndMethodHook {
  TOwner* owner;
  std::shared_ptr<bool> alive;
  ui::TWndMethod previous;

  void operator()(ui::TMessage& m) const {
    if (*alive)
      (owner->*Handler)(m);
    else if (previous)
      previous(m);
  }

  // Puts `previous` back unless somebody wrapped `owner`'s hook on `target` since.
  static void Restore(ui::TControl* target, const TOwner* owner, const ui::TWndMethod& previous) {
    if (auto* hook = target->WindowProc.template target<TWndMethodHook>(); hook && hook->owner == owner)
      target->WindowProc = previous;
  }
};

} // namespace vela::skin
