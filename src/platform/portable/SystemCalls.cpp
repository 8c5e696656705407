#include "platform/SystemCalls.h"

#include <dlfcn.h>

#include <cstdio>
#include <ctime>

#include "platform/portable/DesktopAbi.h"

namespace platform::sys {
namespace {

// A function of the desktop that the hosting program exports, or null (see platform/Desktop.h).
template <class TFunction>
TFunction* ProcessDesktop(const char* symbol) {
  return reinterpret_cast<TFunction*>(dlsym(RTLD_DEFAULT, symbol));
}

}  // namespace

void ShowSystemMessageBox(std::string_view caption, std::string_view text) {
  static auto* const desktop =
      ProcessDesktop<desktop_abi::TMessageBoxFunction>(desktop_abi::kMessageBoxSymbol);
  if (desktop && desktop(caption.data(), caption.size(), text.data(), text.size())) return;
  std::fprintf(stderr, "[%.*s] %.*s\n", int(caption.size()), caption.data(), int(text.size()),
               text.data());
}

TLocalDateTime ReadLocalTime() {
  static auto* const desktop =
      ProcessDesktop<desktop_abi::TLocalTimeFunction>(desktop_abi::kLocalTimeSymbol);
  TLocalDateTime fromDesktop;
  if (desktop && desktop(&fromDesktop)) return fromDesktop;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
          local.tm_min,         local.tm_sec,     int(now.tv_nsec / 1000000)};
}

// This system has no user locale of zelXML's kind: the formats are the common defaults.
TLocaleFormats ReadLocaleFormats() { return {}; }

}  // namespace platform::sys

#include <pthread.h>

namespace platform::sys {
namespace {

void* ThreadEntry(void* body) {
  (*static_cast<const std::function<void()>*>(body))();
  return nullptr;
}

}  // namespace

bool RunThread(std::size_t stackBytes, const std::function<void()>& body) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, stackBytes);
  pthread_t thread;
  const bool started =
      pthread_create(&thread, &attributes, ThreadEntry, const_cast<std::function<void()>*>(&body)) ==
      0;
  pthread_attr_destroy(&attributes);
  if (started) pthread_join(thread, nullptr);
  return started;
}

}  // namespace platform::sys
