#include "skin/data/skin_reader.h"

#include "skin/data/lzh.h"

namespace vela::skin {
namespace {

constexpr std::size_t kHeaderSize = 16;

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return std::int32_t(std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
                      std::uint32_t(bytes[offset + 2]) << 16 |
                      std::uint32_t(bytes[offset + 3]) << 24);
}

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  }
  return out;
}

// Splits the name text into lines as a string list splits text: a line ends at CR, LF or CR LF,
// the text after the last break is a line only when it is not empty, and a zero byte ends it.
// Splitting stops after `limit` lines: a name text of millions of empty lines is refused by its
// count, and need not be held to be counted.
std::vector<std::string> SplitNames(std::string_view text, std::size_t limit) {
  std::vector<std::string> names;
  std::size_t i = 0;
  while (i < text.size() && text[i] != '\0' && names.size() < limit) {
    const std::size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n' && text[i] != '\0')
      ++i;
    names.emplace_back(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r')
      ++i;
    if (i < text.size() && text[i] == '\n')
      ++i;
  }
  return names;
}

} // namespace

void TSkinReader::Reset(PackageStatus status, std::string problem) {
  problem_ = std::move(problem);
  names_.clear();
  sizes_.clear();
  offsets_.clear();
  members_.Clear();
  status_ = status;
}

bool TSkinReader::LoadPackage(MemoryStream& source) {
  Reset(PackageStatus::NotLoaded);
  MemoryStream expanded;
  if (!UnpackLzhStream(source, expanded, kMaxPackageSize)) {
    Reset(PackageStatus::Damaged,
          source.Size() < 4
              ? "no size field"
              : "expanded size beyond the limit of " + std::to_string(kMaxPackageSize) + " bytes");
    return false;
  }
  return LoadExpanded(expanded.TakeBytes());
}

bool TSkinReader::LoadExpanded(std::vector<std::uint8_t> package) {
  Reset(PackageStatus::NotLoaded);
  if (package.size() < kHeaderSize) {
    Reset(PackageStatus::Damaged, "shorter than the package header");
    return false;
  }
  if (Int32At(package, 0) != kPackageVersion) {
    Reset(PackageStatus::WrongVersion, "version " + std::to_string(Int32At(package, 0)) +
                                           " instead of " + std::to_string(kPackageVersion));
    if (ShowMessage)
      ShowMessage(kOlderSkinMessage);
    return false;
  }
  std::string problem = ReadStructure(package);
  if (!problem.empty()) {
    Reset(PackageStatus::Damaged, std::move(problem));
    return false;
  }
  members_.Assign(std::move(package));
  status_ = PackageStatus::Loaded;
  return true;
}

std::string TSkinReader::ReadStructure(const std::vector<std::uint8_t>& package) {
  const std::int32_t nameLength = Int32At(package, 4);
  if (nameLength < 0 || std::size_t(nameLength) > package.size() - kHeaderSize) {
    return "name text length " + std::to_string(nameLength) + " does not fit the package";
  }
  const std::string_view text(reinterpret_cast<const char*>(package.data()) + kHeaderSize,
                              std::size_t(nameLength));
  std::vector<std::string> names = SplitNames(LowerAscii(text), std::size_t(kMaxMembers) + 1);
  if (names.size() > std::size_t(kMaxMembers))
    return "more than " + std::to_string(kMaxMembers) + " member names";

  const std::size_t sizesAt = kHeaderSize + std::size_t(nameLength);
  if (names.size() * 4 > package.size() - sizesAt)
    return "the member sizes run past the end";
  std::vector<std::int32_t> sizes(names.size());
  std::vector<std::uint64_t> offsets(names.size());
  std::uint64_t offset = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    sizes[i] = Int32At(package, sizesAt + 4 * i);
    // A negative size would move every later member backwards; nothing sound can be served.
    if (sizes[i] < 0)
      return "member \"" + names[i] + "\" has a negative size";
    offsets[i] = offset;
    offset += std::uint64_t(sizes[i]);
  }
  // Offsets count from the package start: the package is kept whole rather than copied.
  const std::size_t membersAt = sizesAt + 4 * names.size();
  for (std::uint64_t& o : offsets)
    o += membersAt;
  names_ = std::move(names);
  sizes_ = std::move(sizes);
  offsets_ = std::move(offsets);
  return {};
}

bool TSkinReader::MemberReadable(int index) const {
  if (index < 0 || std::size_t(index) >= names_.size())
    return false;
  return offsets_[std::size_t(index)] + std::uint64_t(sizes_[std::size_t(index)]) <=
         members_.Size();
}

bool TSkinReader::CopyMember(std::size_t index, MemoryStream& destination) const {
  // A member that runs past the member area is damaged and yields nothing.
  if (!MemberReadable(int(index)))
    return false;
  destination.Write(members_.Data() + offsets_[index], std::size_t(sizes_[index]));
  destination.SetPosition(0);
  return true;
}

bool TSkinReader::HasMember(std::string_view name) const {
  const std::string wanted = LowerAscii(name);
  for (const std::string& n : names_) {
    if (n == wanted)
      return true;
  }
  return false;
}

std::string TSkinReader::MemberKey(std::string_view name) { return LowerAscii(name); }

bool TSkinReader::ExtractMember(std::string_view name, MemoryStream& destination) const {
  destination.Clear();
  const std::string wanted = LowerAscii(name);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == wanted)
      return CopyMember(i, destination);
  }
  return false;
}

bool TSkinReader::ExtractFirstMatching(std::string_view fragment, MemoryStream& destination,
                                       std::string& name) const {
  destination.Clear();
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].find(fragment) == std::string::npos)
      continue;
    if (!CopyMember(i, destination))
      return false;
    name = names_[i];
    return true;
  }
  return false;
}

} // namespace vela::skin
