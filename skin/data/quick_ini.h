#pragma once
// The INI reader of a skin: section, key and value lookups over the description member.
//
// Lines are trimmed (characters 0 to 32 at both ends), empty lines and lines starting with ";"
// are dropped, and the rest are kept in file order. The first occurrence of a section header
// and, inside it, of a key decides; keys match in any ASCII case; an empty value reads as the
// caller's default. Text is kept as the bytes of the file (the ANSI code page).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "skin/data/memory_stream.h"

namespace vela::skin {

class TQuickIni {
public:
  TQuickIni() = default;
  ~TQuickIni() = default;

  // Reads every byte from the stream's position to its end as the text and rebuilds the lists.
  void LoadFromStream(MemoryStream& stream);
  void LoadFromText(std::string_view text);

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal or hexadecimal ("$" or "0x" prefix) with an optional sign; anything else, an empty
  // value included, gives the default.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue) const;
  // Replaces `sections` with the section names in file order, without brackets, trimmed.
  void ReadSections(std::vector<std::string>& sections) const;

  // Every kept line, trimmed, in file order.
  const std::vector<std::string>& Lines() const { return lines_; }

private:
  // Index in lines_ of the header line of `section`, or -1.
  std::ptrdiff_t FindSection(std::string_view section) const;

  std::vector<std::string> lines_;
  // Each section header line (trimmed, with brackets) and its index in lines_.
  std::vector<std::pair<std::string, std::size_t>> sections_;
  // The first header of each section, lower-cased, and its index in lines_: a lookup costs the
  // length of its own section, not the number of sections before it.
  std::unordered_map<std::string, std::size_t> firstSection_;
};

// Converts text as the INI reader's integers are converted: an optional sign, then decimal
// digits or "$" and hexadecimal digits. Returns false for anything else.
bool ParseIniInteger(std::string_view text, std::int32_t& value);

} // namespace vela::skin
