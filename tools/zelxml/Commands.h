#pragma once

// The commands of zelxml. Each takes its own arguments (after the command's name), writes its
// report to Out and its failures to Err, and returns the exit status.

#include <string>
#include <string_view>
#include <vector>

#include "ZelXml.h"

using TArgs = std::vector<std::string>;

int RunCheck(const TArgs& args, const TZelXmlOutput& output);
int RunConvert(const TArgs& args, const TZelXmlOutput& output);
int RunDump(const TArgs& args, const TZelXmlOutput& output);

// The help texts.
extern const char* const kCheckHelp;
extern const char* const kConvertHelp;
extern const char* const kDumpHelp;

// True when args ask for the help of the command.
bool AsksForHelp(const TArgs& args);
// --help or -h.
bool IsHelpOption(const std::string& arg);
// An option ("--name", "-h"), not a file; "-" is a file, the standard input.
bool IsOption(const std::string& arg);

// The library's text (a message, an outline) in the output's encoding. Names the person typed
// (files) may occur in it: they are in the person's encoding already and pass unchanged, with
// the full paths the library makes of them.
std::string Shown(const TZelXmlOutput& output, std::string_view text,
                  const std::vector<std::string>& names = {});
