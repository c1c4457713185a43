#include "skin/data/skin_text_win.h"

#include <climits>

namespace vela::skin {

bool SkinUsesWideText() {
  // The high bit of the version word is clear on the NT family.
  static const bool wide = (GetVersion() & 0x80000000u) == 0;
  return wide;
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty() || text.size() > std::size_t(INT_MAX)) return {};
  const int length = MultiByteToWideChar(kSkinCodePage, 0, text.data(), int(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring out(std::size_t(length), L'\0');
  MultiByteToWideChar(kSkinCodePage, 0, text.data(), int(text.size()), out.data(), length);
  return out;
}

std::string WideToAnsi(std::wstring_view text) {
  if (text.empty() || text.size() > std::size_t(INT_MAX)) return {};
  const int length = WideCharToMultiByte(kSkinCodePage, 0, text.data(), int(text.size()), nullptr,
                                         0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string out(std::size_t(length), '\0');
  WideCharToMultiByte(kSkinCodePage, 0, text.data(), int(text.size()), out.data(), length, nullptr,
                      nullptr);
  return out;
}

int DrawSkinText(HDC dc, std::wstring_view text, RECT& rect, UINT format) {
  // DT_MODIFYSTRING may write up to four characters beyond the text: give it a private,
  // writable copy with room for them.
  constexpr std::size_t kRoom = 4;
  if (SkinUsesWideText()) {
    std::wstring buffer(text);
    buffer.append(kRoom, L'\0');
    return DrawTextW(dc, buffer.data(), int(text.size()), &rect, format);
  }
  std::string buffer = WideToAnsi(text);
  buffer.append(kRoom, '\0');
  return DrawTextA(dc, buffer.data(), -1, &rect, format);
}

} // namespace vela::skin
