// The popup-menu skinner on a window of the test's own class, whose procedure records what
// reaches it: what the skinner consumes, what it passes on, and what WM_PRINT leaves.
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"
#include "skin/forms/win_skin_pop_menu.h"
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/application.h"
#include "ui/bitmap.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

namespace vela::skin {
namespace {

constexpr Pixel kOwnColour = MakePixel(0, 160, 0);
int ncPaints = 0;
int prints = 0;

LRESULT CALLBACK RecordingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCPAINT)
    ++ncPaints;
  if (msg == WM_PRINT) {
    // The window prints itself all over the target; only what the clip lets through lands.
    ++prints;
    RECT r{};
    GetWindowRect(window, &r);
    HBRUSH brush = CreateSolidBrush(ColorRefFromPixel(kOwnColour));
    RECT all{0, 0, r.right - r.left, r.bottom - r.top};
    FillRect(reinterpret_cast<HDC>(wParam), &all, brush);
    DeleteObject(brush);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

class PopupSkinner : public ::testing::Test {
protected:
  void SetUp() override {
    ui::Application->Initialize();
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelaPopupSkinnerProbe";
    RegisterClassW(&wc);
    window = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_BORDER, 40, 40,
                             120, 80, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    data = std::make_unique<TSkinData>(nullptr);
    data->SetSkinFile(L"" VELA_DEFAULT_SKN);
    ASSERT_FALSE(data->SkinEmpty());
    if (!SkinManager)
      SkinManager = new TSkinManage;
    SkinManager->Active = true;
    ncPaints = prints = 0;
  }
  void TearDown() override {
    skinner.reset();
    if (window)
      DestroyWindow(window);
    data.reset();
    FreeSkinManager();
  }

  HWND window = nullptr;
  std::unique_ptr<TSkinData> data;
  std::unique_ptr<TWinSkinPopMenu> skinner = std::make_unique<TWinSkinPopMenu>();
};

TEST_F(PopupSkinner, FramePaintIsTheSkinsWhileTheManagerIsActiveAndNativeOtherwise) {
  ASSERT_TRUE(skinner->Attach(window, data.get(), nullptr));
  EXPECT_FALSE(skinner->Attach(window, data.get(), nullptr));
  SendMessageW(window, WM_NCPAINT, 1, 0);
  EXPECT_EQ(ncPaints, 0) << "the system's border was drawn over the skin's";
  EXPECT_EQ(skinner->Background().width, 120);
  EXPECT_EQ(TWinSkinPopMenu::Waiting(), skinner.get()) << "a skinner without its menu waits";
  const HMENU menu = CreatePopupMenu();
  TWinSkinPopMenu::TakeMenu(menu);
  EXPECT_EQ(skinner->Menu(), menu);
  EXPECT_EQ(TWinSkinPopMenu::Waiting(), nullptr);
  DestroyMenu(menu);

  SkinManager->Active = false;
  SendMessageW(window, WM_NCPAINT, 1, 0);
  EXPECT_EQ(ncPaints, 1);
  EXPECT_EQ(SendMessageW(window, SKM_ISSKINNED, 0, 0), 1) << "still attached, still skinned";
}

TEST_F(PopupSkinner, WithoutAMenuBackgroundTheFrameStaysNative) {
  const_cast<TSkinElements&>(data->Elements()).MenuBackground.reset();
  ASSERT_TRUE(skinner->Attach(window, data.get(), nullptr));
  SendMessageW(window, WM_NCPAINT, 1, 0);
  EXPECT_EQ(ncPaints, 1);
  EXPECT_TRUE(skinner->Background().Empty());
}

TEST_F(PopupSkinner, PrintingGivesTheSkinnedFrameWithTheWindowsOwnPrintingInside) {
  ASSERT_TRUE(skinner->Attach(window, data.get(), nullptr));
  ui::TBitmap target;
  target.SetSize(120, 80);
  SendMessageW(window, WM_PRINT, WPARAM(target.Dc()), PRF_CLIENT | PRF_NONCLIENT);
  EXPECT_EQ(prints, 1);
  const Raster got = target.View();
  const Bitmap& back = data->Elements().MenuBackground->Bitmap;
  EXPECT_EQ(got.At(0, 0) & 0xFFFFFFu, back.At(0, 0) & 0xFFFFFFu);
  EXPECT_EQ(got.At(119, 79) & 0xFFFFFFu, back.At(back.Width() - 1, back.Height() - 1) & 0xFFFFFFu);
  EXPECT_NE(got.At(1, 40) & 0xFFFFFFu, kOwnColour) << "the print reached into the frame";
  EXPECT_EQ(got.At(3, 3) & 0xFFFFFFu, kOwnColour);
  EXPECT_EQ(got.At(116, 76) & 0xFFFFFFu, kOwnColour);
  EXPECT_NE(got.At(117, 76) & 0xFFFFFFu, kOwnColour);
}

TEST_F(PopupSkinner, DetachingGivesTheProcedureBackAndTheWindowsDestructionDetaches) {
  const LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
  ASSERT_TRUE(skinner->Attach(window, data.get(), nullptr));
  skinner->Detach();
  EXPECT_FALSE(skinner->Attached());
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
  EXPECT_NE(SendMessageW(window, SKM_ISSKINNED, 0, 0), 1);
  ASSERT_TRUE(skinner->Attach(window, data.get(), nullptr))
      << "a detached window can be taken again";
  DestroyWindow(window);
  window = nullptr;
  EXPECT_FALSE(skinner->Attached());
}

} // namespace
} // namespace vela::skin
