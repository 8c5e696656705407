#include "platform/Console.h"

#include <unistd.h>

namespace platform {

bool StandardInputIsTerminal() {
  return isatty(STDIN_FILENO) == 1;
}

}  // namespace platform
