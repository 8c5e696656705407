#pragma once

// The error box: no owner window, one OK button, no icon, system-modal. It returns when the
// user closes it. Everything goes through a replaceable sink so that tests and tools can
// capture boxes instead of blocking on them.

#include <functional>
#include <string_view>

namespace platform {

using TMessageBoxSink = std::function<void(std::string_view caption, std::string_view text)>;

void ShowMessageBox(std::string_view caption, std::string_view text);

// Installs a sink and returns the one it replaces; an empty sink restores the system's box
// (on Windows MessageBoxA; elsewhere caption and text written to stderr).
TMessageBoxSink SetMessageBoxSink(TMessageBoxSink sink);

}  // namespace platform
