#pragma once

// Conversion between the process's 8-bit code page and Unicode (MultiByteToWideChar and
// WideCharToMultiByte with the ANSI code page on Windows; windows-1251 elsewhere). A character
// that the code page cannot represent becomes "?": never a look-alike of another character,
// so both systems give the same bytes.

#include <string>
#include <string_view>

namespace platform {

std::u16string AnsiToWide(std::string_view text);
std::string WideToAnsi(std::u16string_view text);

// The code page's byte for one Unicode character; "?" when the code page has no single byte
// for it, and for a number that is no character (a surrogate, or above U+10FFFF).
char CharacterToAnsi(char32_t character);

// windows-1251 itself, whatever the process's code page: the byte for one Unicode character,
// or -1 when windows-1251 has none (never a look-alike). What tools prepare for the module.
int CharacterToWindows1251(char32_t character);

}  // namespace platform
