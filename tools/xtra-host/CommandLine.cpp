#include "CommandLine.h"

#include "ConsoleText.h"

namespace lingo {

const std::string_view kUsage =
    "usage: xtra-host [--module PATH] [--run-mode author|projector] [--movie-path DIR]\n"
    "                 [--utf8 | --raw] [SCRIPT | -]\n"
    "  Runs the Lingo of SCRIPT (- or none: standard input, with a prompt when it is a\n"
    "  terminal) against the Xtras of the module, as Director's message window. A script\n"
    "  may be a movie script: its handlers are defined, startMovie runs first when it\n"
    "  defines one, then the statements outside handlers, then stopMovie.\n"
    "  --module PATH     the module to load (default: the zelXML module beside this program)\n"
    "  --run-mode M      what the movie runs in: author (the default, where errorDialog and\n"
    "                    errorLog work) or projector\n"
    "  --movie-path DIR  what the moviePath answers (default: the folder of SCRIPT, and\n"
    "                    empty, the current folder, at the prompt)\n"
    "  --utf8            scripts and output in UTF-8\n"
    "  --raw             scripts and output in the module's own bytes (windows-1251)\n"
    "  Without --utf8 or --raw, the encoding of the console (or locale) is used.\n"
    "  --help, -h        this text; --version: the version of xtra-host\n"
    "  At the prompt, help lists the Lingo this console understands.\n";

std::string VersionText() {
  return "xtra-host (zelXML) " ZEL_PRODUCT_VERSION "\n";
}

namespace {

// The run modes as the host reports them to the module.
std::optional<std::string> RunModeOf(const std::string& option) {
  if (option == "author") return "Author";
  if (option == "projector") return "Projector";
  return std::nullopt;
}

// A folder as "the moviePath" gives it: names are appended to it directly.
std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
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
  } else if (option == "--version") {
    command.Version = true;
  } else if (option == "--movie-path") {
    if (!value) return void(error = "--movie-path needs a folder");
    command.MoviePath = WithSeparator(*value);
    ++i;
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

std::string MoviePathFor(const TCommandLine& command) {
  if (command.MoviePath) return *command.MoviePath;
  if (command.Script.empty() || command.Script == "-") return {};
  const std::size_t slash = command.Script.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : command.Script.substr(0, slash + 1);
}

}  // namespace lingo
