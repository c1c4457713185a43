#pragma once
// The skin package: an LZH-compressed container of named members (bitmaps and one INI text).
//
// Expanded layout, integers little-endian and signed 32-bit:
//
//   0        version (20000)
//   4        L, length of the name text
//   8        8 reserved bytes, never read
//   16       name text, one member name per line
//   16+L     n member sizes, one per name line
//   16+L+4n  member bytes, concatenated in name order
//
// The reader lives only while a skin loads. It never reads outside the expanded data and never
// expands more than kMaxPackageSize bytes: a package that breaks its own structure loads like a
// damaged skin, with no members.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/memory_stream.h"

namespace vela::skin {

enum class PackageStatus {
  NotLoaded,
  Loaded,
  WrongVersion, // the version is not 20000; the older-skin message was shown
  Damaged,      // over the size cap, truncated, or inconsistent sizes; nothing is served
};

class TSkinReader {
public:
  static constexpr std::int32_t kPackageVersion = 20000;
  static constexpr int kMaxMembers = 1001;
  // No real skin comes near this (the stored skin expands to about 540 kB); the cap keeps a
  // hostile size field from making the loader allocate gigabytes.
  static constexpr std::int32_t kMaxPackageSize = 64 * 1024 * 1024;
  // The message shown for a package of another version (a CR between the two sentences).
  static constexpr std::string_view kOlderSkinMessage =
      "This is Older Skin File\rPlease update to new version !";

  TSkinReader() = default;
  ~TSkinReader() = default;
  TSkinReader(const TSkinReader&) = delete;
  TSkinReader& operator=(const TSkinReader&) = delete;

  // Shows the older-skin message. The portable reader has no message box of its own; the
  // Windows skin data component sets this to one. When empty, nothing is shown.
  std::function<void(std::string_view)> ShowMessage;

  // Expands `source` (a compressed skin file, read from position 0) and reads the package.
  // Returns true for a package of version 20000 whose structure holds; false otherwise, with
  // no members (Status() tells why).
  bool LoadPackage(MemoryStream& source);
  // Reads an already expanded package.
  bool LoadExpanded(std::vector<std::uint8_t> package);

  // Clears `destination` and fills it with the member of that name (ASCII case ignored),
  // positioned at 0. Leaves it empty when there is no such member. Returns whether it found one.
  bool ExtractMember(std::string_view name, MemoryStream& destination) const;
  // Clears `destination` and fills it with the first member whose lower-cased name contains
  // `fragment` (case-sensitive), positioned at 0, and stores that member's name in `name`.
  // When none matches, `destination` stays empty, `name` is unchanged and the result is false.
  bool ExtractFirstMatching(std::string_view fragment, MemoryStream& destination,
                            std::string& name) const;

  // Whether a member of that name (ASCII case ignored) is listed, readable or not.
  bool HasMember(std::string_view name) const;
  // The form in which names are kept and compared: ASCII letters lower-cased.
  static std::string MemberKey(std::string_view name);

  PackageStatus Status() const { return status_; }
  // Why the last load failed, in words (empty after a successful load).
  const std::string& Problem() const { return problem_; }
  int MemberCount() const { return int(names_.size()); }
  // Lower-cased member names in package order.
  const std::vector<std::string>& MemberNames() const { return names_; }
  // The size recorded for member `index` (as stored, possibly beyond the member area).
  std::int32_t MemberSize(int index) const { return sizes_.at(std::size_t(index)); }
  // Whether member `index` lies wholly inside the member area and can be extracted.
  bool MemberReadable(int index) const;

private:
  void Reset(PackageStatus status, std::string problem = {});
  // Reads names, sizes and members; returns what is wrong, or an empty text.
  std::string ReadStructure(const std::vector<std::uint8_t>& package);
  bool CopyMember(std::size_t index, MemoryStream& destination) const;

  std::vector<std::string> names_;
  std::vector<std::int32_t> sizes_;
  std::vector<std::uint64_t> offsets_; // start of each member in members_
  MemoryStream members_;               // the whole expanded package
  PackageStatus status_ = PackageStatus::NotLoaded;
  std::string problem_;
};

} // namespace vela::skin
