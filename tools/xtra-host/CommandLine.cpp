#include "CommandLine.h"

#include "ConsoleText.h"

namespace lingo {

const std::string_view kUsage =
    "usage: xtra-host [--module PATH] [--run-mode author|projector] [--utf8 | --raw]\n"
    "                 [SCRIPT | -]\n"
    "  Runs the Lingo statements of SCRIPT (- or none: standard input, with a prompt when\n"
    "  it is a terminal) against the Xtras of the module, as Director's message window.\n"
    "  --module PATH   the module to load (default: the zelXML module beside this program)\n"
    "  --run-mode M    what the movie runs in: author (the default, where errorDialog and\n"
    "                  errorLog work) or projector\n"
    "  --utf8          scripts and output in UTF-8\n"
    "  --raw           scripts and output in the module's own bytes (windows-1251)\n"
    "  Without --utf8 or --raw, the encoding of the console (or locale) is used.\n"
    "  At the prompt, help lists the Lingo this console understands.\n";

namespace {

// The run modes as the host reports them to the module.
std::optional<std::string> RunModeOf(const std::string& option) {
  if (option == "author") return "Author";
  if (option == "projector") return "Projector";
  return std::nullopt;
}

bool IsOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-';
}

// Takes the option at args[i] with its value, if any (i then moves to the value); error says
// what is wrong with it.
void TakeOption(const std::vector<std::string>& args, std::size_t& i, TCommandLine& command,
                std::string& error) {
  const std::string& option = args[i];
  const std::string* value = i + 1 < args.size() ? &args[i + 1] : nullptr;
  if (option == "--help" || option == "-h") {
    command.Help = true;
  } else if (option == "--module") {
    if (!value) return void(error = "--module needs the PATH of a module");
    command.Options.ModulePath = *value;
    ++i;
  } else if (option == "--run-mode") {
    if (!value) return void(error = "--run-mode needs author or projector");
    const std::optional<std::string> mode = RunModeOf(*value);
    if (!mode) return void(error = "--run-mode takes author or projector, not \"" + *value + "\"");
    command.Options.RunMode = *mode;
    ++i;
  } else if (!console_text::TakeEncodingOption(option, command.Encoding, error)) {
    error = "unknown option \"" + option + "\"";
  }
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, TCommandLine& command,
                      std::string& error) {
  for (std::size_t i = 0; i < args.size() && error.empty(); ++i) {
    if (IsOption(args[i])) {
      TakeOption(args, i, command, error);
    } else if (!command.Script.empty()) {
      error = "one SCRIPT only, but \"" + args[i] + "\" follows \"" + command.Script + "\"";
    } else {
      command.Script = args[i];
    }
  }
  return error.empty();
}

}  // namespace lingo
