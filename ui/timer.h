#pragma once
// Timers: OnTimer runs on the thread's message loop every Interval milliseconds while
// Enabled. Exceptions from OnTimer go to Application->HandleException.
//
//   TTimer* t = new TTimer(form);
//   t->SetInterval(1000);
//   t->OnTimer = [](TObject*) { ... };
//   t->SetEnabled(true);
#include "ui/core/component.h"

#include <windows.h>
#include "ui/win_names.h"

namespace vela::ui {

class TTimer : public TComponent {
  VELA_CLASS_INFO
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  // 0 stops the timer without changing Enabled.
  void SetInterval(unsigned interval);
  void Loaded() override;

  TNotifyEvent OnTimer;

private:
  static LRESULT CALLBACK TimerWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void UpdateTimer();
  void Tick();

  bool enabled_ = true;
  unsigned interval_ = 1000;
  HWND window_ = nullptr;
  bool running_ = false;
};

} // namespace vela::ui
