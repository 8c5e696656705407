#include "platform/CodePage.h"

#include "common/Cp1251.h"

namespace platform {

std::u16string AnsiToWide(std::string_view text) {
  std::u16string wide(text.size(), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    wide[i] = cp1251::ToUnicode(static_cast<unsigned char>(text[i]));
  return wide;
}

std::string WideToAnsi(std::u16string_view text) {
  std::string narrow(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) narrow[i] = CharacterToAnsi(text[i]);
  return narrow;
}

char CharacterToAnsi(char32_t character) {
  const int byte = cp1251::FromUnicode(character);
  return byte < 0 ? '?' : static_cast<char>(byte);
}

int CharacterToWindows1251(char32_t character) {
  return cp1251::FromUnicode(character);
}

}  // namespace platform
