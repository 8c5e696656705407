#include "platform/CharClass.h"

#include "common/Cp1251.h"

namespace platform {

const std::array<std::uint8_t, 256>& CharClassTable() {
  static const auto table = [] {
    std::array<std::uint8_t, 256> flags{};
    for (int byte = 0; byte < 256; ++byte) {
      const bool alpha = cp1251::IsLetter(static_cast<unsigned char>(byte));
      const bool digit = byte >= '0' && byte <= '9';
      flags[byte] = (alpha ? kCharAlpha : 0) | (alpha || digit ? kCharAlphaNumeric : 0);
    }
    return flags;
  }();
  return table;
}

}  // namespace platform
