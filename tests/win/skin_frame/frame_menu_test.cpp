// The skin's own system menu, opened by a right click on the caption.
#include "tests/win/skin_frame/frame_fixture.h"

#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"

namespace vela::skin::test {
namespace {

// Filled by the timer that runs inside the menu's modal loop.
struct MenuCapture {
  HWND menuWindow = nullptr;
  Bitmap pixels;
  int ticks = 0;
};
MenuCapture* capture = nullptr;

BOOL CALLBACK FindMenuWindow(HWND w, LPARAM) {
  wchar_t name[16]{};
  GetClassNameW(w, name, 16);
  if (std::wstring(name) == L"#32768" && IsWindowVisible(w)) {
    capture->menuWindow = w;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR, DWORD) {
  if (!capture)
    return;
  ++capture->ticks;
  if (!capture->menuWindow)
    EnumWindows(FindMenuWindow, 0);
  // Give the menu a few ticks to draw its items, then read it and close it.
  if ((capture->menuWindow && capture->ticks > 5) || capture->ticks > 400) {
    if (capture->menuWindow)
      capture->pixels = CaptureWindow(capture->menuWindow);
    EndMenu();
  }
}

using SystemMenu = SkinnedFormTest;

TEST_F(SystemMenu, RightClickOnTheCaptionOpensTheSkinsMenuWithEveryItemDrawn) {
  CreateForm();
  Skin();
  MenuCapture seen;
  capture = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchMenu);
  RECT r{};
  GetWindowRect(Window(), &r);
  SendMessageW(Window(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 150, r.top + 12));
  KillTimer(nullptr, timer);
  capture = nullptr;
  ASSERT_NE(seen.menuWindow, nullptr) << "no menu opened";
  ASSERT_FALSE(seen.pixels.Empty());
  SaveForInspection(seen.pixels, "system-menu");
  // Restore, maximise, minimise, a line and close: the text of each row darkens some pixels.
  const Pixel background = seen.pixels.At(seen.pixels.Width() / 2, 2);
  std::vector<int> rowsWithText;
  for (int y = 0; y < seen.pixels.Height(); ++y) {
    int ink = 0;
    for (int x = 0; x < seen.pixels.Width(); ++x)
      ink += seen.pixels.At(x, y) != background;
    if (ink > 6)
      rowsWithText.push_back(y);
  }
  int bands = 0;
  for (std::size_t i = 0; i < rowsWithText.size(); ++i)
    if (i == 0 || rowsWithText[i] != rowsWithText[i - 1] + 1)
      ++bands;
  EXPECT_GE(bands, 4) << "the menu's items are not all drawn";
}

// What the popup-skinner case reads inside the modal loop, besides the capture.
struct PopupSeen {
  LRESULT skinned = 0;
  std::size_t skinners = 0;
  bool backgroundForMenu = false;
};
PopupSeen* popupSeen = nullptr;

void CALLBACK WatchPopup(HWND, UINT, UINT_PTR, DWORD) {
  if (!capture || !popupSeen)
    return;
  ++capture->ticks;
  if (!capture->menuWindow)
    EnumWindows(FindMenuWindow, 0);
  // The items are drawn once the menu's handle has reached its skinner.
  const HMENU menu =
      capture->menuWindow
          ? reinterpret_cast<HMENU>(SendMessageW(capture->menuWindow, MN_GETHMENU, 0, 0))
          : nullptr;
  const bool drawn = menu && !SkinManager->PopupBitmapForMenu(menu).Empty();
  if (drawn || capture->ticks > 1000) {
    if (capture->menuWindow) {
      popupSeen->skinned = SendMessageW(capture->menuWindow, SKM_ISSKINNED, 0, 0);
      popupSeen->skinners = SkinManager->PopupSkinnerCount();
      popupSeen->backgroundForMenu = drawn;
      capture->pixels = CaptureWindow(capture->menuWindow);
    }
    EndMenu();
  }
}

TEST_F(SystemMenu, ThePopupWindowIsSkinnedWhileOpenAndItsItemsLieOnItsBackground) {
  CreateForm();
  Skin();
  MenuCapture seen;
  PopupSeen popup;
  capture = &seen;
  popupSeen = &popup;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchPopup);
  RECT r{};
  GetWindowRect(Window(), &r);
  SendMessageW(Window(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 150, r.top + 12));
  KillTimer(nullptr, timer);
  capture = nullptr;
  popupSeen = nullptr;
  ASSERT_NE(seen.menuWindow, nullptr) << "no menu opened";
  EXPECT_EQ(popup.skinned, 1);
  EXPECT_EQ(popup.skinners, 1u);
  EXPECT_TRUE(popup.backgroundForMenu) << "the item painter did not hand the menu to its skinner";
  EXPECT_EQ(SkinManager->PopupSkinnerCount(), 0u) << "the skinner outlived its window";
  ASSERT_FALSE(seen.pixels.Empty());
  SaveForInspection(seen.pixels, "system-menu-skinned");
  // The frame comes from the skin's MenuBackground, painted over the system's border: its
  // corner pixels.
  const Bitmap& back = Elements().MenuBackground->Bitmap;
  EXPECT_EQ(seen.pixels.At(0, 0), back.At(0, 0) & 0xFFFFFFu);
  EXPECT_EQ(seen.pixels.At(seen.pixels.Width() - 1, seen.pixels.Height() - 1),
            back.At(back.Width() - 1, back.Height() - 1) & 0xFFFFFFu);
}

// The nested-menu case: the menu windows seen, and what each answered once both were open.
struct NestedSeen {
  std::vector<HWND> windows;
  bool keysSent = false;
  std::vector<LRESULT> skinned;
  std::vector<Bitmap> pixels;
  std::size_t skinners = 0;
  int ticks = 0;
};
NestedSeen* nestedSeen = nullptr;

BOOL CALLBACK CollectMenuWindows(HWND w, LPARAM) {
  wchar_t name[16]{};
  GetClassNameW(w, name, 16);
  if (std::wstring(name) == L"#32768" && IsWindowVisible(w))
    nestedSeen->windows.push_back(w);
  return TRUE;
}

void CALLBACK WatchNested(HWND, UINT, UINT_PTR, DWORD) {
  if (!nestedSeen)
    return;
  NestedSeen& seen = *nestedSeen;
  ++seen.ticks;
  seen.windows.clear();
  EnumWindows(CollectMenuWindows, 0);
  if (seen.windows.size() == 1 && !seen.keysSent) {
    // Down highlights the first item, Right opens its sub-menu.
    PostMessageW(seen.windows[0], WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(seen.windows[0], WM_KEYDOWN, VK_RIGHT, 0);
    seen.keysSent = true;
  }
  if (seen.windows.size() >= 2 || seen.ticks > 1000) {
    for (HWND w : seen.windows) {
      seen.skinned.push_back(SendMessageW(w, SKM_ISSKINNED, 0, 0));
      seen.pixels.push_back(CaptureWindow(w));
    }
    seen.skinners = SkinManager->PopupSkinnerCount();
    EndMenu();
  }
}

using PopupMenus = SkinnedFormTest;

TEST_F(PopupMenus, ANestedMenuGetsItsOwnSkinnerAndFrame) {
  CreateForm();
  Skin();
  HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING, 101, L"Inner one");
  AppendMenuW(sub, MF_STRING, 102, L"Inner two with a longer text");
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_POPUP, UINT_PTR(sub), L"More");
  AppendMenuW(menu, MF_STRING, 100, L"Plain");
  NestedSeen seen;
  nestedSeen = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchNested);
  RECT r{};
  GetWindowRect(Window(), &r);
  TrackPopupMenu(menu, TPM_RETURNCMD, r.left + 40, r.top + 60, 0, Window(), nullptr);
  KillTimer(nullptr, timer);
  nestedSeen = nullptr;
  DestroyMenu(menu); // and its sub-menu
  ASSERT_EQ(seen.windows.size(), 2u) << "the sub-menu did not open";
  EXPECT_EQ(seen.skinners, 2u);
  EXPECT_EQ(SkinManager->PopupSkinnerCount(), 0u);
  const Bitmap& back = Elements().MenuBackground->Bitmap;
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(seen.skinned[i], 1) << i;
    ASSERT_FALSE(seen.pixels[i].Empty());
    EXPECT_EQ(seen.pixels[i].At(0, 0), back.At(0, 0) & 0xFFFFFFu) << i;
    const Bitmap& p = seen.pixels[i];
    EXPECT_EQ(p.At(p.Width() - 1, p.Height() - 1),
              back.At(back.Width() - 1, back.Height() - 1) & 0xFFFFFFu)
        << i << ": the frame is not the window's own size";
  }
  EXPECT_NE(seen.pixels[0].Width(), seen.pixels[1].Width());
}

