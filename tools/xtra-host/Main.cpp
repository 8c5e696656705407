// xtra-host: a Lingo message window without Director.
//
//   xtra-host [--module PATH] [--run-mode author|projector] [--utf8 | --raw] [SCRIPT | -]
//
// Loads the module (by default the zelXML module built beside this program), registers it as
// Director does, and runs the Lingo statements of SCRIPT, or those typed at the prompt.
// "put" prints "-- " and the value in Lingo's text form; the module's message boxes print as
// "[caption] text". A script error is reported with its line and ends the run with status 1;
// a module that cannot be loaded, or a command line that makes no sense, status 2.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "CommandLine.h"
#include "LineEditor.h"
#include "XtraConsole.h"
#include "platform/Console.h"

namespace {

void Write(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
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

// Statements from standard input or the script file; 0, 1 after a script error, 2 when the
// script cannot be read.
int RunStatements(lingo::TXtraConsole& console, const std::string& script) {
  const bool fromInput = script.empty() || script == "-";
  if (fromInput && platform::StandardInputIsTerminal()) {
    lingo::TLineEditor editor;
    console.RunInteractive([&editor](std::string_view prompt, std::string& line) {
      return editor.ReadLine(prompt, line);
    });
    return 0;
  }
  std::string source;
  if (fromInput) {
    std::ostringstream content;
    content << std::cin.rdbuf();
    source = content.str();
  } else if (!ReadFile(script, source)) {
    Write(stderr, "xtra-host: cannot read the script \"" + script + "\"\n");
    return 2;
  }
  return console.RunScript(source, fromInput ? "<stdin>" : script,
                           fromInput ? std::string() : FolderOf(script));
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseBinaryStandardStreams();
  lingo::TCommandLine command;
  command.Options.ModulePath = lingo::DefaultModulePath();
  std::string error;
  if (!lingo::ParseCommandLine({argv + 1, argv + argc}, command, error)) {
    Write(stderr, "xtra-host: " + error + "\n\n" + std::string(lingo::kUsage));
    return 2;
  }
  if (command.Help) {
    Write(stdout, lingo::kUsage);
    return 0;
  }
  command.Options.Encoding = command.Encoding.value_or(platform::ConsoleTextEncoding());
  lingo::TXtraConsole console([](std::string_view text) { Write(stdout, text); },
                              [](std::string_view text) { Write(stderr, text); });
  if (!console.Start(command.Options)) return 2;
  int status = RunStatements(console, command.Script);
  if (console.Stop() != 0 && status == 0) status = 1;
  return status;
}
