#include "XmlDom/XmlNameChars.h"

#include "platform/CharClass.h"

namespace xmldom {

const std::array<std::uint8_t, 256>& XmlNameCharTable() {
  static const auto table = [] {
    const auto& classes = platform::CharClassTable();
    std::array<std::uint8_t, 256> flags{};
    for (int byte = 0; byte < 256; ++byte) {
      const bool letter = classes[byte] & platform::kCharAlpha;
      const bool letterOrDigit = classes[byte] & platform::kCharAlphaNumeric;
      const bool punctuation = byte == '-' || byte == '.' || byte == ':' || byte == '_';
      flags[byte] = std::uint8_t((letter || byte == '_' ? kXmlNameStartChar : 0) |
                                 (letterOrDigit || punctuation ? kXmlNameChar : 0));
    }
    return flags;
  }();
  return table;
}

bool IsXmlName(std::string_view text) {
  if (text.empty() || !IsXmlNameStartChar(text[0])) return false;
  for (char c : text.substr(1))
    if (!IsXmlNameChar(c)) return false;
  return true;
}

}  // namespace xmldom
