#include "platform/Console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

constexpr UINT kUtf8CodePage = 65001;
constexpr UINT kCp1251CodePage = 1251;

bool IsConsole(DWORD handleId) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(handleId), &mode) != 0;
}

UINT originalOutputCodePage = 0, originalInputCodePage = 0;

void RestoreConsoleCodePages() {
  SetConsoleOutputCP(originalOutputCodePage);
  SetConsoleCP(originalInputCodePage);
}

}  // namespace

bool StandardInputIsTerminal() {
  return GetFileType(GetStdHandle(STD_INPUT_HANDLE)) == FILE_TYPE_CHAR;
}

bool StandardErrorIsTerminal() {
  return IsConsole(STD_ERROR_HANDLE);
}

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

TTextEncoding ConsoleTextEncoding() {
  if (!IsConsole(STD_OUTPUT_HANDLE))
    return GetACP() == kUtf8CodePage ? TTextEncoding::Utf8 : TTextEncoding::Cp1251;
  const UINT codePage = GetConsoleOutputCP();
  if (codePage == kUtf8CodePage) return TTextEncoding::Utf8;
  if (codePage != kCp1251CodePage && originalOutputCodePage == 0) {
    // A Russian console reads the DOS code page 866 by default: switched to the module's own
    // for this process, and back when it ends.
    originalOutputCodePage = codePage;
    originalInputCodePage = GetConsoleCP();
    SetConsoleOutputCP(kCp1251CodePage);
    SetConsoleCP(kCp1251CodePage);
    std::atexit(RestoreConsoleCodePages);
  }
  return TTextEncoding::Cp1251;
}

}  // namespace platform
