#pragma once

// The command line of xtra-host:
//
//   xtra-host [--module PATH] [--run-mode author|projector] [--movie-path DIR]
//             [--utf8 | --raw] [SCRIPT | -]

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "XtraConsole.h"

namespace lingo {

extern const std::string_view kUsage;
// What --version prints.
std::string VersionText();

struct TCommandLine {
  TConsoleOptions Options;                          // Encoding: see below
  std::optional<platform::TTextEncoding> Encoding;  // none: the console's
  std::string Script;                               // empty or "-": standard input
  std::optional<std::string> MoviePath;             // none: the script's folder
  bool Help = false;
  bool Version = false;
};

// What "the moviePath" answers for a script file (empty for standard input): the movie
// path given, else the script's folder, with its separator.
std::string MoviePathFor(const TCommandLine& command);

// Reads the arguments after the program's name into command (whose options keep what they
// hold for what is not given). False, with error naming the argument and what was expected,
// when they do not make a command line.
bool ParseCommandLine(const std::vector<std::string>& args, TCommandLine& command,
                      std::string& error);

}  // namespace lingo
