#include "tools/skinpack/file_io.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace vela::tools {
namespace {

std::string Describe(const std::filesystem::path& path, const char* what) {
  std::string text = std::string("cannot ") + what + " '" + path.string() + "'";
  if (errno != 0)
    text += std::string(": ") + std::strerror(errno);
  return text;
}

} // namespace

bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                   std::string& error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    error = "'" + path.string() + "' is a directory, not a file";
    return false;
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = Describe(path, "open");
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = Describe(path, "read");
    return false;
  }
  return true;
}

bool WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                    std::string& error) {
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = Describe(path, "create");
    return false;
  }
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) {
    error = Describe(path, "write");
    return false;
  }
  return true;
}

} // namespace vela::tools
