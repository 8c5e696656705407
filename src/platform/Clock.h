#pragma once

// The local date and time, and the system's date and number formats. Both can be replaced
// (tests fix the clock at midnight or switch the decimal separator).

#include <functional>
#include <string>

namespace platform {

struct TLocalDateTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

TLocalDateTime LocalNow();

// Installs a clock and returns the one it replaces; an empty clock restores the system's.
using TClock = std::function<TLocalDateTime()>;
TClock SetClock(TClock clock);

}  // namespace platform
