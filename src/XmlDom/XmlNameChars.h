#pragma once

// Characters of XML names, shared by the text parser and by selection so that both accept
// exactly the same names. A name starts with "_" or a letter and goes on with letters, digits,
// "-", ".", ":" and "_"; letters and digits are those of the 8-bit code page as the system
// classifies them (platform/CharClass.h), so with windows-1251 Cyrillic names are names too.

#include <array>
#include <cstdint>
#include <string_view>

namespace xmldom {

enum : std::uint8_t {
  kXmlNameStartChar = 1,  // may start a name
  kXmlNameChar = 2        // may stand in a name after its first character
};

// One flag byte per code unit, built from the system's letter classes once per process.
const std::array<std::uint8_t, 256>& XmlNameCharTable();

inline bool IsXmlNameStartChar(char c) {
  return XmlNameCharTable()[static_cast<unsigned char>(c)] & kXmlNameStartChar;
}
inline bool IsXmlNameChar(char c) {
  return XmlNameCharTable()[static_cast<unsigned char>(c)] & kXmlNameChar;
}

// True when the whole text is one name; the empty text is not.
bool IsXmlName(std::string_view text);

}  // namespace xmldom
