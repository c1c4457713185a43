#pragma once
// Colour codes of the skin engine and the colours a skin gives.
//
// A colour code is a signed 32-bit value: 0x00BBGGRR for an explicit colour, or
// 0xFF000000 + n for the Windows system colour with index n, resolved when painting.
#include <array>
#include <cstdint>
#include <string_view>

namespace vela::skin {

class TQuickIni;

using ColourCode = std::int32_t;

constexpr ColourCode SystemColour(int index) {
  return ColourCode(std::uint32_t(0xFF000000u) + std::uint32_t(index));
}
constexpr bool IsSystemColour(ColourCode code) { return (std::uint32_t(code) >> 24) == 0xFF; }
constexpr int SystemColourIndex(ColourCode code) { return int(std::uint32_t(code) & 0xFFFFFFu); }

constexpr ColourCode RgbColour(int red, int green, int blue) {
  return ColourCode((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// The caption-text colour of a skin that does not give one.
constexpr ColourCode kColourNotGiven = 0x1FFFFFFF;

// Indices of the system colours the skin colours fall back to.
namespace syscolour {
constexpr int kScrollBar = 0;
constexpr int kMenu = 4;
constexpr int kMenuText = 7;
constexpr int kWindowText = 8;
constexpr int kCaptionText = 9;
constexpr int kHighlight = 13;
constexpr int kHighlightText = 14;
constexpr int kButtonFace = 15;
constexpr int kButtonShadow = 16;
constexpr int kButtonText = 18;
constexpr int kInactiveCaptionText = 19;
constexpr int kButtonHighlight = 20;
constexpr int k3dDarkShadow = 21;
} // namespace syscolour

// Reads a colour written as three decimal numbers, red, green and blue, separated by anything
// that is not a digit ("59 97 131", "59,97,131"). Each number is taken modulo 256. An empty
// text gives `fallback`. A number still open at the end of the text counts only when exactly
// two numbers came before it, so "10 20" gives red 10 and nothing else.
ColourCode ParseColour(std::string_view text, ColourCode fallback);

// The skin-wide colours of section "Colours", in reading order.
struct TSkinColours {
  ColourCode WindowText = SystemColour(syscolour::kWindowText);
  ColourCode ButtonFace = SystemColour(syscolour::kButtonFace);
  ColourCode Scrollbar = SystemColour(syscolour::kScrollBar);
  ColourCode HilightText = SystemColour(syscolour::kHighlightText);
  ColourCode Hilight = SystemColour(syscolour::kHighlight);
  ColourCode Menubar = SystemColour(syscolour::kButtonFace);
  ColourCode Menu = SystemColour(syscolour::kMenu);
  ColourCode MenuText = SystemColour(syscolour::kMenuText);
  ColourCode ButtonText = SystemColour(syscolour::kButtonText);
  ColourCode ButtonHilight = SystemColour(syscolour::kButtonHighlight);
  ColourCode Buttonlight = SystemColour(syscolour::kButtonHighlight);
  ColourCode ButtonShadow = SystemColour(syscolour::kButtonShadow);
  ColourCode ButtonDkShadow = SystemColour(syscolour::k3dDarkShadow);
  ColourCode MenuBarText = SystemColour(syscolour::kMenuText);
  ColourCode TitleTextActive = SystemColour(syscolour::kCaptionText);
  ColourCode TitleTextNoActive = SystemColour(syscolour::kInactiveCaptionText);
};

constexpr int kCustomColourCount = 10;
constexpr ColourCode kCustomColourDefault = 0xFFFFFF;
using TCustomColours = std::array<ColourCode, kCustomColourCount>;

constexpr TCustomColours DefaultCustomColours() {
  TCustomColours colours{};
  colours.fill(kCustomColourDefault);
  return colours;
}

// Section "Colours"; every key the skin leaves out keeps its system-colour default ("Menubar"
// defaults to the ButtonFace colour just read).
TSkinColours LoadSkinColours(const TQuickIni& ini);

// Section "Customcolors", keys "Color0" to "Color9" (white when absent).
TCustomColours LoadCustomColours(const TQuickIni& ini);

} // namespace vela::skin
