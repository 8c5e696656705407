#include "platform/MessageBox.h"

#include <utility>

#include "platform/SystemCalls.h"

namespace platform {
namespace {

TMessageBoxSink& InstalledSink() {
  static TMessageBoxSink sink;
  return sink;
}

}  // namespace

void ShowMessageBox(std::string_view caption, std::string_view text) {
  if (const auto& sink = InstalledSink())
    sink(caption, text);
  else
    sys::ShowSystemMessageBox(caption, text);
}

TMessageBoxSink SetMessageBoxSink(TMessageBoxSink sink) {
  return std::exchange(InstalledSink(), std::move(sink));
}

}  // namespace platform
