#pragma once
// A framework form skinned with the default skin, and what the frame tests read back.
#include "skin/data/raster.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/win/ui/ui_test_util.h"
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
Bitmap CaptureWindow(HWND window);
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
