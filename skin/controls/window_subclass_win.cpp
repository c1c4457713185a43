#include "skin/controls/window_subclass.h"

namespace vela::skin {

namespace {

struct TSubclassRecord {
  void* owner;
  TSubclassHandler handler;
  const wchar_t* prop;
  WNDPROC proc;
  WNDPROC previous = nullptr;
  int depth = 0;
  bool installed = true;
};

TSubclassRecord* RecordOf(HWND window, const wchar_t* prop) {
  return window ? static_cast<TSubclassRecord*>(GetPropW(window, prop)) : nullptr;
}

void Dispose(HWND window, TSubclassRecord* s) {
  RemovePropW(window, s->prop);
  delete s;
}

} // namespace

LRESULT DispatchSubclassed(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, const wchar_t* prop) {
  auto* s = RecordOf(window, prop);
  if (!s)
    return DefWindowProcW(window, msg, wParam, lParam);
  ++s->depth;
  LRESULT result = 0;
  if (s->owner) {
    ui::TMessage m{msg, wParam, lParam, 0};
    try {
      s->handler(s->owner, m);
    } catch (...) {
      // A broken skin must not take the window down; the message is simply not handled.
    }
    result = m.Result;
  } else {
    result = CallWindowProcW(s->previous, window, msg, wParam, lParam);
  }
  --s->depth;
  if (s->depth == 0) {
    if (msg == WM_NCDESTROY) {
      if (s->installed && GetWindowLongPtrW(window, GWLP_WNDPROC) == LONG_PTR(s->proc))
        SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(s->previous));
      Dispose(window, s);
    } else if (!s->owner && !s->installed) {
      Dispose(window, s);
    }
  }
  return result;
}

WNDPROC InstallWindowHook(HWND window, const wchar_t* prop, WNDPROC proc, void* owner,
                       TSubclassHandler handler) {
  if (!window)
    return nullptr;
  if (auto* left = RecordOf(window, prop)) {
    if (left->owner)
      return nullptr;
    left->owner = owner;
    left->handler = handler;
    return left->previous;
  }
  auto* s = new TSubclassRecord{owner, handler, prop, proc};
  if (!SetPropW(window, prop, s)) {
    delete s;
    return nullptr;
  }
  s->previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(proc)));
  if (!s->previous) {
    Dispose(window, s);
    return nullptr;
  }
  return s->previous;
}

void RemoveWindowHook(HWND window, const wchar_t* prop, void* owner) {
  auto* s = RecordOf(window, prop);
  if (!s || s->owner != owner)
    return;
  s->owner = nullptr;
  if (s->installed && GetWindowLongPtrW(window, GWLP_WNDPROC) == LONG_PTR(s->proc)) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(s->previous));
    s->installed = false;
  }
  if (s->depth == 0 && !s->installed)
    Dispose(window, s);
}

WNDPROC SubclassedPrevious(HWND window, const wchar_t* prop) {
  auto* s = RecordOf(window, prop);
  return s ? s->previous : nullptr;
}

} // namespace vela::skin
