// xtra-host: a Lingo message window without Director.
//
//   xtra-host [--module PATH] [--run-mode author|projector] [--movie-path DIR]
//             [--utf8 | --raw] [SCRIPT | -]
//
// Loads the module (by default the zelXML module built beside this program), registers it as
// Director does, and plays the movie script SCRIPT, or runs the Lingo typed at the prompt.
// "put" prints "-- " and the value in Lingo's text form; the module's message boxes print as
// "[caption] text". A script error is reported with its line and ends the run with status 1;
// a module that cannot be loaded, a script that cannot be read, or a command line that makes
// no sense, status 2.

#include <cstdio>
#include <optional>
#include <string>

#include "CommandLine.h"
#include "LineEditor.h"
#include "XtraConsole.h"
#include "platform/Console.h"
#include "platform/ConsoleInterrupts.h"
#include "platform/WholeFile.h"

namespace {

void Write(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

bool FromStandardInput(const lingo::TCommandLine& command) {
  return command.Script.empty() || command.Script == "-";
}

// Statements from the script file or piped in; 0, 1 after a script error, 2 when the script
// cannot be read.
int RunScript(lingo::TXtraConsole& console, const lingo::TCommandLine& command) {
  std::string source;
  if (FromStandardInput(command)) {
    source = platform::ReadStandardInput();
  } else if (std::string reason; !platform::ReadWholeFile(command.Script, source, reason)) {
    Write(stderr, "xtra-host: cannot read the script \"" + command.Script + "\": " + reason + "\n");
    return 2;
  }
  return console.RunScript(source, FromStandardInput(command) ? "<stdin>" : command.Script,
                           lingo::MoviePathFor(command));
}

int RunPrompt(lingo::TXtraConsole& console, platform::TConsoleInterrupts& interrupts) {
  lingo::TLineEditor editor(interrupts);
  console.RunInteractive([&editor](std::string_view prompt, std::string& line) {
    return editor.ReadLine(prompt, line);
  });
  return 0;
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
  if (command.Help || command.Version) {
    Write(stdout, command.Help ? std::string(lingo::kUsage) : lingo::VersionText());
    return 0;
  }
  command.Options.Encoding = command.Encoding.value_or(platform::ConsoleTextEncoding());
  // At the prompt, Ctrl-C stops what runs, or drops what is typed, instead of the session.
  const bool atPrompt = FromStandardInput(command) && platform::StandardInputIsTerminal();
  std::optional<platform::TConsoleInterrupts> interrupts;
  if (atPrompt) {
    interrupts.emplace();
    command.Options.Interrupted = [&interrupts] { return interrupts->Take(); };
    command.Options.MoviePath = lingo::MoviePathFor(command);
  }
  lingo::TXtraConsole console([](std::string_view text) { Write(stdout, text); },
                              [](std::string_view text) { Write(stderr, text); });
  if (!console.Start(command.Options)) return 2;
  int status = atPrompt ? RunPrompt(console, *interrupts) : RunScript(console, command);
  if (console.Stop() != 0 && status == 0) status = 1;
  return status;
}
