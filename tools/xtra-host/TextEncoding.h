#pragma once

// Lingo strings are windows-1251 bytes; a terminal that speaks UTF-8 gets them converted
// (xtra-host --utf8).

#include <string>
#include <string_view>

namespace lingo {

std::string Cp1251ToUtf8(std::string_view text);
// Characters windows-1251 lacks become "?"; bytes that are not UTF-8 pass unchanged.
std::string Utf8ToCp1251(std::string_view text);

}  // namespace lingo
