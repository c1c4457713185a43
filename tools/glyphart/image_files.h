#pragma once
// Writers for the two file formats the window's resources use: BMP and ICO.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/glyphart/paint.h"

namespace vela::tools {

using Bytes = std::vector<std::uint8_t>;

// A bottom-up 24-bit BMP of the image flattened over an opaque background colour (0xRRGGBB).
Bytes Bmp24(const Image& image, std::uint32_t background);
// A bottom-up 1-bit BMP of images side by side: black (index 0) where a pixel is covered at
// least half, white (index 1) elsewhere.
Bytes Bmp1Strip(const std::vector<const Image*>& cells);
// An icon file with one 32-bit entry (alpha and an AND mask) per image.
Bytes Ico(const std::vector<const Image*>& sizes);

bool WriteFile(const std::string& path, const Bytes& bytes);

} // namespace vela::tools
