#pragma once
// Helpers of the skin data and skin manager tests: the default skin file, skin packages made
// on the spot, forms carrying a skin data component, and pumping messages until something
// happens.
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "ui/form.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vela::skin::test {

// Pumps the thread's messages until `done` holds or `timeoutMs` has passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);
void PumpMessages();

// The packed default skin.
const std::vector<std::uint8_t>& DefaultSkinFile();
// A skin file whose package says it is of another version.
std::vector<std::uint8_t> OtherVersionSkinFile();
// "SkinStream" data as a description stores it: a 32-bit length, then the bytes, in hex.
std::string StoredSkinHex(const std::vector<std::uint8_t>& skinFile);

// Every test starts and ends without a manager, and message boxes of the components under test
// are recorded instead of shown.
class SkinFormsTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A form read from a description holding one TSkinData named SkinData1 with these property
  // lines (and, when `skinFile` is not empty, the skin stored inline).
  ui::TForm* ReadForm(const std::string& skinDataLines, const std::vector<std::uint8_t>& skinFile = {});
  // A skin data component made in code with the default skin loaded (registered only once
  // Loaded runs).
  TSkinData* NewLoadedSkinData(ui::TComponent* owner, TSkinFormType type);

  std::vector<ui::TForm*> forms;
  std::vector<std::wstring> messages;
};

} // namespace vela::skin::test
