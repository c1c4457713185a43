#pragma once
// Bytes of the update link are text in the system's ANSI code page; the window shows UTF-16.
#include <string>
#include <string_view>

namespace vela::app {

std::wstring AnsiToWide(std::string_view bytes);
// Characters the code page cannot hold become its default character.
std::string WideToAnsi(std::wstring_view text);

} // namespace vela::app
