// skinview --shot as a person would run it: the program is asked for its pages and started once
// for each, and the bitmap it leaves (kept as skinview-<page>.bmp in this test's build
// directory) is checked against the default skin it carries: the window's size (the client
// area the program asks for inside the skin's frame and menu bar), the pixels of the frame's
// borders and of the menu bar's empty end, and on every page at least one control whose pixels
// are composed here from the skin's cells, so that a control left unskinned fails.
//
// Relies on the program's window being the active one when the shot is taken (a new process's
// first window is brought forward on Windows and Wine alike), so the borders show their active
// cells; the mouse pointer is put outside the window first, so that no control looks hot.
#include "skin/controls/button_looks.h"
#include "skin/controls/panel_geometry.h"
#include "skin/controls/scroll_geometry.h"
#include "skin/data/bmp.h"
#include "skin/data/skin_elements.h"
#include "skin/data/transforms.h"
#include "skin/draw/primitives.h"
#include "skin/draw/stretch.h"
#include "skin/forms/frame_geometry.h"
#include "tests/win/skinview/skinview_run.h"
#include "tools/skinview/page_places.h"
#include "ui/tab_controls.h"


#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace vela::skin {
namespace {

using namespace skinview_run;

// The client area skinview asks for.
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 420;

// The pages the program has registered, as its --help names them ("pages: A, B, C").
std::vector<std::string> RegisteredPages() {
  std::string help;
  if (RunSkinview(L"--help", &help) != 0)
    return {};
  const std::string key = "pages: ";
  const std::size_t at = help.find(key);
  if (at == std::string::npos)
    return {};
  std::istringstream names(help.substr(at + key.size(), help.find('\n', at) - at - key.size()));
  std::vector<std::string> pages;
  for (std::string name; std::getline(names, name, ',');) {
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(" \r") + 1);
    if (!name.empty())
      pages.push_back(name);
  }
  return pages;
}

std::wstring ShotPath(const std::string& name) {
  return Wide(SHOT_DIR) + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
}

// Pixels of the shot within `place` (client coordinates) that differ from `expected`, laid
// over the place; only the pixels `counted` picks are compared, magenta (transparent in the
// skin's images) never. `compared` grows by the pixels compared; the first difference is
// told on the test's output.
int Differing(const Bitmap& shot, Point client, const skinview::places::Place& place,
              const Bitmap& expected, const std::function<bool(int x, int y)>& counted,
              int& compared) {
  int differing = 0;
  for (int y = 0; y < std::min(place.height, expected.Height()); ++y)
    for (int x = 0; x < std::min(place.width, expected.Width()); ++x) {
      const Pixel want = expected.At(x, y) & 0xFFFFFF;
      if (want == kMagenta || !counted(x, y))
        continue;
      ++compared;
      const Pixel got = shot.At(client.x + place.left + x, client.y + place.top + y);
      if (got != want && differing++ == 0)
        std::printf("first difference at %d,%d of the place: %06X, expected %06X\n", x, y,
                    unsigned(got), unsigned(want));
    }
  return differing;
}

