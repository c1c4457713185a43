// skinview --shot as a person would run it: the program is started for each page, and the
// bitmap it leaves is checked against the default skin it carries: the window's size (the
// client area the program asks for inside the skin's frame and menu bar) and the pixels of the
// frame's borders and of the menu bar's empty end, composed here from the skin's cells.
//
// Relies on the program's window being the active one when the shot is taken (a new process's
// first window is brought forward on Windows and Wine alike), so the borders show their active
// cells.
#include "skin/data/bmp.h"
#include "skin/data/skin_elements.h"
#include "skin/draw/primitives.h"
#include "skin/forms/frame_geometry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vela::skin {
namespace {

constexpr DWORD kRunLimitMs = 90000;
// The client area skinview asks for.
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 420;

std::vector<std::uint8_t> ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

std::wstring Wide(const char* text) {
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

// Runs skinview with `arguments` and returns its exit code (-1 when it did not end in time).
int RunSkinview(const std::wstring& arguments) {
  std::wstring command = L"\"" + Wide(SKINVIEW_EXE) + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return -2;
  DWORD code = DWORD(-1);
  if (WaitForSingleObject(process.hProcess, kRunLimitMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return int(code);
}

std::wstring ShotPath(const std::string& name) {
  return Wide(SHOT_DIR) + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
}

class SkinviewShot : public ::testing::Test {
protected:
  void SetUp() override {
    const std::vector<std::uint8_t> skin = ReadFile(Wide(VELA_DEFAULT_SKN));
    ASSERT_FALSE(skin.empty());
    ASSERT_EQ(LoadSkinFile(skin, elements), SkinLoadResult::Loaded);
    frame = FrameWidthsFromBorders(elements.Left, elements.Top, elements.Right, elements.Bottom,
                                   BorderKind::Sizeable);
  }

  // Runs a shot into a fresh file and reads it back.
  int Shoot(const std::string& name, const std::wstring& more, Bitmap& shot) {
    const std::wstring path = ShotPath(name);
    DeleteFileW(path.c_str());
    const int code = RunSkinview(more + L" --shot \"" + path + L"\"");
    shot = DecodeBmp(ReadFile(path));
    return code;
  }

  Size SkinnedSize() const {
    return Size{kClientWidth + frame.Left + frame.Right,
                kClientHeight + frame.Top + frame.Bottom + GetSystemMetrics(SM_CYMENU)};
  }

  // Pixels of a border strip that differ from the skin's active cell at that place (magenta,
  // which the window region leaves out, is not compared).
  int DifferingBorderPixels(const Bitmap& shot, const TDataSkinBorder& border, const Rect& place,
                            bool stacked, int& compared) const {
    const int cells = std::max(border.FrameCount, 1);
    const Bitmap expected = ComposeSkinRect(Rect{0, 0, place.Width(), place.Height()},
                                            border.Bitmap.View(), border.GetMargins(), stacked,
                                            border.Tile != 1, cells, BorderCell(true, cells));
    int differing = 0;
    for (int y = 0; y < place.Height(); ++y)
      for (int x = 0; x < place.Width(); ++x) {
        const Pixel want = expected.At(x, y);
        if (want == kMagenta)
          continue;
        ++compared;
        differing += shot.At(place.left + x, place.top + y) != want;
      }
    return differing;
  }

  void ExpectSkinnedFrame(const Bitmap& shot) const {
    const int w = shot.Width(), h = shot.Height();
    int compared = 0;
    EXPECT_EQ(
        DifferingBorderPixels(shot, elements.Left, Rect{0, 0, frame.Left, h}, false, compared), 0)
        << "left border";
    EXPECT_EQ(DifferingBorderPixels(shot, elements.Right, Rect{w - frame.Right, 0, w, h}, false,
                                    compared),
              0)
        << "right border";
    EXPECT_EQ(DifferingBorderPixels(shot, elements.Bottom,
                                    Rect{frame.Left, h - frame.Bottom, w - frame.Right, h}, true,
                                    compared),
              0)
        << "bottom border";
    EXPECT_GT(compared, 2 * h);
    // The menu bar's empty right end: the skin's menu-bar cell, nine-sliced across the bar.
    const TDataSkinObject& bar = *elements.MenuBar;
    const Rect strip{frame.Left, frame.Top, w - frame.Right,
                     frame.Top + GetSystemMetrics(SM_CYMENU)};
    const Bitmap expected =
        ComposeSkinRect(Rect{0, 0, strip.Width(), strip.Height()}, bar.Bitmap.View(),
                        Margins{bar.LeftWidth, 0, bar.RightWidth, 0}, true, false, 2, 1);
    int differing = 0;
    for (int y = 0; y < strip.Height(); ++y)
      for (int x = strip.Width() - 80; x < strip.Width(); ++x)
        differing += shot.At(strip.left + x, strip.top + y) != expected.At(x, y);
    EXPECT_EQ(differing, 0) << "menu bar";
  }

  TSkinElements elements;
  FrameWidths frame;
};

TEST_F(SkinviewShot, EachPageIsShotSkinnedWithTheDefaultSkin) {
  std::vector<Bitmap> shots;
  for (const std::string page : {"Menus", "Window"}) {
    SCOPED_TRACE(page);
    Bitmap shot;
    ASSERT_EQ(Shoot("page-" + page, L"--page " + std::wstring(page.begin(), page.end()), shot), 0);
    ASSERT_FALSE(shot.Empty()) << "no bitmap saved";
    EXPECT_EQ((Size{shot.Width(), shot.Height()}), SkinnedSize());
    ExpectSkinnedFrame(shot);
    shots.push_back(std::move(shot));
  }
  // The pages show different things in the client area.
  int differing = 0;
  for (int y = frame.Top + 40; y < frame.Top + 200; ++y)
    for (int x = frame.Left; x < frame.Left + 300; ++x)
      differing += shots[0].At(x, y) != shots[1].At(x, y);
  EXPECT_GT(differing, 100);
}

TEST_F(SkinviewShot, SkinThatCannotBeReadLeavesTheWindowUnskinned) {
  Bitmap shot;
  EXPECT_EQ(Shoot("unreadable", L"\"" + ShotPath("no-such-skin") + L".skn\"", shot), 3);
  ASSERT_FALSE(shot.Empty()) << "the unskinned window was not saved";
  int compared = 0;
  EXPECT_GT(DifferingBorderPixels(shot, elements.Left, Rect{0, 0, frame.Left, shot.Height()}, false,
                                  compared),
            compared / 4)
      << "the frame looks skinned";
}

TEST_F(SkinviewShot, WrongCommandLineSavesNothing) {
  Bitmap shot;
  EXPECT_EQ(Shoot("no-page", L"--page Nowhere", shot), 2);
  EXPECT_TRUE(shot.Empty());
}

TEST_F(SkinviewShot, ShotThatCannotBeWrittenIsReported) {
  EXPECT_EQ(RunSkinview(L"--shot \"" + Wide(SHOT_DIR) + L"\\missing-dir\\shot.bmp\""), 1);
}

} // namespace
} // namespace vela::skin
