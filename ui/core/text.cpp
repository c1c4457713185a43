#include "ui/core/text.h"

#include "ui/core/exceptions.h"

#include <limits>

namespace vela::ui {

namespace {

void AppendUtf16(std::wstring& out, char32_t cp) {
  if constexpr (sizeof(wchar_t) == 4) {
    out.push_back(wchar_t(cp));
    return;
  }
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(wchar_t(0xD800 + (cp >> 10)));
    out.push_back(wchar_t(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(wchar_t(cp));
  }
}

// Decodes one UTF-8 sequence at text[i]; malformed bytes become U+FFFD, one byte at a time.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(text[i++]);
  if (b0 < 0x80) return b0;
  int extra = b0 >= 0xF0 && b0 < 0xF5 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC2 && b0 < 0xE0 ? 1 : -1;
  if (extra < 0 || (b0 >= 0xF5)) return 0xFFFD;
  char32_t cp = b0 & (0x3F >> extra);
  std::size_t start = i;
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      i = start;
      return 0xFFFD;
    }
    cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(char(cp));
  } else if (cp < 0x800) {
    out.push_back(char(0xC0 | (cp >> 6)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(char(0xE0 | (cp >> 12)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (cp >> 18)));
    out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  }
}

} // namespace

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf16(out, DecodeUtf8(text, i));
  return out;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = char32_t(text[i]) & 0xFFFF;
    if (sizeof(wchar_t) == 4) cp = char32_t(text[i]);
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {
      char32_t lo = char32_t(text[i + 1]) & 0xFFFF;
      if (lo >= 0xDC00 && lo < 0xE000) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
        ++i;
      } else {
        cp = 0xFFFD;
      }
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

std::string AsciiLowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

std::string AsciiUpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool TryStrToInt64(std::string_view text, std::int64_t& value) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  std::uint64_t magnitude = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : 99;
    if (digit >= base) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > (std::uint64_t(1) << 63)) return false;
  }
  if (!negative && magnitude > std::uint64_t(std::numeric_limits<std::int64_t>::max())) return false;
  value = negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude);
  return true;
}

bool TryStrToInt(std::wstring_view text, int& value) {
  std::string narrow;
  for (wchar_t c : text) {
    if (c > 0x7F) return false;
    narrow.push_back(char(c));
  }
  std::int64_t v = 0;
  if (!TryStrToInt64(narrow, v)) return false;
  // Hexadecimal text may spell a 32-bit pattern such as $FFFFFFFF.
  if (v > std::numeric_limits<std::uint32_t>::max() || v < std::numeric_limits<std::int32_t>::min())
    return false;
  value = static_cast<int>(static_cast<std::uint32_t>(v));
  if (v > std::numeric_limits<std::int32_t>::max() && narrow.find_first_of("$xX") == std::string::npos)
    return false;
  return true;
}

int StrToInt(std::wstring_view text) {
  int value = 0;
  if (!TryStrToInt(text, value))
    throw EConvertError(L"'" + std::wstring(text) + L"' is not a valid integer value");
  return value;
}

std::wstring IntToStr(std::int64_t value) { return Utf8ToWide(std::to_string(value)); }

} // namespace vela::ui
