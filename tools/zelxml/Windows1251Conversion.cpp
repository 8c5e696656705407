#include "Windows1251Conversion.h"

#include <cstdio>

#include "platform/CodePage.h"

namespace {

enum class TDecoder { Utf8, Utf16LittleEndian, Utf16BigEndian, Windows1251 };

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr std::string_view kWindows1251 = "windows-1251";

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return lower;
}

bool IsXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the value of the pseudo-attribute name of the declaration decl begins and how long it
// is; none when the declaration does not have it.
std::optional<std::pair<std::size_t, std::size_t>> PseudoAttribute(std::string_view decl,
                                                                   std::string_view name) {
  for (std::size_t at = decl.find(name); at != std::string_view::npos;
       at = decl.find(name, at + 1)) {
    std::size_t i = at + name.size();
    if (at == 0 || !IsXmlSpace(decl[at - 1])) continue;
    while (i < decl.size() && IsXmlSpace(decl[i])) ++i;
    if (i >= decl.size() || decl[i] != '=') continue;
    for (++i; i < decl.size() && IsXmlSpace(decl[i]);) ++i;
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) continue;
    const std::size_t close = decl.find(decl[i], i + 1);
    if (close == std::string_view::npos) continue;
    return std::make_pair(i + 1, close - i - 1);
  }
  return std::nullopt;
}

// The XML declaration that text begins with ("<?xml ... ?>"), or empty.
std::string_view Declaration(std::string_view text) {
  if (text.size() < 6 || !text.starts_with("<?xml") || !IsXmlSpace(text[5])) return {};
  const std::size_t end = text.find("?>");
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end);
}

// Under Auto, without a byte-order mark: what the declaration of 8-bit text names.
TDecoder DeclaredDecoder(std::string_view bytes) {
  const std::string_view decl = Declaration(bytes);
  const auto value = PseudoAttribute(decl, "encoding");
  if (!value) return TDecoder::Utf8;
  const std::string name = LowerAscii(decl.substr(value->first, value->second));
  if (name == "utf-8" || name == "utf8" || name == "us-ascii" || name == "ascii")
    return TDecoder::Utf8;
  if (name == kWindows1251 || name == "cp1251" || name == "x-cp1251") return TDecoder::Windows1251;
  const std::string declared(decl.substr(value->first, value->second));
  if (name.starts_with("utf-16"))
    throw EEncodingError("declares the encoding \"" + declared +
                         "\" but is written in 8-bit bytes");
  throw EEncodingError("declares the encoding \"" + declared +
                       "\"; --from auto reads UTF-8, UTF-16 and windows-1251");
}

// The decoder for the bytes, with the byte-order mark taken off them.
TDecoder Decoder(std::string_view& bytes, TSourceEncoding encoding) {
  for (const auto& [mark, decoder] :
       {std::pair{kUtf8Mark, TDecoder::Utf8},
        std::pair{kUtf16LittleEndianMark, TDecoder::Utf16LittleEndian},
        std::pair{kUtf16BigEndianMark, TDecoder::Utf16BigEndian}})
    if (bytes.starts_with(mark)) {
      bytes.remove_prefix(mark.size());
      return decoder;
    }
  const bool bigEndianStart = bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] == '<';
  const bool littleEndianStart = bytes.size() >= 2 && bytes[0] == '<' && bytes[1] == '\0';
  switch (encoding) {
    case TSourceEncoding::Utf8:
      return TDecoder::Utf8;
    case TSourceEncoding::Utf16:
      return bigEndianStart ? TDecoder::Utf16BigEndian : TDecoder::Utf16LittleEndian;
    case TSourceEncoding::Auto:
      break;
  }
  if (bigEndianStart) return TDecoder::Utf16BigEndian;
  if (littleEndianStart) return TDecoder::Utf16LittleEndian;
  return DeclaredDecoder(bytes);
}

// Writes characters as windows-1251 and counts the lines and columns it has seen, for the
// places that failures name.
class TWriter {
 public:
  void Put(char32_t character) {
    const int byte =
        character < 0x80 ? int(character) : platform::CharacterToWindows1251(character);
    if (byte < 0) ++result_.Replaced;
    result_.Text += byte < 0 ? '?' : char(byte);
    Count(character);
  }

  [[noreturn]] void Fail(const std::string& what) const {
    throw EEncodingError(what + " at line " + std::to_string(line_) + ", column " +
                         std::to_string(column_));
  }

  TWindows1251Text Result() { return std::move(result_); }

 private:
  // CR LF, CR and LF each end a line.
  void Count(char32_t character) {
    if (character == '\n' && previous_ == '\r') {
    } else if (character == '\n' || character == '\r') {
      ++line_;
      column_ = 1;
    } else {
      ++column_;
    }
    previous_ = character;
  }

  TWindows1251Text result_;
  int line_ = 1, column_ = 1;
  char32_t previous_ = 0;
};

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
void DecodeUtf8(std::string_view bytes, TWriter& out) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80    ? 1
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC2 ? 2
                                              : 0;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = length > 0 && lead < 0xF5 && i + length <= bytes.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (valid && length > 1)
      valid = code >= kSmallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    if (!valid) {
      char byte[8];
      std::snprintf(byte, sizeof byte, "0x%02X", lead);
      out.Fail(std::string("not UTF-8 (byte ") + byte + ")");
    }
    out.Put(code);
    i += length;
  }
}

void DecodeUtf16(std::string_view bytes, bool bigEndian, TWriter& out) {
  if (bytes.size() % 2 != 0) throw EEncodingError("not UTF-16: an odd number of bytes");
  const auto unit = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? char32_t(first << 8 | second) : char32_t(second << 8 | first);
  };
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    char32_t code = unit(i);
    if (code >= 0xD800 && code <= 0xDFFF) {
      const char32_t low = i + 3 < bytes.size() ? unit(i + 2) : 0;
      if (code > 0xDBFF || low < 0xDC00 || low > 0xDFFF) out.Fail("not UTF-16 (a lone surrogate)");
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    out.Put(code);
  }
}

}  // namespace

std::optional<TSourceEncoding> SourceEncodingNamed(std::string_view name) {
  const std::string lower = LowerAscii(name);
  if (lower == "utf-8" || lower == "utf8") return TSourceEncoding::Utf8;
  if (lower == "utf-16" || lower == "utf16") return TSourceEncoding::Utf16;
  if (lower == "auto") return TSourceEncoding::Auto;
  return std::nullopt;
}

TWindows1251Text ConvertToWindows1251(std::string_view bytes, TSourceEncoding encoding) {
  const TDecoder decoder = Decoder(bytes, encoding);
  if (decoder == TDecoder::Windows1251) return {std::string(bytes), 0};
  TWriter out;
  if (decoder == TDecoder::Utf8)
    DecodeUtf8(bytes, out);
  else
    DecodeUtf16(bytes, decoder == TDecoder::Utf16BigEndian, out);
  TWindows1251Text text = out.Result();
  text.Text = DeclaredWindows1251(std::move(text.Text));
  return text;
}

// The encoding goes after the version, where a declaration names it; a declaration without a
// version gets it after "<?xml".
std::string DeclaredWindows1251(std::string text) {
  const std::string_view decl = Declaration(text);
  if (decl.empty()) return text;
  if (const auto value = PseudoAttribute(decl, "encoding"))
    return text.replace(value->first, value->second, kWindows1251);
  const auto version = PseudoAttribute(decl, "version");
  const std::size_t at = version ? version->first + version->second + 1 : 5;
  return text.insert(at, " encoding=\"" + std::string(kWindows1251) + "\"");
}
