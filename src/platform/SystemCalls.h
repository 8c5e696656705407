#pragma once

// The per-system primitives behind the platform layer's shared code. Each has one definition
// in win32/ and one in portable/; nothing outside src/platform includes this header.

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Locale.h"

namespace platform::sys {

void ShowSystemMessageBox(std::string_view caption, std::string_view text);
TLocalDateTime ReadLocalTime();
TLocaleFormats ReadLocaleFormats();
// Runs body on a new thread with the given stack size and joins it; false if not started.
bool RunThread(std::size_t stackBytes, const std::function<void()>& body);

}  // namespace platform::sys
