#pragma once

// The 8-bit code page that zelXML's own texts use at run time (windows-1251), and a
// compile-time converter so that Russian messages stay readable UTF-8 in the source.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cp1251 {

// Unicode code points of the bytes 0x80..0xFF. 0x98 is unassigned; it maps to U+0098
// so that every byte survives a round trip through UTF-16.
inline constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411,
    0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C,
    0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432,
    0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D,
    0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448,
    0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

constexpr char16_t ToUnicode(unsigned char byte) {
  return byte < 0x80 ? char16_t(byte) : kHighHalf[byte - 0x80];
}

// The byte for a code point, or -1 when the code page has none.
constexpr int FromUnicode(char32_t code) {
  if (code < 0x80) return int(code);
  for (std::size_t i = 0; i < kHighHalf.size(); ++i)
    if (kHighHalf[i] == code) return int(0x80 + i);
  return -1;
}

// A UTF-8 string literal converted to windows-1251 during compilation. A character the
// code page lacks, or malformed UTF-8, stops the compilation (consteval cannot throw).
template <std::size_t N>
struct TText {
  char Data[N] = {};
  std::size_t Size = 0;

  consteval TText(const char (&utf8)[N]) {
    std::size_t i = 0;
    while (i + 1 < N) {
      const auto lead = static_cast<unsigned char>(utf8[i]);
      char32_t code = 0;
      std::size_t extra = 0;
      if (lead < 0x80) {
        code = lead;
      } else if ((lead & 0xE0) == 0xC0) {
        code = lead & 0x1F, extra = 1;
      } else if ((lead & 0xF0) == 0xE0) {
        code = lead & 0x0F, extra = 2;
      } else {
        throw "unsupported UTF-8 sequence";
      }
      for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(utf8[i + k]);
        if ((next & 0xC0) != 0x80) throw "malformed UTF-8";
        code = (code << 6) | (next & 0x3F);
      }
      const int byte = FromUnicode(code);
      if (byte < 0) throw "character outside windows-1251";
      Data[Size++] = static_cast<char>(byte);
      i += extra + 1;
    }
  }

  constexpr std::string_view View() const { return {Data, Size}; }
  constexpr operator std::string_view() const { return View(); }
};

}  // namespace cp1251

namespace cp1251 {

// Letters of the code page: the ASCII letters and every byte whose character is a letter
// (Cyrillic, Serbian, Macedonian, Ukrainian, Belarusian letters and the micro sign).
constexpr bool IsLetter(unsigned char byte) {
  if ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z') return true;
  if (byte >= 0xC0) return true;
  constexpr unsigned char kOthers[] = {0x80, 0x81, 0x83, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90,
                                       0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xA1, 0xA2, 0xA3, 0xA5,
                                       0xA8, 0xAA, 0xAF, 0xB2, 0xB3, 0xB4, 0xB5, 0xB8, 0xBA,
                                       0xBC, 0xBD, 0xBE, 0xBF};
  for (unsigned char other : kOthers)
    if (other == byte) return true;
  return false;
}

}  // namespace cp1251
