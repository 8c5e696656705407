#pragma once

// How a module finds the process's desktop on systems without one of their own: C functions
// that the hosting program exports, looked up by name in the process.

#include <cstddef>

#include "platform/Clock.h"

namespace platform::desktop_abi {

// 1 when the desktop showed the box, 0 when the system's should.
using TMessageBoxFunction = int(const char* caption, std::size_t captionSize, const char* text,
                                std::size_t textSize);
// 1 when the desktop filled the time, 0 when the system's clock should.
using TLocalTimeFunction = int(TLocalDateTime* now);

inline constexpr const char* kMessageBoxSymbol = "zel_desktop_message_box";
inline constexpr const char* kLocalTimeSymbol = "zel_desktop_local_time";

}  // namespace platform::desktop_abi
