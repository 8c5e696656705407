#pragma once

// Letter and letter-or-digit classes of the 8-bit code page, as the system answers them
// (IsCharAlphaA and IsCharAlphaNumericA on Windows; windows-1251 elsewhere). XML names are
// tested against these classes by the parser and by selection alike.

#include <array>
#include <cstdint>

namespace platform {

enum : std::uint8_t { kCharAlpha = 1, kCharAlphaNumeric = 2 };

// One flag byte per code unit, read from the system once and then cached for the process.
const std::array<std::uint8_t, 256>& CharClassTable();

inline bool IsCharAlpha(char c) {
  return CharClassTable()[static_cast<unsigned char>(c)] & kCharAlpha;
}
inline bool IsCharAlphaNumeric(char c) {
  return CharClassTable()[static_cast<unsigned char>(c)] & kCharAlphaNumeric;
}

}  // namespace platform
