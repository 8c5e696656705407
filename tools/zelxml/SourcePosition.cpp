#include "SourcePosition.h"

#include <algorithm>
#include <charconv>

#include "common/Cp1251.h"

namespace {

constexpr cp1251::TText kLineMark{"(стр. "};
constexpr cp1251::TText kPositionMark{", поз. "};

// The number at text's start, and what follows it; none when text does not start with digits.
std::optional<int> TakeNumber(std::string_view& text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || number < 0) return std::nullopt;
  text.remove_prefix(std::size_t(end - text.data()));
  return number;
}

}  // namespace

std::string_view MessageWithoutFileName(std::string_view message, std::string_view fileName) {
  if (fileName.empty()) return message;
  const std::size_t suffix = fileName.size() + 3;  // " (" FILE ")"
  if (message.size() < suffix || !message.ends_with(")") ||
      message.substr(message.size() - suffix, 2) != " (" ||
      message.substr(message.size() - suffix + 2, fileName.size()) != fileName)
    return message;
  return message.substr(0, message.size() - suffix);
}

std::optional<TSourcePosition> MessagePosition(std::string_view message,
                                               std::string_view fileName) {
  message = MessageWithoutFileName(message, fileName);
  const std::size_t at = message.rfind(kLineMark.View());
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view rest = message.substr(at + kLineMark.Size);
  const std::optional<int> line = TakeNumber(rest);
  if (!line || !rest.starts_with(kPositionMark.View())) return std::nullopt;
  rest.remove_prefix(kPositionMark.Size);
  const std::optional<int> position = TakeNumber(rest);
  if (!position || !rest.starts_with(")")) return std::nullopt;
  return TSourcePosition{*line + 1, *line == 0 ? *position + 1 : std::max(*position, 1)};
}
