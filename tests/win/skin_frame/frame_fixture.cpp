#include "tests/win/skin_frame/frame_fixture.h"

#include "skin/forms/skin_manager.h"
#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/graphics.h"

#include <fstream>

namespace vela::skin::test {

void Redraw(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

Pixel Rgb(ColourCode colour) {
  return PixelFromColorRef(ui::ColorToRGB(colour));
}

HWND CreateBareWindow(const wchar_t* className, WNDPROC proc, RECT bounds, HBRUSH background,
                      HMENU menu) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = className;
  wc.hbrBackground = background;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  RegisterClassW(&wc); // fails harmlessly when an earlier test registered it
  return CreateWindowExW(0, className, L"Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, bounds.left,
                         bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                         nullptr, menu, instance, nullptr);
}

HWND CreateBareChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                     RECT bounds, int id, DWORD exStyle) {
  return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, bounds.left,
                         bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                         reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
}

bool SkinBareWindow(HWND window) {
  if (!SkinManager || !SkinManager->AttachWindow(window))
    return false;
  return PumpUntil([&] {
    TWinSkinForm* skinner = SkinManager->FindFormSkinner(window);
    return skinner && skinner->LifeState() == 1;
  });
}

void SaveForInspection(const Bitmap& image, const std::string& name) {
  ui::TBitmap out;
  out.CopyFrom(image.View());
  const std::vector<std::uint8_t> bytes = out.SaveToBytes();
  std::ofstream(name + ".bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void SkinnedFormTest::SetUp() {
  ui::Application->Initialize();
}

void SkinnedFormTest::TearDown() {
  delete form;
  form = nullptr;
  data = nullptr;
  FreeSkinManager();
  PumpMessages();
}

void SkinnedFormTest::CreateForm() {
  // Nothing may look hot because an earlier test left the pointer where this form comes up.
  const POINT away{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1};
  SetCursorPos(away.x, away.y);
  ASSERT_TRUE(PumpUntil([&] {
    POINT at{};
    GetCursorPos(&at);
    return at.x == away.x && at.y == away.y;
  })) << "the pointer did not move away from where the form comes up";
  form = new ui::TForm(nullptr);
  form->SetCaption(L"Skinned window");
  form->SetBounds(120, 100, 300, 200);
  form->SetClientWidth(360);
  form->SetClientHeight(200);
  form->HandleNeeded();
  data = new TSkinData(form);
  data->SetSkinFile(L"" VELA_DEFAULT_SKN);
  ASSERT_FALSE(data->SkinEmpty()) << "the default skin did not load from " << VELA_DEFAULT_SKN;
  form->Show();
  SetForegroundWindow(form->Handle());
  PumpMessages();
}

void SkinnedFormTest::Skin() {
  ASSERT_NE(SkinManager, nullptr);
  SkinManager->Active = true;
  SkinManager->AttachWindow(Window()); // the activation hook may have been first
  ASSERT_TRUE(PumpUntil([&] { return Skinner() && Skinner()->LifeState() == 1; }))
      << "the window was not skinned";
  PumpMessages();
}

void SkinnedFormTest::WatchClose() {
  form->OnCloseQuery = [this](ui::TObject*, bool& canClose) {
    closeAsked = true;
    canClose = false;
  };
}

HWND SkinnedFormTest::Window() const {
  return form->Handle();
}

TWinSkinForm* SkinnedFormTest::Skinner() const {
  return SkinManager ? SkinManager->FindFormSkinner(form->HandleIfAllocated()) : nullptr;
}

} // namespace vela::skin::test
