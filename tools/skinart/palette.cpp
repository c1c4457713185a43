#include "tools/skinart/palette.h"

#include <algorithm>
#include <cctype>

namespace vela::tools::palette {

namespace {
const Palette* current = nullptr;
} // namespace

const Palette& Calm() {
  static const Palette calm{.skinName = "Vela Calm",
                            .Face = MakePixel(241, 243, 246),
                            .Field = MakePixel(255, 255, 255),
                            .Caption = MakePixel(250, 251, 252),
                            .CaptionOff = MakePixel(243, 244, 246),
                            .Track = MakePixel(232, 235, 239),
                            .Raised = MakePixel(247, 248, 250),
                            .Light = MakePixel(255, 255, 255),
                            .Line = MakePixel(218, 222, 228),
                            .Border = MakePixel(190, 196, 205),
                            .Shadow = MakePixel(150, 157, 168),
                            .DkShadow = MakePixel(108, 115, 126),
                            .FrameOff = MakePixel(186, 191, 199),
                            .Text = MakePixel(33, 37, 43),
                            .TextSoft = MakePixel(78, 85, 96),
                            .TextOff = MakePixel(150, 156, 164),
                            .CaptionText = MakePixel(33, 37, 43),
                            .CaptionTextSoft = MakePixel(78, 85, 96),
                            .CaptionTextOff = MakePixel(150, 156, 164),
                            .Accent = MakePixel(38, 110, 196),
                            .AccentDark = MakePixel(28, 88, 162),
                            .AccentTint = MakePixel(229, 238, 250),
                            .AccentSoft = MakePixel(201, 220, 244),
                            .Hover = MakePixel(228, 232, 237),
                            .Press = MakePixel(212, 217, 224),
                            .Thumb = MakePixel(192, 198, 207),
                            .ThumbHot = MakePixel(166, 173, 184),
                            .ThumbDown = MakePixel(138, 146, 158)};
  return calm;
}

const Palette& Dusk() {
  // Evening tones: lavender-grey surfaces light enough for dark text, a deep indigo caption
  // with light title text, and a violet accent that carries light ink.
  static const Palette dusk{.skinName = "Vela Dusk",
                            .Face = MakePixel(200, 196, 210),
                            .Field = MakePixel(234, 231, 240),
                            .Caption = MakePixel(52, 46, 74),
                            .CaptionOff = MakePixel(92, 86, 112),
                            .Track = MakePixel(184, 179, 197),
                            .Raised = MakePixel(212, 208, 221),
                            .Light = MakePixel(242, 240, 247),
                            .Line = MakePixel(176, 170, 190),
                            .Border = MakePixel(140, 133, 158),
                            .Shadow = MakePixel(112, 105, 130),
                            .DkShadow = MakePixel(40, 35, 58),
                            .FrameOff = MakePixel(120, 114, 138),
                            .Text = MakePixel(28, 24, 38),
                            .TextSoft = MakePixel(70, 64, 86),
                            .TextOff = MakePixel(128, 122, 144),
                            .CaptionText = MakePixel(240, 236, 248),
                            .CaptionTextSoft = MakePixel(200, 194, 216),
                            .CaptionTextOff = MakePixel(160, 154, 178),
                            .Accent = MakePixel(118, 70, 158),
                            .AccentDark = MakePixel(90, 50, 128),
                            .AccentTint = MakePixel(228, 216, 240),
                            .AccentSoft = MakePixel(204, 186, 226),
                            .Hover = MakePixel(214, 209, 226),
                            .Press = MakePixel(190, 184, 206),
                            .Thumb = MakePixel(166, 159, 184),
                            .ThumbHot = MakePixel(144, 137, 164),
                            .ThumbDown = MakePixel(120, 112, 142)};
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
