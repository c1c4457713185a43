#include "skin/data/colours.h"

#include <string>

#include "skin/data/quick_ini.h"

namespace vela::skin {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

ColourCode ParseColour(std::string_view text, ColourCode fallback) {
  if (text.empty()) return fallback;
  text = TrimBlanks(text);
  std::array<int, 3> component{};
  int filled = 0;
  // Only the value modulo 256 matters, so a run is reduced as it grows; numbers of any length
  // are read without overflow.
  int run = 0;
  bool inRun = false;
  for (char c : text) {
    if (IsDigit(c)) {
      run = (run * 10 + (c - '0')) & 0xFF;
      inRun = true;
      continue;
    }
    if (inRun && filled < 3) component[filled++] = run;
    run = 0;
    inRun = false;
  }
  if (inRun && filled == 2) component[filled++] = run;
  return RgbColour(component[0], component[1], component[2]);
}

TSkinColours LoadSkinColours(const TQuickIni& ini) {
  constexpr std::string_view kSection = "Colours";
  const auto read = [&](std::string_view key, ColourCode fallback) {
    return ParseColour(ini.ReadString(kSection, key, ""), fallback);
  };
  TSkinColours c;
  c.WindowText = read("WindowText", c.WindowText);
  c.ButtonFace = read("ButtonFace", c.ButtonFace);
  c.Scrollbar = read("Scrollbar", c.Scrollbar);
  c.HilightText = read("HilightText", c.HilightText);
  c.Hilight = read("Hilight", c.Hilight);
  c.Menubar = read("Menubar", c.ButtonFace);
  c.Menu = read("Menu", c.Menu);
  c.MenuText = read("MenuText", c.MenuText);
  c.ButtonText = read("ButtonText", c.ButtonText);
  c.ButtonHilight = read("ButtonHilight", c.ButtonHilight);
  c.Buttonlight = read("Buttonlight", c.Buttonlight);
  c.ButtonShadow = read("ButtonShadow", c.ButtonShadow);
  c.ButtonDkShadow = read("ButtonDkShadow", c.ButtonDkShadow);
  c.MenuBarText = read("MenuBarText", c.MenuBarText);
  c.TitleTextActive = read("TitleTextActive", c.TitleTextActive);
  c.TitleTextNoActive = read("TitleTextNoActive", c.TitleTextNoActive);
  return c;
}

TCustomColours LoadCustomColours(const TQuickIni& ini) {
  TCustomColours colours = DefaultCustomColours();
  for (int i = 0; i < kCustomColourCount; ++i) {
    const std::string key = "Color" + std::to_string(i);
    colours[std::size_t(i)] = ParseColour(ini.ReadString("Customcolors", key, ""), kCustomColourDefault);
  }
  return colours;
}

} // namespace vela::skin
