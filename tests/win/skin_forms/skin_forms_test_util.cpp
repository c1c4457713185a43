#include "tests/win/skin_forms/skin_forms_test_util.h"

#include "skin/data/lzh_encoder.h"
#include "skin/data/package_writer.h"
#include "ui/application.h"
#include "ui/core/stream.h"

#include <fstream>
#include <iterator>

namespace vela::skin::test {

void PumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    // Wakes for the next message instead of polling on a fixed beat.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    PumpMessages();
  }
  return true;
}

const std::vector<std::uint8_t>& DefaultSkinFile() {
  static const std::vector<std::uint8_t> bytes = [] {
    std::ifstream in(VELA_DEFAULT_SKN, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  return bytes;
}

std::vector<std::uint8_t> OtherVersionSkinFile() {
  std::vector<std::uint8_t> package = BuildPackage({{"skin.ini", {'[', 'a', ']'}}});
  package[0] = 0x1F; // 19999 instead of 20000
  package[1] = 0x4E;
  return LzhCompress(package);
}

std::string StoredSkinHex(const std::vector<std::uint8_t>& skinFile) {
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  auto put = [&](std::uint8_t b) {
    hex.push_back(digits[b >> 4]);
    hex.push_back(digits[b & 15]);
  };
  std::uint32_t n = std::uint32_t(skinFile.size());
  for (int i = 0; i < 4; ++i) put(std::uint8_t(n >> (8 * i)));
  for (std::uint8_t b : skinFile) put(b);
  return hex;
}

void SkinFormsTest::SetUp() {
  ui::Application->Initialize();
  ASSERT_FALSE(DefaultSkinFile().empty()) << "the default skin was not built: " << VELA_DEFAULT_SKN;
  FreeSkinManager();
}

void SkinFormsTest::TearDown() {
  for (ui::TForm* form : forms) delete form;
  forms.clear();
  FreeSkinManager();
  PumpMessages();
}

ui::TForm* SkinFormsTest::ReadForm(const std::string& skinDataLines, const std::vector<std::uint8_t>& skinFile) {
  auto* form = new ui::TForm(nullptr);
  forms.push_back(form);
  form->SetBounds(100, 100, 300, 200);
  std::string text = "object Probe: TForm\n  object SkinData1: TSkinData\n" + skinDataLines;
  if (!skinFile.empty()) text += "    SkinStream = {" + StoredSkinHex(skinFile) + "}\n";
  text += "  end\nend\n";
  ui::RegisterClass(TSkinData::StaticClassInfo());
  form->ReadDescriptionText(text);
  return form;
}

TSkinData* SkinFormsTest::NewLoadedSkinData(ui::TComponent* owner, TSkinFormType type) {
  auto* data = new TSkinData(owner);
  data->ShowMessage = [this](const std::wstring& text) { messages.push_back(text); };
  data->SetSkinFormtype(type);
  ui::TMemoryStream stored;
  stored.WriteInt32(std::int32_t(DefaultSkinFile().size()));
  stored.WriteBuffer(DefaultSkinFile().data(), DefaultSkinFile().size());
  stored.SetPosition(0);
  data->ReadSkinStream(stored);
  return data;
}

} // namespace vela::skin::test
