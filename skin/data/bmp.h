#pragma once
// Decoder of Windows bitmap files (the members of a skin package).
//
// Reads 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up and top-down rows, palettes,
// BITFIELDS masks and RLE4/RLE8 compression, from the file header on. Anything it cannot read
// safely (truncated data, sizes that point outside the file, dimensions beyond the raster caps,
// unknown bit counts or compressions) yields an empty bitmap, which the skin engine treats as
// a missing image.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "skin/data/raster.h"

namespace vela::skin {

// Decodes a whole bitmap file. Returns an empty Bitmap when the file cannot be read.
Bitmap DecodeBmp(std::span<const std::uint8_t> file);

// Replaces `out` with the decoded file; returns false (and leaves `out` empty) on failure, and
// then says why in `why` when given (a short phrase such as "pixel rows truncated").
bool LoadBitmapFromBmp(std::span<const std::uint8_t> file, Bitmap& out, std::string* why = nullptr);

// The dimensions the headers of a readable file give, without decoding its pixels; false when
// the headers cannot be read. A file with readable headers may still fail to decode.
bool ReadBmpSize(std::span<const std::uint8_t> file, int& width, int& height);

} // namespace vela::skin
