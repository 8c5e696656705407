#include "platform/Locale.h"

#include <utility>

#include "platform/SystemCalls.h"

namespace platform {
namespace {

std::optional<TLocaleFormats>& Override() {
  static std::optional<TLocaleFormats> formats;
  return formats;
}

}  // namespace

const TLocaleFormats& UserLocaleFormats() {
  if (const auto& formats = Override()) return *formats;
  static const TLocaleFormats system = sys::ReadLocaleFormats();
  return system;
}

std::optional<TLocaleFormats> SetLocaleFormatsOverride(std::optional<TLocaleFormats> formats) {
  return std::exchange(Override(), std::move(formats));
}

}  // namespace platform
