#pragma once

// Writes a version resource block (VS_VERSIONINFO: the fixed information, the string tables
// and the translation table) byte for byte in the layout the Windows resource compiler gives
// it. Portable builds embed a block made here where a Windows module carries its compiled
// VERSIONINFO resource; tests craft blocks with it. Everything is constexpr, so a module's
// block is made during compilation.
//
// Layout of a node: a 16-bit total length, a 16-bit value length (characters for text values,
// bytes for binary ones), a 16-bit type (1 text, 0 binary), the zero-terminated UTF-16 key,
// padding to 32 bits, the value, then the children, each starting on a 32-bit boundary. A
// node's total length ends with its last byte, without trailing padding.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace platform {

// One entry of a string table; key and value are UTF-8.
struct TVersionString {
  std::string_view Key;
  std::string_view Value;
};

struct TVersionLanguage {
  std::uint16_t Language = 0;
  std::uint16_t CodePage = 0;
};

struct TVersionStringTable {
  TVersionLanguage Language;
  std::span<const TVersionString> Strings;
};

// What a definition chooses of the fixed information (VS_FIXEDFILEINFO); the file date stays 0.
struct TFixedVersion {
  std::array<std::uint16_t, 4> FileVersion{};
  std::array<std::uint16_t, 4> ProductVersion{};
  std::uint32_t FileFlagsMask = 0;
  std::uint32_t FileFlags = 0;
  std::uint32_t FileOS = 0;
  std::uint32_t FileType = 0;
  std::uint32_t FileSubtype = 0;
};

// A whole block. No string tables leaves out "StringFileInfo"; no translations leaves out
// "VarFileInfo".
struct TVersionDefinition {
  TFixedVersion Fixed;
  std::span<const TVersionStringTable> StringTables;
  std::span<const TVersionLanguage> Translations;
};

inline constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
inline constexpr std::uint32_t kFixedFileInfoVersion = 0x00010000;
inline constexpr std::size_t kFixedFileInfoSize = 52;

// Writes nodes in nesting order: Open a node, write its children, Close it.
class TVersionBlockWriter {
 public:
  enum : std::uint16_t { kBinary = 0, kText = 1 };

  // Opens a node; valueLength is written as given, in the node type's unit.
  constexpr void Open(std::string_view key, std::uint16_t type, std::span<const std::uint8_t> value,
                      std::uint16_t valueLength) {
    PadTo32Bits();
    open_.push_back(bytes_.size());
    Append16(0);  // total length, set by Close
    Append16(valueLength);
    Append16(type);
    AppendUtf16(key);
    Append16(0);
    PadTo32Bits();
    bytes_.insert(bytes_.end(), value.begin(), value.end());
  }

  // Opens a node holding a text value, zero-terminated, its length counted in characters.
  constexpr void OpenText(std::string_view key, std::string_view value) {
    std::vector<std::uint8_t> text;
    for (const char16_t unit : Utf16Of(value)) AppendTo(text, unit, 2);
    AppendTo(text, 0, 2);
    Open(key, kText, text, std::uint16_t(text.size() / 2));
  }

  constexpr void Close() {
    const std::size_t start = open_.back();
    open_.pop_back();
    const std::size_t length = bytes_.size() - start;
    bytes_[start] = std::uint8_t(length);
    bytes_[start + 1] = std::uint8_t(length >> 8);
  }

  constexpr std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  // The UTF-16 form of UTF-8 text; malformed sequences stop a constant evaluation.
  static constexpr std::vector<char16_t> Utf16Of(std::string_view utf8) {
    std::vector<char16_t> units;
    std::size_t i = 0;
    while (i < utf8.size()) {
      const auto lead = static_cast<unsigned char>(utf8[i]);
      const std::size_t extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
      char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
      for (std::size_t k = 1; k <= extra; ++k) {
        if (i + k >= utf8.size()) throw "truncated UTF-8";
        code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
      }
      if (code >= 0x10000) {
        units.push_back(char16_t(0xD800 + ((code - 0x10000) >> 10)));
        units.push_back(char16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
      } else {
        units.push_back(char16_t(code));
      }
      i += extra + 1;
    }
    return units;
  }

  static constexpr void AppendTo(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
  }

 private:
  constexpr void Append16(std::uint16_t value) { AppendTo(bytes_, value, 2); }
  constexpr void AppendUtf16(std::string_view utf8) {
    for (const char16_t unit : Utf16Of(utf8)) Append16(unit);
  }
  constexpr void PadTo32Bits() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }

