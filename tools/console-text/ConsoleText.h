#pragma once

// The text of the module and of the XML library is windows-1251 bytes; the tools show it, and
// read what people type, in the encoding of their console (platform::ConsoleTextEncoding),
// unless told otherwise with --utf8 or --raw.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Console.h"

namespace console_text {

using platform::TTextEncoding;

std::string Cp1251ToUtf8(std::string_view text);
// Characters windows-1251 lacks become "?"; bytes that are not UTF-8 pass unchanged.
std::string Utf8ToCp1251(std::string_view text);

// The module's text as a person reads it in the encoding.
std::string ToConsole(std::string_view text, TTextEncoding encoding);
// The same, except that each occurrence of a piece of verbatim passes unchanged: names a
// person typed (file names) are in their encoding already, wherever the module's message
// quotes them.
std::string ToConsoleKeeping(std::string_view text, TTextEncoding encoding,
                             const std::vector<std::string_view>& verbatim);
// What a person typed in the encoding, as the module's text.
std::string FromConsole(std::string_view text, TTextEncoding encoding);

// The options that choose the encoding, shared by the tools.
inline constexpr std::string_view kUtf8Option = "--utf8";
inline constexpr std::string_view kRawOption = "--raw";

// Takes arg when it is --utf8 or --raw: true, with the choice in chosen; error says what is
// wrong when both are given. False for any other argument.
bool TakeEncodingOption(std::string_view arg, std::optional<TTextEncoding>& chosen,
                        std::string& error);

}  // namespace console_text
