#include "tests/win/app/window_watch.h"

#include <chrono>

namespace vela::testing {
namespace {

DialogWatcher* current = nullptr;

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kMessageBoxIconId = 0x0440;
constexpr int kFileNameEditId = 0x0480;
constexpr int kFileNameComboId = 0x047C;

std::wstring TextOf(HWND w) {
  wchar_t buf[2048] = {};
  if (w) GetWindowTextW(w, buf, 2047);
  return buf;
}

bool IsDialog(HWND w) {
  wchar_t cls[32] = {};
  GetClassNameW(w, cls, 31);
  return std::wstring(cls) == L"#32770";
}

} // namespace

bool PumpUntil(const std::function<bool()>& done, int ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(int ms) { PumpUntil([] { return false; }, ms); }

DialogWatcher::DialogWatcher() {
  current = this;
  hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

DialogWatcher::~DialogWatcher() {
  UnhookWindowsHookEx(hook_);
  current = nullptr;
}

std::vector<std::wstring> DialogWatcher::Texts() const {
  std::vector<std::wstring> out;
  for (const ShownBox& b : boxes) out.push_back(b.text);
  return out;
}

LRESULT CALLBACK DialogWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && current && IsDialog(HWND(wParam))) current->Answer(HWND(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Answers by posting, so that the dialog's own modal loop takes the answer once it is ready.
void DialogWatcher::Answer(HWND dialog) {
  if (GetPropW(dialog, L"VelaTestAnswered")) return;
  SetPropW(dialog, L"VelaTestAnswered", HANDLE(1));
  HWND name = GetDlgItem(dialog, kFileNameEditId);
  if (!name) name = GetDlgItem(dialog, kFileNameComboId);
  if (name) {
    ++fileDialogs;
    if (fileToPick.empty()) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    } else {
      SetWindowTextW(name, fileToPick.c_str());
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    return;
  }
  HWND icon = GetDlgItem(dialog, kMessageBoxIconId);
  boxes.push_back(ShownBox{TextOf(dialog), TextOf(GetDlgItem(dialog, kMessageBoxTextId)),
                           icon && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0)});
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

} // namespace vela::testing
