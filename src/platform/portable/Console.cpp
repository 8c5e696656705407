#include "platform/Console.h"

#include <unistd.h>

namespace platform {

bool StandardInputIsTerminal() {
  return isatty(STDIN_FILENO) == 1;
}

// Bytes pass unchanged here anyway.
void UseBinaryStandardStreams() {}

}  // namespace platform
