#pragma once

// Conversion between the process's 8-bit code page and UTF-16 (MultiByteToWideChar and
// WideCharToMultiByte with the ANSI code page on Windows; windows-1251 elsewhere). A UTF-16
// unit that the code page cannot represent becomes "?".

#include <string>
#include <string_view>

namespace platform {

std::u16string AnsiToWide(std::string_view text);
std::string WideToAnsi(std::u16string_view text);

}  // namespace platform
