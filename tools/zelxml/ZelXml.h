#pragma once

// The zelxml command: checks, converts and outlines XML documents, text or binary.
//
//   zelxml [--utf8 | --raw] check FILE...
//   zelxml [--utf8 | --raw] convert IN OUT [--from utf-8|utf-16|auto] [--binary [--utf16]]
//                                          [--compact | --indented]
//   zelxml [--utf8 | --raw] dump FILE
//   zelxml [COMMAND] --help | -h,  zelxml --version
// An input named "-" is the standard input.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Console.h"

// Exit statuses.
enum : int { kZelXmlOk = 0, kZelXmlFailed = 1, kZelXmlUsage = 2 };

// Where a run writes, and how.
struct TZelXmlOutput {
  std::ostream& Out;  // what a command reports
  std::ostream& Err;  // failures, usage errors, progress
  // The encoding the library's windows-1251 text is shown in unless --utf8 or --raw choose.
  platform::TTextEncoding Encoding = platform::TTextEncoding::Cp1251;
  // Err is a terminal a person watches: a long convert shows its progress there.
  bool ErrIsTerminal = false;
  // What "-" reads as the input; none: the process's standard input.
  std::function<std::string()> ReadStandardInput{};
};

// Runs the command that args (without the program name) name. Returns the exit status.
int RunZelXml(const std::vector<std::string>& args, TZelXmlOutput output);
