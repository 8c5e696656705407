#include "TextEncoding.h"

#include "common/Cp1251.h"

namespace lingo {
namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | (code >> 6));
    out += char(0x80 | (code & 0x3F));
  } else {
    out += char(0xE0 | (code >> 12));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
}

// The code point of the UTF-8 sequence at text[i], and its length; length 0 when there is none.
char32_t DecodeUtf8(std::string_view text, std::size_t i, std::size_t& length) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char lead = byte(0);
  length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || i + length > text.size()) return length = 0;
  char32_t code = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return length = 0;
    code = (code << 6) | (byte(k) & 0x3F);
  }
  return code;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, cp1251::ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      out += text[i++];
      continue;
    }
    std::size_t length = 0;
    const char32_t code = DecodeUtf8(text, i, length);
    if (length == 0) {
      out += text[i++];
      continue;
    }
    const int byte = cp1251::FromUnicode(code);
    out += byte < 0 ? '?' : char(byte);
    i += length;
  }
  return out;
}

}  // namespace lingo
