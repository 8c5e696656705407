#include "ZelXml.h"

#include <algorithm>

#include "Commands.h"

namespace {

const char* const kHelp =
    "usage: zelxml COMMAND ARGUMENTS\n"
    "\n"
    "Checks, converts and outlines XML documents: text, or the library's binary XML.\n"
    "\n"
    "commands:\n"
    "  check FILE...     parse each file; \"ok\", or the parser's message\n"
    "  convert IN OUT    write IN as text or binary XML\n"
    "  dump FILE         outline the tree: node types, names, attributes, values\n"
    "\n"
    "zelxml COMMAND --help describes a command.\n";

}  // namespace

bool AsksForHelp(const TArgs& args) {
  return std::find(args.begin(), args.end(), "--help") != args.end();
}

int RunZelXml(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kHelp;
    return kZelXmlUsage;
  }
  const TArgs rest(args.begin() + 1, args.end());
  const std::string& command = args[0];
  if (command == "--help" || command == "help") {
    out << kHelp;
    return kZelXmlOk;
  }
  if (command == "check") return RunCheck(rest, out, err);
  if (command == "convert") return RunConvert(rest, out, err);
  if (command == "dump") return RunDump(rest, out, err);
  err << "zelxml: unknown command \"" << command << "\"\n\n" << kHelp;
  return kZelXmlUsage;
}
