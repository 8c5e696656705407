#pragma once

namespace platform {

// Whether the standard input is a terminal that a person types at (not a file or a pipe).
bool StandardInputIsTerminal();

// The standard streams pass bytes unchanged (Windows otherwise turns "\n" into "\r\n").
void UseBinaryStandardStreams();

}  // namespace platform
