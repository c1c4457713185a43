#pragma once
// Helpers for tests of real windows: pumping messages until something holds, and a watcher
// that answers every modal box and file dialog of the thread, recording what they showed.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vela::testing {

// Dispatches messages until `done` holds or `ms` pass; false on time-out.
bool PumpUntil(const std::function<bool()>& done, int ms = 5000);
// Dispatches messages for `ms`.
void PumpFor(int ms);

struct ShownBox {
  std::wstring caption;
  std::wstring text;
  bool hasIcon = false;
};

// While alive, every message box opened on this thread is recorded and closed with OK, and
// every file-open dialog gets `fileToPick` (or is cancelled when it is empty).
class DialogWatcher {
public:
  DialogWatcher();
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  std::vector<ShownBox> boxes;
  std::wstring fileToPick;
  int fileDialogs = 0;

  std::vector<std::wstring> Texts() const;

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void Answer(HWND dialog);
  HHOOK hook_;
};

} // namespace vela::testing
