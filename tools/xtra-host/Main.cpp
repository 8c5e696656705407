// xtra-host: a Lingo message window without Director.
//
//   xtra-host [--module PATH] [--run-mode author|projector] [--utf8] [SCRIPT | -]
//
// Loads the module (by default the zelXML module built beside this program), registers it as
// Director does, and runs the Lingo statements of SCRIPT, or those typed at the prompt.
// "put" prints "-- " and the value in Lingo's text form; the module's message boxes print as
// "[caption] text". A script error is reported with its line and ends the run with status 1;
// a module that cannot be loaded, status 2.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "XtraConsole.h"
#include "platform/Console.h"

namespace {

constexpr const char* kUsage =
    "usage: xtra-host [--module PATH] [--run-mode author|projector] [--utf8] [SCRIPT | -]\n"
    "  Runs the Lingo statements of SCRIPT (- or none: standard input, with a prompt when it\n"
    "  is a terminal) against the Xtras of the module (default: the zelXML module beside this\n"
    "  program). --utf8: scripts and output in UTF-8 instead of windows-1251.\n";

void Write(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

struct TArguments {
  lingo::TConsoleOptions Options;
  std::string Script;  // empty or "-": standard input
};

bool ParseArguments(int argc, char** argv, TArguments& arguments) {
  arguments.Options.ModulePath = lingo::DefaultModulePath();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--module" && i + 1 < argc) {
      arguments.Options.ModulePath = argv[++i];
    } else if (arg == "--run-mode" && i + 1 < argc) {
      const std::string mode = argv[++i];
      if (mode != "author" && mode != "projector") return false;
      arguments.Options.RunMode = mode == "author" ? "Author" : "Projector";
    } else if (arg == "--utf8") {
      arguments.Options.Utf8 = true;
    } else if ((arg.empty() || arg[0] != '-' || arg == "-") && arguments.Script.empty()) {
      arguments.Script = arg;
    } else {
      return false;
    }
  }
  return true;
}

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return true;
}

// The folder of a script path, with its separator: what "the moviePath" answers.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseBinaryStandardStreams();
  TArguments arguments;
  if (!ParseArguments(argc, argv, arguments)) {
    Write(stderr, kUsage);
    return 2;
  }
  lingo::TXtraConsole console([](std::string_view text) { Write(stdout, text); },
                              [](std::string_view text) { Write(stderr, text); });
  if (!console.Start(arguments.Options)) return 2;

  int status = 0;
  const bool fromInput = arguments.Script.empty() || arguments.Script == "-";
  if (fromInput && platform::StandardInputIsTerminal()) {
    console.RunInteractive([](std::string& line) { return bool(std::getline(std::cin, line)); },
                           [](bool continued) { Write(stdout, continued ? "... " : "> "); });
  } else {
    std::string source;
    if (fromInput) {
      std::ostringstream content;
      content << std::cin.rdbuf();
      source = content.str();
    } else if (!ReadFile(arguments.Script, source)) {
      Write(stderr, "xtra-host: cannot read " + arguments.Script + "\n");
      console.Stop();
      return 2;
    }
    status = console.RunScript(source, fromInput ? "<stdin>" : arguments.Script,
                               fromInput ? std::string() : FolderOf(arguments.Script));
  }
  if (console.Stop() != 0 && status == 0) status = 1;
  return status;
}
