#include "XmlDom/Base64.h"

#include <array>
#include <cstdint>

namespace xmldom {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<std::uint8_t, 256> MakeDecodeTable() {
  std::array<std::uint8_t, 256> table{};
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = std::uint8_t(i);
  return table;
}
constexpr std::array<std::uint8_t, 256> kDecode = MakeDecodeTable();

std::string EncodeRaw(const unsigned char* in, std::size_t count) {
  std::string out((count + 2) / 3 * 4, '=');
  char* o = out.data();
  std::size_t i = 0;
  for (; i + 3 <= count; i += 3, o += 4) {
    const std::uint32_t group = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
    o[0] = kAlphabet[group >> 18];
    o[1] = kAlphabet[(group >> 12) & 63];
    o[2] = kAlphabet[(group >> 6) & 63];
    o[3] = kAlphabet[group & 63];
  }
  if (i < count) {
    const bool two = i + 1 < count;
    const std::uint32_t group = (in[i] << 16) | (two ? in[i + 1] << 8 : 0);
    o[0] = kAlphabet[group >> 18];
    o[1] = kAlphabet[(group >> 12) & 63];
    if (two) o[2] = kAlphabet[(group >> 6) & 63];
  }
  return out;
}

std::string BreakLines(const std::string& text, std::size_t lineLength) {
  std::string out;
  out.reserve(text.size() + text.size() / lineLength * 2);
  for (std::size_t start = 0; start < text.size(); start += lineLength) {
    if (start) out += "\r\n";
    out.append(text, start, lineLength);
  }
  return out;
}

}  // namespace

std::string EncodeBase64(const void* bytes, std::size_t count, int lineLength) {
  std::string text = EncodeRaw(static_cast<const unsigned char*>(bytes), count);
  if (lineLength < 1 || text.size() <= std::size_t(lineLength)) return text;
  return BreakLines(text, std::size_t(lineLength));
}

std::string DecodeBase64(std::string_view text) {
  std::string chars;
  chars.reserve(text.size());
  for (char c : text)
    if (static_cast<unsigned char>(c) > 32) chars += c;
  const std::size_t length = chars.size();
  if (length <= 3) return {};
  std::size_t count = (length + 3) / 4 * 3;
  if (chars[length - 2] == '=')
    count -= 2;
  else if (chars[length - 1] == '=')
    count -= 1;
  std::string out(count, '*');
  // Each group writes at most three bytes at its own place; a group's bytes beyond the count
  // (a damaged text) are dropped.
  const auto put = [&](std::size_t at, std::uint32_t byte) {
    if (at < count) out[at] = char(byte);
  };
  for (std::size_t g = 0; g < length; g += 4) {
    const auto digit = [&](std::size_t k) {
      return g + k < length ? std::uint32_t(kDecode[static_cast<unsigned char>(chars[g + k])]) : 0;
    };
    const std::uint32_t group = digit(0) << 18 | digit(1) << 12 | digit(2) << 6 | digit(3);
    const std::size_t at = g / 4 * 3;
    const bool thirdFill = g + 2 < length && chars[g + 2] == '=';
    const bool fourthFill = g + 3 < length && chars[g + 3] == '=';
    put(at, group >> 16);
    if (thirdFill) continue;
    put(at + 1, (group >> 8) & 255);
    if (fourthFill) continue;
    put(at + 2, group & 255);
  }
  return out;
}

}  // namespace xmldom
