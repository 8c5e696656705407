#pragma once

namespace platform {

// Whether the standard input is a terminal that a person types at (not a file or a pipe).
bool StandardInputIsTerminal();

// Whether the standard error output is a terminal that a person reads (not a file or a pipe).
bool StandardErrorIsTerminal();

// The standard streams pass bytes unchanged (Windows otherwise turns "\n" into "\r\n").
void UseBinaryStandardStreams();

// The encodings a person may read and type the module's text in: its own windows-1251
// bytes, or UTF-8.
enum class TTextEncoding { Cp1251, Utf8 };

// The encoding of the person at the console: the terminal's where the system says it (the
// locale's character set, a Windows console's code page), else the locale's. A locale that
// names no character set (C, POSIX) counts as UTF-8: that is what the terminals of
// containers and remote shells read. Character sets other than UTF-8 and windows-1251 get
// the module's bytes; a Windows console of such a code page is switched to windows-1251 for
// the life of the process.
TTextEncoding ConsoleTextEncoding();

}  // namespace platform
