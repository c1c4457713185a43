#pragma once
// Text routines of the skinners: conversions between the ANSI code page and UTF-16, and the one
// call through which every skinner draws text.
#include <windows.h>

#include <string>
#include <string_view>

namespace vela::skin {

// The code page of these routines: the ANSI code page, for the whole process.
constexpr UINT kSkinCodePage = CP_ACP;

// Whether text is drawn with the wide-character call: true on the Windows NT family.
bool SkinUsesWideText();

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

// Draws `text` into `rect` with DrawText `format` flags and returns the call's result (the
// text height, or 0 on failure). `rect` is updated when the flags ask for it (DT_CALCRECT).
int DrawSkinText(HDC dc, std::wstring_view text, RECT& rect, UINT format);

} // namespace vela::skin
