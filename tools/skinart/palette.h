#pragma once
// The colours of the default skin: soft neutral greys on white with one blue accent. Every
// image and the skin's colour table take their colours from here, so the look stays coherent.
#include "skin/data/raster.h"

namespace vela::tools::palette {

using skin::MakePixel;
using skin::Pixel;

// Surfaces.
constexpr Pixel kFace = MakePixel(241, 243, 246);       // window and control background
constexpr Pixel kWhite = MakePixel(255, 255, 255);      // fields, lists, menus
constexpr Pixel kCaption = MakePixel(250, 251, 252);    // caption bar, active window
constexpr Pixel kCaptionOff = MakePixel(243, 244, 246); // caption bar, inactive window
constexpr Pixel kTrack = MakePixel(232, 235, 239);      // scroll and progress tracks
constexpr Pixel kRaised = MakePixel(247, 248, 250);     // headers and resting tabs

// Lines.
constexpr Pixel kLine = MakePixel(218, 222, 228);    // quiet separators
constexpr Pixel kBorder = MakePixel(190, 196, 205);  // control outlines
constexpr Pixel kShadow = MakePixel(150, 157, 168);  // the skin's button shadow
constexpr Pixel kDkShadow = MakePixel(108, 115, 126);
constexpr Pixel kFrameOff = MakePixel(186, 191, 199); // window outline, inactive

// Text and glyphs.
constexpr Pixel kText = MakePixel(33, 37, 43);
constexpr Pixel kTextSoft = MakePixel(78, 85, 96);
constexpr Pixel kTextOff = MakePixel(150, 156, 164);

// The one accent colour, with a darker tone for pressed states and two light tints.
constexpr Pixel kAccent = MakePixel(38, 110, 196);
constexpr Pixel kAccentDark = MakePixel(28, 88, 162);
constexpr Pixel kAccentTint = MakePixel(229, 238, 250);
constexpr Pixel kAccentSoft = MakePixel(201, 220, 244);

// Hover and press fills of neutral controls.
constexpr Pixel kHover = MakePixel(228, 232, 237);
constexpr Pixel kPress = MakePixel(212, 217, 224);

// Thumbs.
constexpr Pixel kThumb = MakePixel(192, 198, 207);
constexpr Pixel kThumbHot = MakePixel(166, 173, 184);
constexpr Pixel kThumbDown = MakePixel(138, 146, 158);

} // namespace vela::tools::palette
