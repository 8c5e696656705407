#pragma once

// Where a recorded failure goes besides the error state, while authoring: a modal box and a
// line of the error log.

#include <string>
#include <string_view>

#include "platform/Clock.h"

// The host's run mode counts as authoring when, its ASCII letters lowered, it is "author".
bool IsAuthoringRunMode(std::string_view runMode);

// The error box: caption "Error", OK only, no icon, system-modal. Returns when it is closed.
void ShowErrorDialog(const std::string& text);

// Appends one entry to the log file (created when missing). Never fails: an entry that cannot
// be written is lost without a word. An empty file name writes nothing.
void AppendErrorLog(const std::string& fileName, const std::string& text) noexcept;

// One entry of the log: "mm.dd.yyyy hh:mm:ss", a TAB, the text and CR LF; the space and the
// time are left out at exactly midnight (to the second). timeSeparator stands between the
// parts of the time.
std::string ErrorLogEntry(const platform::TLocalDateTime& when, std::string_view text,
                          char timeSeparator);
