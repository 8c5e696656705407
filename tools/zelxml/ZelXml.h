#pragma once

// The zelxml command: checks, converts and outlines XML documents, text or binary.
//
//   zelxml check FILE...
//   zelxml convert IN OUT [--binary [--utf16]] [--compact | --indented]
//   zelxml dump FILE
//   zelxml [COMMAND] --help

#include <ostream>
#include <string>
#include <vector>

// Exit statuses.
enum : int { kZelXmlOk = 0, kZelXmlFailed = 1, kZelXmlUsage = 2 };

// Runs the command that args (without the program name) name; reports go to out, failures to
// err. Returns the exit status.
int RunZelXml(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
