#pragma once
// The colours of a skin drawn by skinart. Every image and the skin's colour table take their
// colours from the palette in use, so one set of drawings makes each variant coherent:
// "Vela Calm" (soft neutral greys on white with one blue accent, the default skin) and
// "Vela Dusk" (lavender-grey surfaces under a deep indigo caption, with one violet accent).
// Control text that the skin does not colour stays the system's dark text, so the surfaces
// behind it stay light enough in every variant; only the caption bar may be dark.
#include "skin/data/raster.h"

#include <string>

namespace vela::tools::palette {

using skin::MakePixel;
using skin::Pixel;

struct Palette {
  std::string skinName;
  // Surfaces.
  Pixel Face;       // window and control background
  Pixel Field;      // fields, lists, menus
  Pixel Caption;    // caption bar, active window
  Pixel CaptionOff; // caption bar, inactive window
  Pixel Track;      // scroll and progress tracks
  Pixel Raised;     // headers and resting tabs
  Pixel Light;      // the lit edge of raised controls
  // Lines.
  Pixel Line;   // quiet separators
  Pixel Border; // control outlines
  Pixel Shadow; // the skin's button shadow
  Pixel DkShadow;
  Pixel FrameOff; // window outline, inactive
  // Text and glyphs.
  Pixel Text;
  Pixel TextSoft;
  Pixel TextOff;
  // Title text and caption-button glyphs on the caption bar.
  Pixel CaptionText;
  Pixel CaptionTextSoft;
  Pixel CaptionTextOff;
  // The one accent colour, with a deeper tone for pressed states, and two tints of it on the
  // surfaces. Ink drawn on the accent is the Field colour.
  Pixel Accent;
  Pixel AccentDark;
  Pixel AccentTint;
  Pixel AccentSoft;
  // Hover and press fills of neutral controls.
  Pixel Hover;
  Pixel Press;
  // Thumbs.
  Pixel Thumb;
  Pixel ThumbHot;
  Pixel ThumbDown;
};

// The two variants.
const Palette& Calm();
const Palette& Dusk();
// The variant of that name ("calm", "dusk"; any letter case), or null.
const Palette* ByName(const std::string& name);

// The palette the drawings use now (Calm unless a TUsePalette says otherwise).
const Palette& Current();

// Makes a palette the current one for its lifetime.
class TUsePalette {
public:
  explicit TUsePalette(const Palette& palette);
  ~TUsePalette();
  TUsePalette(const TUsePalette&) = delete;
  TUsePalette& operator=(const TUsePalette&) = delete;

private:
  const Palette* previous_;
};

} // namespace vela::tools::palette

namespace vela::tools {
// Short for the current palette, as the drawing code reads it.
inline const palette::Palette& pal() {
  return palette::Current();
}
} // namespace vela::tools
