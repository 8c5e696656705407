#pragma once

// The desktop of this process as the modules loaded into it meet it: the system's message box
// and the local clock. A program that hosts modules (a test, the Lingo console) can play the
// desktop itself, so that the boxes of the modules it loads are caught instead of blocking
// the process, and their clock reads what the program chooses.
//
// A module reaches its box and clock through the system: MessageBoxA and GetLocalTime on
// Windows; elsewhere the platform layer's stand-ins, which ask the process for its desktop
// (functions that a hosting program exports; link it with exports enabled). On Windows a
// module is attached after it is loaded: its imports of those two functions are pointed at
// the process's desktop.
//
//   platform::SetProcessDesktop({.Box = [](auto caption, auto text) { ... }});
//   host.Load(path) && platform::AttachModuleToDesktop(path);

#include <string>

#include "platform/Clock.h"
#include "platform/MessageBox.h"

namespace platform {

struct TDesktop {
  TMessageBoxSink Box;  // empty: the system's box
  TClock Clock;         // empty: the system's clock
};

// Installs the process's desktop; returns the one it replaces.
TDesktop SetProcessDesktop(TDesktop desktop);

// Points the box and the clock of a module the process has loaded at the process's desktop.
// False when the module is not loaded or its imports cannot be changed; true without doing
// anything on systems where modules find the desktop themselves.
bool AttachModuleToDesktop(const std::string& modulePath);

}  // namespace platform
