#include "ConsoleText.h"

#include <algorithm>

#include "common/Cp1251.h"

namespace console_text {
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

// Where the first of the pieces occurs in text from position from on, and which piece it is.
std::pair<std::size_t, std::size_t> FindFirst(std::string_view text, std::size_t from,
                                              const std::vector<std::string_view>& pieces) {
  std::pair<std::size_t, std::size_t> first{std::string_view::npos, 0};
  for (std::string_view piece : pieces) {
    if (piece.empty()) continue;
    const std::size_t at = text.find(piece, from);
    // The longer piece wins where two start together: a full path over the name it ends with.
    if (at < first.first || (at == first.first && piece.size() > first.second))
      first = {at, piece.size()};
  }
  return first;
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

std::string ToConsole(std::string_view text, TTextEncoding encoding) {
  return encoding == TTextEncoding::Utf8 ? Cp1251ToUtf8(text) : std::string(text);
}

std::string ToConsoleKeeping(std::string_view text, TTextEncoding encoding,
                             const std::vector<std::string_view>& verbatim) {
  if (encoding == TTextEncoding::Cp1251) return std::string(text);
  std::string out;
  for (std::size_t from = 0; from < text.size();) {
    const auto [at, length] = FindFirst(text, from, verbatim);
    out += ToConsole(text.substr(from, std::min(at, text.size()) - from), encoding);
    if (at == std::string_view::npos) break;
    out += text.substr(at, length);
    from = at + length;
  }
  return out;
}

std::string FromConsole(std::string_view text, TTextEncoding encoding) {
  return encoding == TTextEncoding::Utf8 ? Utf8ToCp1251(text) : std::string(text);
}

bool TakeEncodingOption(std::string_view arg, std::optional<TTextEncoding>& chosen,
                        std::string& error) {
  if (arg != kUtf8Option && arg != kRawOption) return false;
  const TTextEncoding encoding = arg == kUtf8Option ? TTextEncoding::Utf8 : TTextEncoding::Cp1251;
  if (chosen && *chosen != encoding)
    error = std::string(kUtf8Option) + " and " + std::string(kRawOption) + " exclude each other";
  chosen = encoding;
  return true;
}

}  // namespace console_text
