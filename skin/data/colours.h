#pragma once
// Colour codes of the skin engine and the colours a skin gives.
//
// A colour code is a signed 32-bit value: 0x00BBGGRR for an explicit colour, or
// 0xFF000000 + n for the Windows system colour with index n, resolved when painting
// (ui::ColorToRGB).
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

// The colour codes by name: the program's one table of them. The framework's TColor is this
// same type and takes these names into its own namespace (ui/graphics.h).
inline namespace colour_names {
// The system colours, by their index (COLOR_SCROLLBAR is 0, COLOR_INFOBK 24).
constexpr ColourCode clScrollBar = SystemColour(0);
constexpr ColourCode clBackground = SystemColour(1);
constexpr ColourCode clActiveCaption = SystemColour(2);
constexpr ColourCode clInactiveCaption = SystemColour(3);
constexpr ColourCode clMenu = SystemColour(4);
constexpr ColourCode clWindow = SystemColour(5);
constexpr ColourCode clWindowFrame = SystemColour(6);
constexpr ColourCode clMenuText = SystemColour(7);
constexpr ColourCode clWindowText = SystemColour(8);
constexpr ColourCode clCaptionText = SystemColour(9);
constexpr ColourCode clActiveBorder = SystemColour(10);
constexpr ColourCode clInactiveBorder = SystemColour(11);
constexpr ColourCode clAppWorkSpace = SystemColour(12);
constexpr ColourCode clHighlight = SystemColour(13);
constexpr ColourCode clHighlightText = SystemColour(14);
constexpr ColourCode clBtnFace = SystemColour(15);
constexpr ColourCode clBtnShadow = SystemColour(16);
constexpr ColourCode clGrayText = SystemColour(17);
constexpr ColourCode clBtnText = SystemColour(18);
constexpr ColourCode clInactiveCaptionText = SystemColour(19);
constexpr ColourCode clBtnHighlight = SystemColour(20);
constexpr ColourCode cl3DDkShadow = SystemColour(21);
constexpr ColourCode cl3DLight = SystemColour(22);
constexpr ColourCode clInfoText = SystemColour(23);
constexpr ColourCode clInfoBk = SystemColour(24);
// Fixed colours, 0x00BBGGRR.
constexpr ColourCode clBlack = 0x000000;
constexpr ColourCode clMaroon = 0x000080;
constexpr ColourCode clGreen = 0x008000;
constexpr ColourCode clOlive = 0x008080;
constexpr ColourCode clNavy = 0x800000;
constexpr ColourCode clPurple = 0x800080;
constexpr ColourCode clTeal = 0x808000;
constexpr ColourCode clGray = 0x808080;
constexpr ColourCode clSilver = 0xC0C0C0;
constexpr ColourCode clRed = 0x0000FF;
constexpr ColourCode clLime = 0x00FF00;
constexpr ColourCode clYellow = 0x00FFFF;
constexpr ColourCode clBlue = 0xFF0000;
constexpr ColourCode clFuchsia = 0xFF00FF;
constexpr ColourCode clAqua = 0xFFFF00;
constexpr ColourCode clWhite = 0xFFFFFF;
// No colour at all, and "whatever the context uses by default".
constexpr ColourCode clNone = 0x1FFFFFFF;
constexpr ColourCode clDefault = 0x20000000;
} // namespace colour_names

// The caption-text colour of a skin that does not give one.
constexpr ColourCode kColourNotGiven = clNone;

// Reads a colour written as three decimal numbers, red, green and blue, separated by anything
// that is not a digit ("59 97 131", "59,97,131"). Each number is taken modulo 256. An empty
// text gives `fallback`. A number still open at the end of the text counts only when exactly
// two numbers came before it, so "10 20" gives red 10 and nothing else.
ColourCode ParseColour(std::string_view text, ColourCode fallback);

// The skin-wide colours of section "Colours", in reading order.
struct TSkinColours {
  ColourCode WindowText = clWindowText;
  ColourCode ButtonFace = clBtnFace;
  ColourCode Scrollbar = clScrollBar;
  ColourCode HilightText = clHighlightText;
  ColourCode Hilight = clHighlight;
  ColourCode Menubar = clBtnFace;
  ColourCode Menu = clMenu;
  ColourCode MenuText = clMenuText;
  ColourCode ButtonText = clBtnText;
  ColourCode ButtonHilight = clBtnHighlight;
  ColourCode Buttonlight = clBtnHighlight;
  ColourCode ButtonShadow = clBtnShadow;
  ColourCode ButtonDkShadow = cl3DDkShadow;
  ColourCode MenuBarText = clMenuText;
  ColourCode TitleTextActive = clCaptionText;
  ColourCode TitleTextNoActive = clInactiveCaptionText;
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
