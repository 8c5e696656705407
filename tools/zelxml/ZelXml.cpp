#include "ZelXml.h"

#include <algorithm>
#include <optional>

#include "Commands.h"
#include "ConsoleText.h"
#include "platform/File.h"

namespace {

const char* const kHelp =
    "usage: zelxml [--utf8 | --raw] COMMAND ARGUMENTS\n"
    "       zelxml --help | -h | --version\n"
    "\n"
    "Checks, converts and outlines XML documents: text, or the library's binary XML.\n"
    "\n"
    "commands:\n"
    "  check FILE...     parse each file: \"FILE: ok\", or \"FILE:LINE:COLUMN: message\"\n"
    "  convert IN OUT    write IN as text or binary XML (from UTF-8 or UTF-16 with --from)\n"
    "  dump FILE         outline the tree: node types, names, attributes, values\n"
    "An input FILE or IN named - is the standard input.\n"
    "\n"
    "The library's messages and texts are windows-1251; zelxml shows them in the\n"
    "encoding of the console (or locale), or with --utf8 in UTF-8, or with --raw as\n"
    "the library's own bytes.\n"
    "\n"
    "zelxml COMMAND --help (or -h) describes a command.\n";

const char* const kVersion = "zelxml (zelXML) " ZEL_PRODUCT_VERSION "\n";

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
  return std::any_of(args.begin(), args.end(), IsHelpOption);
}

bool IsHelpOption(const std::string& arg) {
  return arg == "--help" || arg == "-h";
}

// "-" alone is the standard input, not an option.
bool IsOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-';
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
  if (IsHelpOption(command) || command == "help") {
    output.Out << kHelp;
    return kZelXmlOk;
  }
  if (command == "--version") {
    output.Out << kVersion;
    return kZelXmlOk;
  }
  if (command == "check") return RunCheck(rest, output);
  if (command == "convert") return RunConvert(rest, output);
  if (command == "dump") return RunDump(rest, output);
  output.Err << "zelxml: unknown command \"" << command << "\"\n\n" << kHelp;
  return kZelXmlUsage;
}
