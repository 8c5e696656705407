#include "platform/Desktop.h"

#include <type_traits>
#include <utility>

#include "platform/portable/DesktopAbi.h"

namespace platform {
namespace {

TDesktop& InstalledDesktop() {
  static TDesktop desktop;
  return desktop;
}

// The program's own platform layer asks the desktop too: a desktop that falls back on the
// platform's box or clock would come back here, and then gets the system's.
class TReentryGuard {
 public:
  explicit TReentryGuard(bool& busy) : busy_(busy), entered_(!busy) { busy_ = true; }
  TReentryGuard(const TReentryGuard&) = delete;
  TReentryGuard& operator=(const TReentryGuard&) = delete;
  ~TReentryGuard() {
    if (entered_) busy_ = false;
  }
  bool Entered() const { return entered_; }

 private:
  bool& busy_;
  bool entered_;
};

bool gInBox = false;
bool gInClock = false;

}  // namespace

TDesktop SetProcessDesktop(TDesktop desktop) {
  return std::exchange(InstalledDesktop(), std::move(desktop));
}

// Modules look the desktop up by themselves.
bool AttachModuleToDesktop(const std::string&) {
  return true;
}

}  // namespace platform

// The functions a module finds in the process. Exported from the program, so they live in the
// unit that a program playing the desktop links anyway.
extern "C" __attribute__((visibility("default"))) int zel_desktop_message_box(
    const char* caption, std::size_t captionSize, const char* text, std::size_t textSize) {
  const platform::TMessageBoxSink& box = platform::InstalledDesktop().Box;
  const platform::TReentryGuard guard(platform::gInBox);
  if (!box || !guard.Entered()) return 0;
  try {
    box({caption, captionSize}, {text, textSize});
  } catch (...) {
    // A box that fails is a box closed.
  }
  return 1;
}

extern "C" __attribute__((visibility("default"))) int zel_desktop_local_time(
    platform::TLocalDateTime* now) {
  const platform::TClock& clock = platform::InstalledDesktop().Clock;
  const platform::TReentryGuard guard(platform::gInClock);
  if (!clock || !now || !guard.Entered()) return 0;
  try {
    *now = clock();
  } catch (...) {
    return 0;
  }
  return 1;
}

static_assert(
    std::is_same_v<decltype(zel_desktop_message_box), platform::desktop_abi::TMessageBoxFunction>);
static_assert(
    std::is_same_v<decltype(zel_desktop_local_time), platform::desktop_abi::TLocalTimeFunction>);
