#pragma once
// Keyboard shortcuts of menu items: a virtual-key code in the low byte and the modifier bits
// scShift, scCtrl and scAlt, as a description stores them ("ShortCut = 16467" is Ctrl+S).
//
//   TShortCut s = ShortCut('S', scCtrl);
//   ShortCutToText(s);                 // L"Ctrl+S"
//   TextToShortCut(L"shift+ctrl+f5");  // ShortCut(VK_F5, scShift | scCtrl)
#include <cstdint>
#include <string>
#include <string_view>

namespace vela::ui {

using TShortCut = std::uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut kShortCutModifiers = scShift | scCtrl | scAlt;

constexpr TShortCut ShortCut(unsigned key, TShortCut modifiers) {
  return TShortCut((key & 0xFF) | (modifiers & kShortCutModifiers));
}
constexpr unsigned ShortCutKey(TShortCut s) { return s & 0xFFu; }

// Modifiers first ("Shift+", "Ctrl+", "Alt+"), then the key's name; empty for scNone or a key
// without a name.
std::wstring ShortCutToText(TShortCut shortCut);
// The reverse, ignoring case and blanks around the parts; scNone for text that names no key.
TShortCut TextToShortCut(std::wstring_view text);

} // namespace vela::ui
