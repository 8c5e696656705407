#include "platform/Console.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <string>

namespace platform {

bool StandardInputIsTerminal() {
  return isatty(STDIN_FILENO) == 1;
}

bool StandardErrorIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

// Bytes pass unchanged here anyway.
void UseBinaryStandardStreams() {}

// Only the character classification follows the user's locale: it is what the character set
// is read from, and what a line editor needs to move over multibyte characters. Number
// formats stay as the program had them.
TTextEncoding ConsoleTextEncoding() {
  std::setlocale(LC_CTYPE, "");
  std::string codeset = nl_langinfo(CODESET);
  for (char& c : codeset)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  if (codeset == "CP1251" || codeset == "WINDOWS-1251") return TTextEncoding::Cp1251;
  if (codeset == "UTF-8" || codeset == "ANSI_X3.4-1968") return TTextEncoding::Utf8;
  return TTextEncoding::Cp1251;
}

}  // namespace platform
