#include "skin/data/skin_text_win.h"

#include <gtest/gtest.h>

#include "skin/data/skin_elements_win.h"

namespace vela::skin {
namespace {

TEST(SkinText, ConvertsBetweenTheAnsiCodePageAndUtf16) {
  EXPECT_EQ(AnsiToWide("Vela 1.0"), L"Vela 1.0");
  EXPECT_EQ(WideToAnsi(L"Connect"), "Connect");
  EXPECT_EQ(AnsiToWide(""), L"");
  EXPECT_EQ(WideToAnsi(AnsiToWide("round trip ~!")), "round trip ~!");
}

TEST(SkinText, DrawsAndMeasuresText) {
  HDC dc = CreateCompatibleDC(nullptr);
  RECT r{0, 0, 1000, 1000};
  const int height = DrawSkinText(dc, L"Upgrade", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_GT(height, 0);
  EXPECT_GT(r.right, 0) << "the measured rectangle comes back";
  RECT wider{0, 0, 1000, 1000};
  DrawSkinText(dc, L"Upgrade Upgrade", wider, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_GT(wider.right, r.right);
  DeleteDC(dc);
}

TEST(SkinText, LoadOptionsUseTheSystemScrollArrowWidth) {
  EXPECT_EQ(SystemSkinLoadOptions().ScrollArrowWidth, GetSystemMetrics(SM_CXHSCROLL));
  EXPECT_GT(SystemSkinLoadOptions().ScrollArrowWidth, 0);
}

} // namespace
} // namespace vela::skin
