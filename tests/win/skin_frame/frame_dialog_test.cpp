// A system message box ("#32770", no form object) skinned while it is up, closed through the
// skin's close button.
#include "tests/win/skin_frame/frame_fixture.h"

#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"

namespace vela::skin::test {
namespace {

struct BoxWatch {
  HWND box = nullptr;
  bool skinned = false;
  bool fitted = false;
  bool clicked = false;
  int ticks = 0;
  std::wstring className;
  int lifeState = -1;
};
BoxWatch* watch = nullptr;

BOOL CALLBACK FindBox(HWND w, LPARAM) {
  wchar_t name[16]{};
  GetClassNameW(w, name, 16);
  if (std::wstring(name) == L"#32770" && IsWindowVisible(w)) {
    watch->box = w;
    return FALSE;
  }
  return TRUE;
}

// Runs inside the box's modal loop: waits until the box is skinned and fitted, then presses
// and releases the skin's close button.
void CALLBACK WatchBox(HWND, UINT, UINT_PTR, DWORD) {
  if (!watch || watch->clicked)
    return;
  ++watch->ticks;
  if (!watch->box)
    EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
  if (watch->box) {
    TWinSkinForm* skinner = SkinManager ? SkinManager->FindFormSkinner(watch->box) : nullptr;
    watch->skinned = SendMessageW(watch->box, SKM_ISSKINNED, 0, 0) == 1;
    watch->lifeState = skinner ? skinner->LifeState() : -1;
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    watch->fitted = GetWindowRgn(watch->box, probe) != ERROR;
    DeleteObject(probe);
    if (watch->skinned && watch->fitted && watch->lifeState == 1) {
      RECT r{};
      GetWindowRect(watch->box, &r);
      // The default skin's close button: 34 from the right edge, 4 down, 30 x 22.
      const LPARAM at = MAKELPARAM(r.right - 34 + 15, r.top + 4 + 11);
      SendMessageW(watch->box, WM_NCLBUTTONDOWN, HTCAPTION, at);
      SendMessageW(watch->box, WM_NCLBUTTONUP, HTCAPTION, at);
      watch->clicked = true;
      return;
    }
  }
  if (watch->ticks > 1000 && watch->box)
    PostMessageW(watch->box, WM_COMMAND, IDOK, 0);
}

using MessageBoxFrame = SkinnedFormTest;

TEST_F(MessageBoxFrame, AMessageBoxIsSkinnedAndClosesThroughTheSkinsCloseButton) {
  CreateForm();
  Skin();
  BoxWatch seen;
  watch = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchBox);
  const int answer = MessageBoxW(Window(), L"Card program upgrade success", L"Skinned box", MB_OK);
  KillTimer(nullptr, timer);
  watch = nullptr;
  ASSERT_NE(seen.box, nullptr);
  EXPECT_TRUE(seen.skinned);
  EXPECT_TRUE(seen.fitted) << "the box was not fitted to the skin's frame";
  EXPECT_TRUE(seen.clicked);
  // Closing a box that has only OK answers OK on Windows; Wine answers Cancel. Either way the
  // box was closed by its close command.
  EXPECT_TRUE(answer == IDOK || answer == IDCANCEL) << answer;
  EXPECT_LT(seen.ticks, 1000) << "the box was closed by the fallback, not by its close button";
}

} // namespace
} // namespace vela::skin::test
