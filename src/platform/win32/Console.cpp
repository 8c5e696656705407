#include "platform/Console.h"

#include <windows.h>

namespace platform {

bool StandardInputIsTerminal() {
  return GetFileType(GetStdHandle(STD_INPUT_HANDLE)) == FILE_TYPE_CHAR;
}

}  // namespace platform
