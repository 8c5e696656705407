#include "platform/CharClass.h"

#include <windows.h>

namespace platform {

const std::array<std::uint8_t, 256>& CharClassTable() {
  static const auto table = [] {
    std::array<std::uint8_t, 256> flags{};
    for (int byte = 1; byte < 256; ++byte) {
      const CHAR c = static_cast<CHAR>(byte);
      flags[byte] = (IsCharAlphaA(c) ? kCharAlpha : 0) |
                    (IsCharAlphaNumericA(c) ? kCharAlphaNumeric : 0);
    }
    return flags;
  }();
  return table;
}

}  // namespace platform
