#pragma once
// Whole-file reads and writes for the skin packer, with error texts fit for a user.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vela::tools {

// Reads the whole file. Returns false with `error` set when it cannot.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                   std::string& error);
// Writes the bytes, replacing the file. Returns false with `error` set when it cannot.
bool WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                    std::string& error);

} // namespace vela::tools
