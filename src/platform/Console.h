#pragma once

namespace platform {

// Whether the standard input is a terminal that a person types at (not a file or a pipe).
bool StandardInputIsTerminal();

}  // namespace platform
