#pragma once
// A minimal PNG writer for test output: 8-bit RGB, no filtering, and a zlib stream of stored
// (uncompressed) deflate blocks. Large, but any viewer opens it and it needs no library.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "skin/data/raster.h"

namespace vela::test {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// The zlib stream (header, stored blocks of at most 65535 bytes, Adler-32) of `data`.
std::vector<std::uint8_t> ZlibStored(std::span<const std::uint8_t> data);

std::vector<std::uint8_t> EncodePng(const skin::Raster& image);
bool WritePng(const std::string& path, const skin::Raster& image);

} // namespace vela::test
