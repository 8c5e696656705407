#pragma once

#include <string>

namespace platform {

// The full path of the binary that holds this code (the module itself when linked into it),
// as the system reports it, at most 255 characters.
std::string ModuleFileName();

}  // namespace platform
