#pragma once
// A framework form skinned with the default skin, and what the frame tests read back.
#include "skin/data/colours.h"
#include "skin/data/raster.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/win/ui/ui_test_util.h"
#include "ui/bitmap.h"
#include "ui/form.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vela::skin::test {

using ui::test::PumpMessages;
// Skinning waits for timers and posted messages of a busy machine: a generous bound.
constexpr DWORD kSkinWait = 20000;
inline bool PumpUntil(const std::function<bool()>& done) {
  return ui::test::PumpUntil(done, kSkinWait);
}

// The window's pixels, read back from its window DC (frame coordinates).
using ui::CaptureWindow;
// Paints the window again at once, frame and background included.
void Redraw(HWND window);
// A skin colour as the pixel a capture shows for it.
Pixel Rgb(ColourCode colour);

// A visible top-level window of a class of its own (registered on first use) that no framework
// object stands behind, for the skinners of bare windows. `background` may be nullptr.
HWND CreateBareWindow(const wchar_t* className, WNDPROC proc, RECT bounds,
                      HBRUSH background = nullptr, HMENU menu = nullptr);
// Child window `id` of class `className` inside `parent`.
HWND CreateBareChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                     RECT bounds, int id, DWORD exStyle = 0);
// Hands a bare window to the skin manager and waits until its frame skinner has attached.
bool SkinBareWindow(HWND window);
// Writes a capture next to the test for a person to look at.
void SaveForInspection(const Bitmap& image, const std::string& name);

class SkinnedFormTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the form (client 360 x 200) without skinning it.
  void CreateForm();
  // Skins the form and waits until the frame skinner has finished attaching.
  void Skin();
  HWND Window() const;
  // Refuses the form's closing and notes that it was asked.
  void WatchClose();
  bool closeAsked = false;
  TWinSkinForm* Skinner() const;
  const TSkinElements& Elements() const { return data->Elements(); }

  ui::TForm* form = nullptr;
  TSkinData* data = nullptr;
};

} // namespace vela::skin::test
