#pragma once

// Where a parser message says the parse stopped, counted as editors count: lines and columns
// from 1. The parser counts both from 0 ("(стр. L, поз. P)"), and the first character of every
// line but the first is at its position 1 (the line break before it holds position 0).

#include <optional>
#include <string_view>

struct TSourcePosition {
  int Line = 1;
  int Column = 1;
};

// The position of a message; none for messages without one (a file that cannot be opened,
// damaged binary XML). fileName is the name a load from a file adds at the end ("MESSAGE
// (FILE)"), which is not searched.
std::optional<TSourcePosition> MessagePosition(std::string_view message,
                                               std::string_view fileName = {});

// The message without the file name that a load from a file adds at its end.
std::string_view MessageWithoutFileName(std::string_view message, std::string_view fileName);
