#pragma once

// XML text in UTF-8 or UTF-16 made into the windows-1251 text that the module reads as
// intended (it takes text byte for byte): every character becomes its windows-1251 byte, a
// character that windows-1251 lacks becomes "?" (and is counted), and an XML declaration is
// made to say encoding="windows-1251".
//
//   TWindows1251Text text = ConvertToWindows1251(bytes, TSourceEncoding::Auto);
//   document->LoadXML(text.Text);

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

enum class TSourceEncoding {
  Utf8,
  Utf16,  // little- or big-endian, by the byte-order mark (else by the first "<")
  Auto,   // by the byte-order mark, else by the XML declaration, else UTF-8
};

// "utf-8", "utf-16", "auto" (letter case aside; also "utf8", "utf16"); none for other names.
std::optional<TSourceEncoding> SourceEncodingNamed(std::string_view name);

struct TWindows1251Text {
  std::string Text;
  std::size_t Replaced = 0;  // characters written as "?"
};

// The text is not what its encoding says: bytes that are not UTF-8, say, or an encoding that
// Auto does not read. The message names the place (line and column, from 1).
class EEncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A byte-order mark decides the encoding whatever the request says, and is dropped. Text
// that declares windows-1251 passes unchanged under Auto. Raises EEncodingError.
TWindows1251Text ConvertToWindows1251(std::string_view bytes, TSourceEncoding encoding);

// The XML declaration at the start of text, if any, made to say encoding="windows-1251".
std::string DeclaredWindows1251(std::string text);
