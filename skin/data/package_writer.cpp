#include "skin/data/package_writer.h"

#include <set>
#include <stdexcept>

#include "skin/data/lzh_encoder.h"
#include "skin/data/skin_reader.h"

namespace vela::skin {
namespace {

void AppendInt32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    out.push_back(std::uint8_t(value >> (8 * i)));
}

std::string LowerAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  }
  return s;
}

void CheckMembers(const std::vector<PackageMember>& members) {
  if (members.size() > std::size_t(TSkinReader::kMaxMembers)) {
    throw std::invalid_argument("a package holds at most " +
                                std::to_string(TSkinReader::kMaxMembers) + " members, not " +
                                std::to_string(members.size()));
  }
  std::set<std::string> seen;
  for (const PackageMember& m : members) {
    if (m.name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
      throw std::invalid_argument("member name \"" + m.name + "\" holds a line break or zero byte");
    }
    // An empty name cannot be told from a blank line at the end of the name text.
    if (m.name.empty())
      throw std::invalid_argument("a member name is empty");
    if (!seen.insert(LowerAscii(m.name)).second) {
      throw std::invalid_argument("member name \"" + m.name +
                                  "\" occurs twice (ASCII case ignored)");
    }
  }
}

} // namespace

std::vector<std::uint8_t> BuildPackage(const std::vector<PackageMember>& members) {
  CheckMembers(members);
  std::string names;
  std::uint64_t total = 16;
  for (const PackageMember& m : members) {
    names += m.name;
    names += "\r\n";
    total += 4 + m.bytes.size();
  }
  total += names.size();
  if (total > std::uint64_t(TSkinReader::kMaxPackageSize)) {
    throw std::invalid_argument("the package would be " + std::to_string(total) +
                                " bytes, beyond the limit of " +
                                std::to_string(TSkinReader::kMaxPackageSize) + " bytes");
  }
  std::vector<std::uint8_t> out;
  out.reserve(std::size_t(total));
  AppendInt32(out, std::uint32_t(TSkinReader::kPackageVersion));
  AppendInt32(out, std::uint32_t(names.size()));
  out.insert(out.end(), 8, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const PackageMember& m : members)
    AppendInt32(out, std::uint32_t(m.bytes.size()));
  for (const PackageMember& m : members)
    out.insert(out.end(), m.bytes.begin(), m.bytes.end());
  return out;
}

std::vector<std::uint8_t> BuildSkinFile(const std::vector<PackageMember>& members) {
  return LzhCompress(BuildPackage(members));
}

} // namespace vela::skin
