#pragma once
// Compression into the LZH stream format that lzh.h expands.
//
// The encoder finds matches with a binary search tree over the 4096-byte ring (one tree per
// first byte), prefers the longest match and, among equally long ones, the nearest, and codes
// literals and lengths with the same adaptive tree as the decoder. Its streams are the ones the
// long-standing reference encoder of this format writes for the same input.
#include <cstdint>
#include <span>
#include <vector>

namespace vela::skin {

// Returns the compressed stream: the input size as a signed 32-bit little-endian value, then the
// bit stream. Throws std::length_error for input of 2 GiB or more, which the size field cannot
// describe.
std::vector<std::uint8_t> LzhCompress(std::span<const std::uint8_t> data);

} // namespace vela::skin
