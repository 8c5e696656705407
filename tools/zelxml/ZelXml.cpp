#include "ZelXml.h"

#include <algorithm>
#include <optional>

#include "Commands.h"
#include "ConsoleText.h"
#include "platform/File.h"

namespace {

const char* const kHelp =
    "usage: zelxml [--utf8 | --raw] COMMAND ARGUMENTS\n"
    "\n"
    "Checks, converts and outlines XML documents: text, or the library's binary XML.\n"
    "\n"
    "commands:\n"
    "  check FILE...     parse each file: \"FILE: ok\", or \"FILE:LINE:COLUMN: message\"\n"
    "  convert IN OUT    write IN as text or binary XML\n"
    "  dump FILE         outline the tree: node types, names, attributes, values\n"
    "\n"
    "The library's messages and texts are windows-1251; zelxml shows them in the\n"
    "encoding of the console (or locale), or with --utf8 in UTF-8, or with --raw as\n"
    "the library's own bytes.\n"
    "\n"
    "zelxml COMMAND --help describes a command.\n";

// Takes --utf8 and --raw out of args, wherever they stand.
bool TakeEncodingOptions(TArgs& args, TZelXmlOutput& output) {
  std::optional<platform::TTextEncoding> chosen;
  std::string error;
  std::erase_if(args, [&](const std::string& arg) {
    return console_text::TakeEncodingOption(arg, chosen, error);
  });
  if (!error.empty()) {
    output.Err << "zelxml: " << error << "\n";
    return false;
  }
  output.Encoding = chosen.value_or(output.Encoding);
  return true;
}

}  // namespace

bool AsksForHelp(const TArgs& args) {
  return std::find(args.begin(), args.end(), "--help") != args.end();
}

bool IsOption(const std::string& arg) {
  return arg.size() > 2 && arg.compare(0, 2, "--") == 0;
}

std::string Shown(const TZelXmlOutput& output, std::string_view text,
                  const std::vector<std::string>& names) {
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back(platform::FullPathName(name));
  std::vector<std::string_view> verbatim(names.begin(), names.end());
  verbatim.insert(verbatim.end(), paths.begin(), paths.end());
  return console_text::ToConsoleKeeping(text, output.Encoding, verbatim);
}

int RunZelXml(const std::vector<std::string>& arguments, TZelXmlOutput output) {
  TArgs args = arguments;
  if (!TakeEncodingOptions(args, output)) return kZelXmlUsage;
  if (args.empty()) {
    output.Err << kHelp;
    return kZelXmlUsage;
  }
  const TArgs rest(args.begin() + 1, args.end());
  const std::string& command = args[0];
  if (command == "--help" || command == "help") {
    output.Out << kHelp;
    return kZelXmlOk;
  }
  if (command == "check") return RunCheck(rest, output);
  if (command == "convert") return RunConvert(rest, output);
  if (command == "dump") return RunDump(rest, output);
  output.Err << "zelxml: unknown command \"" << command << "\"\n\n" << kHelp;
  return kZelXmlUsage;
}