  std::vector<std::uint8_t> bytes_;
  std::vector<std::size_t> open_;
};

// The VS_FIXEDFILEINFO bytes of a definition.
constexpr std::vector<std::uint8_t> FixedFileInfoBytes(const TFixedVersion& fixed) {
  const auto high = [](const std::array<std::uint16_t, 4>& v) { return v[0] << 16 | v[1]; };
  const auto low = [](const std::array<std::uint16_t, 4>& v) { return v[2] << 16 | v[3]; };
  const std::uint32_t fields[13] = {kFixedFileInfoSignature,
                                    kFixedFileInfoVersion,
                                    std::uint32_t(high(fixed.FileVersion)),
                                    std::uint32_t(low(fixed.FileVersion)),
                                    std::uint32_t(high(fixed.ProductVersion)),
                                    std::uint32_t(low(fixed.ProductVersion)),
                                    fixed.FileFlagsMask,
                                    fixed.FileFlags,
                                    fixed.FileOS,
                                    fixed.FileType,
                                    fixed.FileSubtype,
                                    0,
                                    0};
  std::vector<std::uint8_t> bytes;
  for (const std::uint32_t field : fields) TVersionBlockWriter::AppendTo(bytes, field, 4);
  return bytes;
}

// The key of a string table: language and code page as eight upper-case hex digits.
constexpr std::array<char, 8> StringTableKey(TVersionLanguage language) {
  const std::uint32_t value = std::uint32_t(language.Language) << 16 | language.CodePage;
  std::array<char, 8> key{};
  for (int i = 0; i < 8; ++i) key[i] = "0123456789ABCDEF"[(value >> (28 - 4 * i)) & 0xF];
  return key;
}

constexpr std::vector<std::uint8_t> EncodeVersionBlock(const TVersionDefinition& definition) {
  using W = TVersionBlockWriter;
  W writer;
  writer.Open("VS_VERSION_INFO", W::kBinary, FixedFileInfoBytes(definition.Fixed),
              std::uint16_t(kFixedFileInfoSize));
  if (!definition.StringTables.empty()) {
    writer.Open("StringFileInfo", W::kText, {}, 0);
    for (const TVersionStringTable& table : definition.StringTables) {
      const std::array<char, 8> key = StringTableKey(table.Language);
      writer.Open(std::string_view(key.data(), key.size()), W::kText, {}, 0);
      for (const TVersionString& entry : table.Strings) {
        writer.OpenText(entry.Key, entry.Value);
        writer.Close();
      }
      writer.Close();
    }
    writer.Close();
  }
  if (!definition.Translations.empty()) {
    std::vector<std::uint8_t> pairs;
    for (const TVersionLanguage& language : definition.Translations) {
      W::AppendTo(pairs, language.Language, 2);
      W::AppendTo(pairs, language.CodePage, 2);
    }
    writer.Open("VarFileInfo", W::kText, {}, 0);
    writer.Open("Translation", W::kBinary, pairs, std::uint16_t(pairs.size()));
    writer.Close();
    writer.Close();
  }
  writer.Close();
  return writer.Take();
}

// The block of a constant definition as an array that can live in a binary:
//   constexpr auto kBlock = VersionBlockArray<VersionBlockSize(kDef)>(kDef);
constexpr std::size_t VersionBlockSize(const TVersionDefinition& definition) {
  return EncodeVersionBlock(definition).size();
}

template <std::size_t Size>
constexpr std::array<std::uint8_t, Size> VersionBlockArray(const TVersionDefinition& definition) {
  const std::vector<std::uint8_t> bytes = EncodeVersionBlock(definition);
  std::array<std::uint8_t, Size> block{};
  for (std::size_t i = 0; i < Size && i < bytes.size(); ++i) block[i] = bytes[i];
  return block;
}

}  // namespace platform
