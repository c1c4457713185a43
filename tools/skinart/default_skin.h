#pragma once
// The default skin as files: every image of the skin and the description that names them.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/skinart/canvas.h"
#include "tools/skinart/palette.h"

namespace vela::tools {

struct SkinImage {
  std::string file; // member name, as the description spells it
  Canvas image;
};

struct DefaultSkin {
  std::vector<SkinImage> images;
  std::string ini; // CR LF line ends
};

// The name of the description member.
inline constexpr const char* kSkinIniName = "skin.ini";

// The default skin, "Vela Calm".
DefaultSkin BuildDefaultSkin();
// The same skin drawn in the colours of a palette (its name becomes the skin's name).
DefaultSkin BuildSkin(const palette::Palette& colours);

// A bottom-up 24-bit Windows bitmap file of the image.
std::vector<std::uint8_t> EncodeBmp24(const Bitmap& image);

} // namespace vela::tools
