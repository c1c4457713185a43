#include "ui/timer.h"

#include "ui/application.h"

namespace vela::ui {

namespace {
constexpr wchar_t kTimerClass[] = L"VelaUiTimerWindow";
constexpr UINT_PTR kTimerId = 1;
} // namespace

const TClassInfo& TTimer::StaticClassInfo() {
  using P = PropsOf<TTimer>;
  static const TClassInfo info = MakeClassInfo<TTimer>(
      "TTimer", &TComponent::StaticClassInfo(),
      {P::Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled),
       P::Int("Interval", &TTimer::Interval, &TTimer::SetInterval), P::Event("OnTimer", &TTimer::OnTimer)});
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TimerWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTimerClass;
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  // A message-only window per timer: its ticks arrive through the thread's message loop.
  window_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  if (!window_) throw EOutOfResources("Cannot create a timer window");
  SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
  UpdateTimer();
}

TTimer::~TTimer() {
  Destroying();
  if (window_) {
    KillTimer(window_, kTimerId);
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned interval) {
  if (interval == interval_) return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (!window_) return;
  if (running_) KillTimer(window_, kTimerId);
  running_ = false;
  // A timer that is still being read starts when reading is over (Loaded).
  if (enabled_ && interval_ > 0 && !HasState(csLoading))
    running_ = SetTimer(window_, kTimerId, interval_, nullptr) != 0;
}

void TTimer::Tick() {
  try {
    if (OnTimer) OnTimer(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimerId) {
    if (auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA))) timer->Tick();
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

} // namespace vela::ui
