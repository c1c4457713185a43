#include "skin/data/quick_ini.h"

#include <limits>

namespace vela::skin {
namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    c = LowerAscii(c);
  return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i]))
      return false;
  }
  return true;
}

bool IsSectionHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Whether the key of a line (the text before the first "=", trimmed; empty without "=") is
// `key`, ignoring ASCII case.
bool HasKey(std::string_view line, std::string_view key) {
  const std::size_t eq = line.find('=');
  return EqualsIgnoringAsciiCase(eq == std::string_view::npos ? std::string_view{}
                                                              : Trim(line.substr(0, eq)),
                                 key);
}

std::string_view ValueOf(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos)
    return {};
  return Trim(line.substr(eq + 1));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

} // namespace

void TQuickIni::LoadFromStream(MemoryStream& stream) {
  const auto rest = stream.RemainingView();
  LoadFromText(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
  stream.SetPosition(stream.Size());
}

void TQuickIni::LoadFromText(std::string_view text) {
  lines_.clear();
  sections_.clear();
  firstSection_.clear();
  std::size_t i = 0;
  while (i < text.size() && text[i] != '\0') {
    const std::size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n' && text[i] != '\0')
      ++i;
    const std::string_view line = Trim(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r')
      ++i;
    if (i < text.size() && text[i] == '\n')
      ++i;
    if (line.empty() || line.front() == ';')
      continue;
    lines_.emplace_back(line);
    if (IsSectionHeader(line)) {
      sections_.emplace_back(std::string(line), lines_.size() - 1);
      firstSection_.emplace(LowerAscii(line), lines_.size() - 1);
    }
  }
}

std::ptrdiff_t TQuickIni::FindSection(std::string_view section) const {
  std::string header;
  header.reserve(section.size() + 2);
  header.append("[").append(section).append("]");
  const auto found = firstSection_.find(LowerAscii(header));
  return found == firstSection_.end() ? -1 : std::ptrdiff_t(found->second);
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
  std::string result(defaultValue);
  if (lines_.empty())
    return result;
  const std::ptrdiff_t header = FindSection(section);
  if (header < 0)
    return result;
  for (std::size_t i = std::size_t(header) + 1; i < lines_.size(); ++i) {
    const std::string& line = lines_[i];
    if (IsSectionHeader(line))
      break;
    if (!HasKey(line, key))
      continue;
    const std::string_view value = ValueOf(line);
    if (!value.empty())
      result.assign(value);
    break;
  }
  return result;
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const {
  std::string s = ReadString(section, key, "");
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
    s.replace(0, 2, "$");
  std::int32_t value = 0;
  return ParseIniInteger(s, value) ? value : defaultValue;
}

void TQuickIni::ReadSections(std::vector<std::string>& sections) const {
  sections.clear();
  sections.reserve(sections_.size());
  for (const auto& entry : sections_) {
    const std::string_view line = entry.first;
    sections.emplace_back(Trim(line.substr(1, line.size() - 2)));
  }
}

bool ParseIniInteger(std::string_view text, std::int32_t& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    negative = text[i++] == '-';
  if (i >= text.size())
    return false;
  std::uint64_t magnitude = 0;
  if (text[i] == '$') {
    // Hexadecimal covers the full 32 bits, so that "$FF000005" (a system colour code) reads
    // as the negative number it stands for.
    if (++i >= text.size())
      return false;
    for (; i < text.size(); ++i) {
      const int d = HexDigit(text[i]);
      if (d < 0)
        return false;
      magnitude = magnitude * 16 + std::uint64_t(d);
      if (magnitude > 0xFFFFFFFFull)
        return false;
    }
    const auto bits =
        std::uint32_t(negative ? 0u - std::uint32_t(magnitude) : std::uint32_t(magnitude));
    value = std::int32_t(bits);
    return true;
  }
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9')
      return false;
    magnitude = magnitude * 10 + std::uint64_t(text[i] - '0');
    if (magnitude > std::uint64_t(std::numeric_limits<std::int32_t>::max()) + 1)
      return false;
  }
  if (!negative && magnitude > std::uint64_t(std::numeric_limits<std::int32_t>::max()))
    return false;
  value = negative ? std::int32_t(-std::int64_t(magnitude)) : std::int32_t(magnitude);
  return true;
}

} // namespace vela::skin
