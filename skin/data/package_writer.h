#pragma once
// Writing skin packages: the inverse of TSkinReader, used by the skin packer and by tests.
#include <cstdint>
#include <string>
#include <vector>

namespace vela::skin {

struct PackageMember {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

// Lays out an expanded package: version 20000, the name text (each name ended by CR LF), zeroed
// reserved bytes, the member sizes and the member bytes. Throws std::invalid_argument when the
// members cannot form a package that TSkinReader accepts: more than 1001 members, a name holding
// CR, LF or a zero byte, two names equal apart from ASCII case, or a total beyond the size cap.
std::vector<std::uint8_t> BuildPackage(const std::vector<PackageMember>& members);

// BuildPackage, then compression into a skin file.
std::vector<std::uint8_t> BuildSkinFile(const std::vector<PackageMember>& members);

} // namespace vela::skin
