#pragma once

// The command line of xtra-host:
//
//   xtra-host [--module PATH] [--run-mode author|projector] [--utf8 | --raw] [SCRIPT | -]

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "XtraConsole.h"

namespace lingo {

extern const std::string_view kUsage;

struct TCommandLine {
  TConsoleOptions Options;                          // Encoding: see below
  std::optional<platform::TTextEncoding> Encoding;  // none: the console's
  std::string Script;                               // empty or "-": standard input
  bool Help = false;
};

// Reads the arguments after the program's name into command (whose options keep what they
// hold for what is not given). False, with error naming the argument and what was expected,
// when they do not make a command line.
bool ParseCommandLine(const std::vector<std::string>& args, TCommandLine& command,
                      std::string& error);

}  // namespace lingo
