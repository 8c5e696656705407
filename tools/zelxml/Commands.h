#pragma once

// The commands of zelxml. Each takes its own arguments (after the command's name), writes its
// report to out and its failures to err, and returns the exit status.

#include <ostream>
#include <string>
#include <vector>

#include "ZelXml.h"

using TArgs = std::vector<std::string>;

int RunCheck(const TArgs& args, std::ostream& out, std::ostream& err);
int RunConvert(const TArgs& args, std::ostream& out, std::ostream& err);
int RunDump(const TArgs& args, std::ostream& out, std::ostream& err);

// The help texts.
extern const char* const kCheckHelp;
extern const char* const kConvertHelp;
extern const char* const kDumpHelp;

// True when args ask for the help of the command.
bool AsksForHelp(const TArgs& args);
