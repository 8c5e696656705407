#include "platform/CodePage.h"

#include <windows.h>

namespace platform {
namespace {

// Without best fit, a character the code page lacks becomes the default "?" instead of a
// look-alike (an accented Latin letter would otherwise turn into its bare letter).
constexpr DWORD kNoBestFit = WC_NO_BEST_FIT_CHARS;
constexpr UINT kWindows1251 = 1251;

bool IsSurrogate(char32_t character) {
  return character >= 0xD800 && character <= 0xDFFF;
}

}  // namespace

std::u16string AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  std::u16string wide(std::size_t(length > 0 ? length : 0), u'\0');
  if (length > 0)
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()),
                        reinterpret_cast<LPWSTR>(wide.data()), length);
  return wide;
}

std::string WideToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<LPCWCH>(text.data());
  const int length =
      WideCharToMultiByte(CP_ACP, kNoBestFit, wide, int(text.size()), nullptr, 0, "?", nullptr);
  std::string narrow(std::size_t(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_ACP, kNoBestFit, wide, int(text.size()), narrow.data(), length, "?",
                        nullptr);
  return narrow;
}

char CharacterToAnsi(char32_t character) {
  // Outside the 16-bit range (or half of a pair) no single byte of a code page stands for it.
  if (character > 0xFFFF || IsSurrogate(character)) return '?';
  const auto unit = static_cast<WCHAR>(character);
  char bytes[4];
  const int length =
      WideCharToMultiByte(CP_ACP, kNoBestFit, &unit, 1, bytes, sizeof bytes, "?", nullptr);
  return length == 1 ? bytes[0] : '?';
}

int CharacterToWindows1251(char32_t character) {
  if (character < 0x80) return int(character);
  if (character > 0xFFFF || IsSurrogate(character)) return -1;
  const auto unit = static_cast<WCHAR>(character);
  char bytes[4];
  BOOL replaced = FALSE;
  const int length = WideCharToMultiByte(kWindows1251, kNoBestFit, &unit, 1, bytes, sizeof bytes,
                                         nullptr, &replaced);
  return length == 1 && !replaced ? int(static_cast<unsigned char>(bytes[0])) : -1;
}

}  // namespace platform