void CALLBACK CloseMenuAtOnce(HWND, UINT, UINT_PTR, DWORD) {
  if (!capture)
    return;
  ++capture->ticks;
  if (!capture->menuWindow)
    EnumWindows(FindMenuWindow, 0);
  if (capture->menuWindow || capture->ticks > 400)
    EndMenu();
}

TEST_F(SystemMenu, TwoClicksOnTheIconWithinTheDoubleClickTimeCloseTheWindow) {
  // A long double-click time, read by the skinner when it is made, so that a busy machine
  // cannot stretch the two clicks apart.
  const UINT usual = GetDoubleClickTime();
  SetDoubleClickTime(10000);
  struct Restore {
    UINT time;
    ~Restore() { SetDoubleClickTime(time); }
  } restore{usual};
  CreateForm();
  Skin();
  WatchClose();
  // The default skin's system-menu icon: BUTTON4, Align 0 at (Xcoord, Ycoord).
  const TDataSkinSysButton& icon = *Elements().CaptionButtons.at(4);
  ASSERT_EQ(icon.Action, 3);
  RECT r{};
  GetWindowRect(Window(), &r);
  const LPARAM at = MAKELPARAM(r.left + icon.Xcoord + 4, r.top + icon.Ycoord + 4);
  MenuCapture seen;
  capture = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseMenuAtOnce);
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTCAPTION, at);
  SendMessageW(Window(), WM_NCLBUTTONUP, HTCAPTION, at); // opens the menu; the timer closes it
  KillTimer(nullptr, timer);
  capture = nullptr;
  ASSERT_NE(seen.menuWindow, nullptr) << "the first click opened no menu";
  EXPECT_FALSE(closeAsked);
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTCAPTION, at);
  SendMessageW(Window(), WM_NCLBUTTONUP, HTCAPTION, at);
  EXPECT_TRUE(PumpUntil([&] { return closeAsked; }));
}

} // namespace
} // namespace vela::skin::test
