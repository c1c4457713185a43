#pragma once
// Text helpers of the framework: UTF-8 <-> UTF-16 conversion, ASCII case folding for names
// (component, class, property and identifier names are ASCII and compared without case),
// and the integer conversions that the framework's error messages depend on.
//
//   std::wstring w = Utf8ToWide("Connect");
//   if (SameName("caption", "Caption")) ...
//   int port = StrToInt(L"5000");   // throws EConvertError for "50x0"
#include <cstdint>
#include <string>
#include <string_view>

namespace vela::ui {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

char AsciiLower(char c);
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);
// True when both names are equal ignoring the case of ASCII letters.
bool SameName(std::string_view a, std::string_view b);

// Decimal (optionally signed) or '$'/"0x" hexadecimal text, surrounding blanks allowed.
// Throws EConvertError naming the text when it is not an integer or does not fit 32 bits.
int StrToInt(std::wstring_view text);
bool TryStrToInt(std::wstring_view text, int& value);
bool TryStrToInt64(std::string_view text, std::int64_t& value);
std::wstring IntToStr(std::int64_t value);

} // namespace vela::ui
