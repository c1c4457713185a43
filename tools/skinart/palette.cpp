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
      MakePixel(33, 37, 43),    MakePixel(78, 85, 96),    MakePixel(150, 156, 164),
      MakePixel(38, 110, 196),  MakePixel(28, 88, 162),   MakePixel(229, 238, 250),
      MakePixel(201, 220, 244),
      MakePixel(228, 232, 237), MakePixel(212, 217, 224),
      MakePixel(192, 198, 207), MakePixel(166, 173, 184), MakePixel(138, 146, 158)};
  return calm;
}

const Palette& Dusk() {
  // Evening tones: lavender-grey surfaces light enough for dark text, a deep indigo caption
  // with light title text, and a violet accent that carries light ink.
  static const Palette dusk{
      "Vela Dusk",
      MakePixel(200, 196, 210), MakePixel(234, 231, 240), MakePixel(52, 46, 74),
      MakePixel(92, 86, 112),   MakePixel(184, 179, 197), MakePixel(212, 208, 221),
      MakePixel(242, 240, 247),
      MakePixel(176, 170, 190), MakePixel(140, 133, 158), MakePixel(112, 105, 130),
      MakePixel(40, 35, 58),    MakePixel(120, 114, 138),
      MakePixel(28, 24, 38),    MakePixel(70, 64, 86),    MakePixel(128, 122, 144),
      MakePixel(240, 236, 248), MakePixel(200, 194, 216), MakePixel(160, 154, 178),
      MakePixel(118, 70, 158),  MakePixel(90, 50, 128),   MakePixel(228, 216, 240),
      MakePixel(204, 186, 226),
      MakePixel(214, 209, 226), MakePixel(190, 184, 206),
      MakePixel(166, 159, 184), MakePixel(144, 137, 164), MakePixel(120, 112, 142)};
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
