// Proves the Windows test chain: a real window under Wine, real messages, pixels read back.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr COLORREF kFill = RGB(0x20, 0x80, 0xC0);

LRESULT CALLBACK FillProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH brush = CreateSolidBrush(kFill);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void PumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

TEST(WindowChain, PaintedPixelReadsBackFromWindowDc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = FillProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VelaSmokeWindow";
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND hwnd = CreateWindowW(L"VelaSmokeWindow", L"smoke", WS_POPUP | WS_VISIBLE, 10, 10, 64, 48,
                            nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  UpdateWindow(hwnd);
  PumpMessages();

  HDC dc = GetDC(hwnd);
  COLORREF got = GetPixel(dc, 20, 20);
  ReleaseDC(hwnd, dc);
  DestroyWindow(hwnd);
  PumpMessages();
  EXPECT_EQ(got, kFill);
}

} // namespace
