#include "tools/skinart/palette.h"

#include <algorithm>
#include <cctype>

namespace vela::tools::palette {

namespace {
const Palette* current = nullptr;
} // namespace

const Palette& Calm() {
  static const Palette calm{
      "Vela Calm",
      MakePixel(241, 243, 246), MakePixel(255, 255, 255), MakePixel(250, 251, 252),
      MakePixel(243, 244, 246), MakePixel(232, 235, 239), MakePixel(247, 248, 250),
      MakePixel(255, 255, 255),
      MakePixel(218, 222, 228), MakePixel(190, 196, 205), MakePixel(150, 157, 168),
      MakePixel(108, 115, 126), MakePixel(186, 191, 199),
      MakePixel(33, 37, 43),    MakePixel(78, 85, 96),    MakePixel(150, 156, 164),
      MakePixel(38, 110, 196),  MakePixel(28, 88, 162),   MakePixel(229, 238, 250),
      MakePixel(201, 220, 244),
      MakePixel(228, 232, 237), MakePixel(212, 217, 224),
      MakePixel(192, 198, 207), MakePixel(166, 173, 184), MakePixel(138, 146, 158)};
  return calm;
}

const Palette& Dusk() {
  // Surfaces step up in lightness from the fields to the raised parts; the text keeps a high
  // contrast on all of them, and the amber accent carries dark ink.
  static const Palette dusk{
      "Vela Dusk",
      MakePixel(38, 42, 51),    MakePixel(27, 30, 37),    MakePixel(31, 34, 42),
      MakePixel(45, 49, 58),    MakePixel(52, 57, 68),    MakePixel(47, 52, 62),
      MakePixel(88, 96, 112),
      MakePixel(58, 64, 76),    MakePixel(80, 88, 104),   MakePixel(20, 22, 27),
      MakePixel(10, 11, 14),    MakePixel(66, 72, 84),
      MakePixel(228, 231, 237), MakePixel(172, 179, 191), MakePixel(110, 118, 131),
      MakePixel(236, 148, 62),  MakePixel(204, 116, 38),  MakePixel(66, 54, 45),
      MakePixel(102, 76, 53),
      MakePixel(57, 63, 75),    MakePixel(69, 76, 90),
      MakePixel(86, 94, 110),   MakePixel(106, 115, 133), MakePixel(128, 138, 157)};
  return dusk;
}

const Palette* ByName(const std::string& name) {
  std::string key = name;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  if (key == "calm")
    return &Calm();
  if (key == "dusk")
    return &Dusk();
  return nullptr;
}

const Palette& Current() {
  return current ? *current : Calm();
}

TUsePalette::TUsePalette(const Palette& palette) : previous_(current) {
  current = &palette;
}

TUsePalette::~TUsePalette() {
  current = previous_;
}

} // namespace vela::tools::palette
