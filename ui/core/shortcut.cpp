#include "ui/core/shortcut.h"

#include <array>
#include <cwctype>

namespace vela::ui {
namespace {

struct KeyName {
  unsigned key;
  const wchar_t* name;
};

// Keys with a name of their own; letters, digits and function keys are computed.
constexpr std::array<KeyName, 17> kNamedKeys = {{
    {0x08, L"BkSp"}, {0x09, L"Tab"}, {0x0D, L"Enter"}, {0x1B, L"Esc"}, {0x20, L"Space"},
    {0x21, L"PgUp"}, {0x22, L"PgDn"}, {0x23, L"End"}, {0x24, L"Home"}, {0x25, L"Left"},
    {0x26, L"Up"}, {0x27, L"Right"}, {0x28, L"Down"}, {0x2D, L"Ins"}, {0x2E, L"Del"},
    {0xBB, L"="}, {0xBD, L"-"},
}};
constexpr unsigned kF1 = 0x70;
constexpr int kFunctionKeys = 12;

struct Modifier {
  TShortCut bit;
  const wchar_t* name;
};
constexpr std::array<Modifier, 3> kModifiers = {{{scShift, L"Shift+"}, {scCtrl, L"Ctrl+"}, {scAlt, L"Alt+"}}};

std::wstring KeyText(unsigned key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, wchar_t(key));
  if (key >= kF1 && key < kF1 + kFunctionKeys) return L"F" + std::to_wstring(key - kF1 + 1);
  for (const KeyName& k : kNamedKeys)
    if (k.key == key) return k.name;
  return {};
}

std::wstring Upper(std::wstring_view text) {
  std::wstring out;
  for (wchar_t c : text)
    if (!std::iswspace(wint_t(c))) out.push_back(wchar_t(std::towupper(wint_t(c))));
  return out;
}

} // namespace

std::wstring ShortCutToText(TShortCut shortCut) {
  std::wstring key = KeyText(ShortCutKey(shortCut));
  if (key.empty()) return {};
  std::wstring text;
  for (const Modifier& m : kModifiers)
    if (shortCut & m.bit) text += m.name;
  return text + key;
}

TShortCut TextToShortCut(std::wstring_view text) {
  std::wstring rest = Upper(text);
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (const Modifier& m : kModifiers) {
      std::wstring name = Upper(m.name);
      // A lone "-" or "=" is a key, not a modifier followed by nothing.
      if (rest.size() > name.size() && rest.compare(0, name.size(), name) == 0) {
        modifiers |= m.bit;
        rest.erase(0, name.size());
        found = true;
      }
    }
  }
  if (rest.empty()) return scNone;
  for (unsigned key = 1; key <= 0xFF; ++key)
    if (Upper(KeyText(key)) == rest) return ShortCut(key, modifiers);
  return scNone;
}

} // namespace vela::ui