class SkinviewShot : public ::testing::Test {
protected:
  void SetUp() override {
    const std::vector<std::uint8_t> skin = ReadFile(Wide(VELA_DEFAULT_SKN));
    ASSERT_FALSE(skin.empty());
    ASSERT_EQ(LoadSkinFile(skin, elements), SkinLoadResult::Loaded);
    frame = FrameWidthsFromBorders(elements.Left, elements.Top, elements.Right, elements.Bottom,
                                   BorderKind::Sizeable);
    // No control is under the mouse: the window opens well away from the screen's corner.
    SetCursorPos(0, 0);
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

  // Where the client area (and so the page) begins in a shot of the skinned window.
  Point ClientOrigin() const { return Point{frame.Left, frame.Top + GetSystemMetrics(SM_CYMENU)}; }

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

  // A push button's edges (its margins all round, where the caption never reaches) are the
  // button element's cell of `look` (1 normal, 3 disabled, 4 focused), nine-sliced to its size.
  void ExpectPushButton(const Bitmap& shot, const skinview::places::Place& place, int look,
                        const char* what) const {
    const TDataSkinButton& button = elements.Buttons;
    const Bitmap expected =
        ComposeSkinRect(Rect{0, 0, place.width, place.height}, button.Bitmap.View(),
                        button.GetMargins(), false, button.Tile != 0, button.FrameCount, look);
    const auto edge = [&](int x, int y) {
      return x < button.LeftWidth || x >= place.width - button.RightWidth || y < button.TopHeight ||
             y >= place.height - button.BottomHeight;
    };
    int compared = 0;
    EXPECT_EQ(Differing(shot, ClientOrigin(), place, expected, edge, compared), 0) << what;
    EXPECT_GT(compared, place.width) << what;
  }

  // A check box's mark is its cell of the skin's check strip, placed as the skinner places it.
  void ExpectCheckMark(const Bitmap& shot, const skinview::places::Place& place, bool enabled,
                       const char* what) const {
    const TDataSkinButton& button = elements.Buttons;
    const int cells = button.CheckButtonFrame;
    ASSERT_GT(cells, 0);
    const int cellWidth = button.CheckBitmap.Width() / cells;
    const int cell = CheckMarkCell(CheckState::Checked, false, enabled, false, cells);
    const CheckMarkPlacement at = PlaceCheckMark(Rect{0, 0, place.width, place.height}, cellWidth,
                                                 button.CheckBitmap.Height(), false, false);
    Bitmap expected(cellWidth, button.CheckBitmap.Height());
    for (int y = 0; y < expected.Height(); ++y)
      for (int x = 0; x < cellWidth; ++x)
        expected.At(x, y) = button.CheckBitmap.At((cell - 1) * cellWidth + x, y);
    const skinview::places::Place mark{place.left + at.Image.left, place.top + at.Image.top,
                                       cellWidth, expected.Height()};
    int compared = 0;
    EXPECT_EQ(Differing(
                  shot, ClientOrigin(), mark, expected, [](int, int) { return true; }, compared),
              0)
        << what;
    EXPECT_GT(compared, cellWidth) << what;
  }

  // A closed combo box is the "ComboButton" composite's cell of `look`; the system decides its
  // height, so only the top rows are compared (the composite's top margin keeps its size).
  void ExpectCombo(const Bitmap& shot, const skinview::places::Place& place, int look,
                   const char* what) const {
    ASSERT_NE(elements.ComboButton, nullptr);
    const TDataSkinBorder& combo = *elements.ComboButton;
    ASSERT_EQ(combo.Style, 2) << "the default skin draws combo boxes from one composite";
    const Bitmap expected =
        ComposeSkinRect(Rect{0, 0, place.width, place.height}, combo.Bitmap.View(),
                        combo.GetMargins(), false, false, combo.FrameCount, look);
    const int rows = std::max(1, combo.TopHeight);
    int compared = 0;
    EXPECT_EQ(Differing(
                  shot, ClientOrigin(), place, expected, [rows](int, int y) { return y < rows; },
                  compared),
              0)
        << what;
    EXPECT_GT(compared, place.width / 2) << what;
  }

  // A progress bar is the skinner's composed look of the "Progress" element, whole.
  void ExpectProgress(const Bitmap& shot, const skinview::places::Place& place, int position,
                      const char* what) const {
    ASSERT_NE(elements.Progress, nullptr);
    const TDataSkinBorder& element = *elements.Progress;
    ProgressState state;
    state.Width = place.width;
    state.Height = place.height;
    state.Position = position;
    state.Maximum = 100;
    state.Face = PixelFromColorRef(std::uint32_t(elements.Colours.ButtonFace));
    const Bitmap expected = element.Style == 1 ? ComposeChunkProgress(state, element)
                                               : ComposeProgress(state, element);
    ASSERT_FALSE(expected.Empty()) << what;
    int compared = 0;
    EXPECT_EQ(Differing(shot, ClientOrigin(), place, expected, [](int, int) { return true; }, compared), 0)
        << what;
    EXPECT_GT(compared, place.width * place.height / 2) << what;
  }

  // A tab set's first tab, selected: the left columns of cell 2 of the "Tabs" strip turned
  // upside down, as high as the tab set.
  void ExpectSelectedFirstTab(const Bitmap& shot, const skinview::places::Place& set,
                              int startMargin) const {
    ASSERT_NE(elements.Tabs, nullptr);
    const TDataSkinBorder& tabs = *elements.Tabs;
    Bitmap flipped = tabs.Bitmap;
    FlipBitmap(flipped);
    const int width = tabs.LeftWidth + tabs.RightWidth + 8;
    const Bitmap expected =
        ComposeSkinRect(Rect{0, 0, width, set.height}, flipped.View(), tabs.GetMargins(), false,
                        tabs.Tile != 0, tabs.FrameCount, 2);
    // The caption is centred in a tab 9 pixels wider than it: the columns before it.
    const int columns = std::max(1, std::min<int>(tabs.LeftWidth, ui::TTabSet::kTabPadding / 2));
    const skinview::places::Place tab{set.left + startMargin, set.top, columns, set.height};
    int compared = 0;
    EXPECT_EQ(Differing(
                  shot, ClientOrigin(), tab, expected, [](int, int) { return true; }, compared),
              0)
        << "the tab set's selected first tab";
    EXPECT_GT(compared, set.height / 2);
  }

  // A tab control's focused tab begins with the top-left corner of cell 2 of the "Tabs" strip
  // (the corner keeps its size however the cell is stretched). The system places the tabs, so
  // the corner is looked for within the control's first pixels.
  void ExpectFocusedTabCornerNear(const Bitmap& shot,
                                  const skinview::places::Place& control) const {
    ASSERT_NE(elements.Tabs, nullptr);
    const TDataSkinBorder& tabs = *elements.Tabs;
    const int cellWidth = tabs.CellWidth();
    ASSERT_GT(cellWidth, 0);
    const Bitmap corner = CopyToBitmap(
        tabs.Bitmap.View(), Rect{cellWidth, 0, cellWidth + std::max(1, tabs.LeftWidth),
                                 std::max(1, tabs.TopHeight)});
    EXPECT_TRUE(FoundNear(shot, Point{control.left, control.top}, corner))
        << "no corner of the focused tab's cell near the page control's corner";
  }

  // A report-style list view of the skin: its header's first section begins with the top-left
  // corner of the header element's first cell, and its vertical bar's up arrow (top right,
  // inside the border) is the skin's arrow cell, drawn unscaled at the system's arrow size.
  void ExpectSkinnedReportList(const Bitmap& shot, const skinview::places::Place& list) const {
    ASSERT_NE(elements.Headerbar, nullptr);
    const TDataSkinObject& header = *elements.Headerbar;
    const Bitmap corner = CopyToBitmap(
        header.Bitmap.View(),
        Rect{0, 0, std::max(1, header.LeftWidth), std::max(1, header.TopHeight)});
    EXPECT_TRUE(FoundNear(shot, Point{list.left, list.top}, corner))
        << "no corner of the header cell at the list's first section";

    ASSERT_NE(elements.Scrollbar, nullptr);
    const Raster arrows = elements.Scrollbar->Bitmap.View();
    const int size = arrows.width / kScrollArrowCells;
    ASSERT_EQ(size, GetSystemMetrics(SM_CXVSCROLL)) << "the comparison needs unscaled cells";
    // Nothing is being tracked, so no arrow looks pressed.
    const int cell = CellsForScrollBar(true, true, false, ScrollPart::LineUp).FirstArrow;
    const Bitmap up = CopyToBitmap(arrows, Rect{(cell - 1) * size, 0, cell * size, size});
    EXPECT_TRUE(FoundNear(shot, Point{list.left + list.width - size - kReach, list.top}, up))
        << "no skinned up arrow at the list's top right";
  }

  // A stand-alone vertical scroll bar's up arrow is the skin's arrow cell at its top.
  void ExpectSkinnedScrollBar(const Bitmap& shot, const skinview::places::Place& bar) const {
    ASSERT_NE(elements.Scrollbar, nullptr);
    const Raster arrows = elements.Scrollbar->Bitmap.View();
    const int size = arrows.width / kScrollArrowCells;
    const int cell = CellsForScrollBar(true, true, false, ScrollPart::LineUp).FirstArrow;
    const Bitmap up = CopyToBitmap(arrows, Rect{(cell - 1) * size, 0, cell * size, size});
    EXPECT_TRUE(FoundNear(shot, Point{bar.left, bar.top}, up)) << "no skinned up arrow on the scroll bar";
  }

  // True when `want` (magenta left out) lies unchanged in the shot with its top-left corner
  // within kReach pixels right of and below `at` (client coordinates).
  static constexpr int kReach = 8;
  bool FoundNear(const Bitmap& shot, Point at, const Bitmap& want) const {
    const Point client = ClientOrigin();
    for (int dy = 0; dy < kReach; ++dy)
      for (int dx = 0; dx < kReach; ++dx) {
        int compared = 0, differing = 0;
        for (int y = 0; y < want.Height(); ++y)
          for (int x = 0; x < want.Width(); ++x) {
            const Pixel pixel = want.At(x, y) & 0xFFFFFF;
            if (pixel == kMagenta)
              continue;
            ++compared;
            differing += shot.At(client.x + at.x + dx + x, client.y + at.y + dy + y) != pixel;
          }
        if (compared > want.Width() && differing == 0)
          return true;
      }
    return false;
  }

  TSkinElements elements;
  FrameWidths frame;
};

// Where the pages written before these checks put the controls checked here.
constexpr skinview::places::Place kMenusPopupButton{272, 40, 170, 28};
constexpr skinview::places::Place kWindowSecondButton{16, 84, 170, 28};

TEST_F(SkinviewShot, EveryRegisteredPageIsShotSkinnedWithTheDefaultSkin) {
  namespace at = skinview::places;
  constexpr int kNormal = 1, kDisabled = 3, kFocused = 4;
  // What is checked on each page: at least one control, from the skin's cells. A page without
  // an entry fails, so a new page comes with its check.
  const std::map<std::string, std::function<void(const Bitmap&)>> checks = {
      {"Menus",
       [&](const Bitmap& shot) {
         // The page's one windowed control has the focus.
         ExpectPushButton(shot, kMenusPopupButton, kFocused, "popup-menu button");
       }},
      {"Window",
       [&](const Bitmap& shot) {
         ExpectPushButton(shot, kWindowSecondButton, kNormal, "second-window button");
       }},
      {"Buttons",
       [&](const Bitmap& shot) {
         ExpectPushButton(shot, at::kDisabledPushButton, kDisabled, "disabled push button");
         ExpectCheckMark(shot, at::kCheckedBox, true, "checked check box");
         ExpectCheckMark(shot, at::kDisabledCheckedBox, false, "disabled checked check box");
       }},
      {"Text",
       [&](const Bitmap& shot) {
         ExpectCombo(shot, at::kDropDownList, kNormal, "drop-down list");
         ExpectCombo(shot, at::kDisabledCombo, kDisabled, "disabled combo box");
       }},
      {"Tabs",
       [&](const Bitmap& shot) {
         ExpectSelectedFirstTab(shot, at::kTabSet, at::kTabSetStartMargin);
         ExpectFocusedTabCornerNear(shot, at::kTopPageControl);
       }},
      {"Progress",
       [&](const Bitmap& shot) {
         ExpectProgress(shot, at::kHalfProgress, 50, "progress bar at 50 %");
         ExpectSkinnedScrollBar(shot, at::kVerticalScrollBar);
       }},
      {"Panels",
       [&](const Bitmap& shot) {
         ExpectPushButton(shot, at::kDisabledGroupButton, kDisabled, "disabled button in a group box");
       }},
      {"Lists", [&](const Bitmap& shot) { ExpectSkinnedReportList(shot, at::kReportList); }},
  };

  const std::vector<std::string> pages = RegisteredPages();
  ASSERT_FALSE(pages.empty()) << "skinview --help names no pages";
  for (const auto& [page, check] : checks)
    EXPECT_NE(std::find(pages.begin(), pages.end(), page), pages.end())
        << "the checked page \"" << page << "\" is not registered";
  std::vector<Bitmap> shots;
  for (const std::string& page : pages) {
    SCOPED_TRACE(page);
    Bitmap shot;
    ASSERT_EQ(Shoot("skinview-" + page, L"--page " + std::wstring(page.begin(), page.end()), shot),
              0);
    ASSERT_FALSE(shot.Empty()) << "no bitmap saved";
    ASSERT_EQ((Size{shot.Width(), shot.Height()}), SkinnedSize());
    ExpectSkinnedFrame(shot);
    const auto check = checks.find(page);
    if (check == checks.end())
      ADD_FAILURE() << "no control of this page is checked against the skin: add its check";
    else
      check->second(shot);
    // Each page shows something else in its client area than the page before it.
    if (!shots.empty()) {
      int differing = 0;
      for (int y = frame.Top + 40; y < frame.Top + 200; ++y)
        for (int x = frame.Left; x < frame.Left + 300; ++x)
          differing += shots.back().At(x, y) != shot.At(x, y);
      EXPECT_GT(differing, 100) << "looks like the page before";
    }
    shots.push_back(std::move(shot));
  }
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
