#pragma once
// Helpers for the framework's tests under Wine: message pumping and recorders.
#include "ui/application.h"
#include "ui/messages.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

namespace vela::ui::test {

inline void PumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// Pumps until the condition holds or the time runs out; returns the condition.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    PumpMessages();
    Sleep(5);
  }
  return true;
}

// Records the messages of interest that pass through a control's WindowProc, then forwards
// them to the procedure that was there before. Detaching puts that procedure back.
class MessageRecorder {
public:
  MessageRecorder(TControl* control, std::initializer_list<UINT> interesting)
      : control_(control), interesting_(interesting), saved_(control->WindowProc) {
    control_->WindowProc = [this](TMessage& m) {
      if (std::find(interesting_.begin(), interesting_.end(), m.Msg) != interesting_.end()) {
        seen.push_back(m.Msg);
        params.push_back(m);
      }
      saved_(m);
    };
  }
  ~MessageRecorder() { Detach(); }
  void Detach() {
    if (control_) control_->WindowProc = saved_;
    control_ = nullptr;
  }
  std::vector<UINT> seen;
  std::vector<TMessage> params;

private:
  TControl* control_;
  std::vector<UINT> interesting_;
  TWndMethod saved_;
};

} // namespace vela::ui::test
