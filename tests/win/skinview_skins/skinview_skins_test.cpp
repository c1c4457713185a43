// skinview started with the second skin ("Vela Dusk") on its command line shows that skin: the
// window's borders are that skin's cells, its empty page area is that skin's face colour, and
// the same page under the default skin looks different there.
//
// Relies, like the default skin's shots, on the program's window being the active one when the
// shot is taken, so the borders show their active cells.
#include "skin/data/bmp.h"
#include "skin/data/skin_elements.h"
#include "skin/draw/primitives.h"
#include "skin/forms/frame_geometry.h"
#include "tests/win/skinview/skinview_run.h"


#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vela::skin {
namespace {

using namespace skinview_run;

// A shot of the Panels page with the skin file `skin` (empty: the program's default skin).
Bitmap ShootPanels(const std::string& name, const std::wstring& skin, int& code) {
  const std::wstring path =
      Wide(SHOT_DIR) + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
  DeleteFileW(path.c_str());
  const std::wstring file = skin.empty() ? L"" : L"\"" + skin + L"\" ";
  code = RunSkinview(file + L"--page Panels --shot \"" + path + L"\"");
  return DecodeBmp(ReadFile(path));
}

TEST(SkinviewSkins, TheSecondSkinNamedOnTheCommandLineIsTheOneShown) {
  TSkinElements dusk;
  ASSERT_EQ(LoadSkinFile(ReadFile(Wide(DUSK_SKN)), dusk), SkinLoadResult::Loaded);
  ASSERT_EQ(dusk.SkinName, "Vela Dusk");
  const FrameWidths frame =
      FrameWidthsFromBorders(dusk.Left, dusk.Top, dusk.Right, dusk.Bottom, BorderKind::Sizeable);

  int code = 0;
  const Bitmap shot = ShootPanels("dusk-panels", Wide(DUSK_SKN), code);
  ASSERT_EQ(code, 0);
  ASSERT_FALSE(shot.Empty()) << "no bitmap saved";

  // The left border, row by row as the skin's active cell stretched over the window's height
  // (magenta, which the window region leaves out, is not compared).
  const TDataSkinBorder& left = dusk.Left;
  const int cells = std::max(left.FrameCount, 1);
  const Bitmap expected =
      ComposeSkinRect(Rect{0, 0, frame.Left, shot.Height()}, left.Bitmap.View(), left.GetMargins(),
                      false, left.Tile != 1, cells, BorderCell(true, cells));
  int compared = 0, differing = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < frame.Left; ++x)
      if (expected.At(x, y) != kMagenta) {
        ++compared;
        differing += shot.At(x, y) != expected.At(x, y);
      }
  EXPECT_GT(compared, shot.Height());
  EXPECT_EQ(differing, 0) << "left border";

  // An empty place of the page, right of the group boxes: the skin's face colour.
  const Pixel face = PixelFromColorRef(std::uint32_t(dusk.Colours.ButtonFace));
  const int menu = GetSystemMetrics(SM_CYMENU);
  const int x = frame.Left + 560, y = frame.Top + menu + 300;
  EXPECT_EQ(shot.At(x, y), face);

  // The default skin paints the same place in its own face colour.
  const Bitmap calm = ShootPanels("calm-panels", L"", code);
  ASSERT_EQ(code, 0);
  ASSERT_EQ(calm.Width(), shot.Width());
  EXPECT_NE(calm.At(x, y), face);
}

} // namespace
} // namespace vela::skin
