#include "platform/Clock.h"

#include <utility>

#include "platform/SystemCalls.h"

namespace platform {
namespace {

TClock& InstalledClock() {
  static TClock clock;
  return clock;
}

}  // namespace

TLocalDateTime LocalNow() {
  const auto& clock = InstalledClock();
  return clock ? clock() : sys::ReadLocalTime();
}

TClock SetClock(TClock clock) { return std::exchange(InstalledClock(), std::move(clock)); }

}  // namespace platform
