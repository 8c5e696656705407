#include "XtraConsole.h"

#include "ConsoleText.h"
#include "LingoError.h"
#include "platform/ModulePath.h"

namespace lingo {

TXtraConsole::TXtraConsole(TOutput output, TOutput errors)
    : output_(std::move(output)), errors_(std::move(errors)) {}

TXtraConsole::~TXtraConsole() {
  Stop();
}

void TXtraConsole::Print(std::string_view text) {
  output_(console_text::ToConsole(text, options_.Encoding));
}

std::string TXtraConsole::ScriptText(std::string_view source) const {
  return console_text::FromConsole(source, options_.Encoding);
}

// The script's name is as the person gave it, in their encoding already. Texts are appended
// piece by piece: GCC 12 warns falsely about some chains of string +.
void TXtraConsole::Report(const std::string& name, int line, const std::string& message) {
  std::string text = name;
  ((text += ':') += std::to_string(line)) += ": ";
  (text += console_text::ToConsole(message, options_.Encoding)) += '\n';
  errors_(text);
}

void TXtraConsole::PrintBox(std::string_view caption, std::string_view text) {
  std::string line = "[";
  (((line += caption) += "] ") += text) += '\n';
  Print(line);
}

bool TXtraConsole::Start(const TConsoleOptions& options) {
  options_ = options;
  previousDesktop_ = platform::SetProcessDesktop(
      {.Box = [this](std::string_view caption, std::string_view text) { PrintBox(caption, text); },
       .Clock = {}});
  host_.SetRunMode(options.RunMode);
  if (!host_.Load(options.ModulePath)) {
    errors_("xtra-host: " + host_.LastError() + "\n");
    return false;
  }
  if (!platform::AttachModuleToDesktop(options.ModulePath))
    errors_("xtra-host: the module's message boxes cannot be caught\n");
  if (host_.Register() != kMoaOk) {
    errors_("xtra-host: the module does not register: " + host_.LastError() + "\n");
    return false;
  }
  session_ = std::make_unique<TLingoSession>(
      host_, [this](std::string_view text) { Print(text); },
      TSessionOptions{options.MoviePath, options.RunMode, options.StepLimit, options.Interrupted});
  return true;
}

int TXtraConsole::RunScript(std::string_view source, const std::string& name,
                            const std::string& moviePath) {
  if (!session_) return 1;
  session_->SetMoviePath(moviePath);
  try {
    session_->Play(ParseScript(ScriptText(source)));
    return 0;
  } catch (const ELingoError& error) {
    Report(name, error.Line(), error.what());
  } catch (const std::exception& error) {
    Report(name, 0, error.what());
  }
  return 1;
}

void TXtraConsole::RunInteractive(
    const std::function<TPromptInput(std::string_view prompt, std::string& line)>& readLine) {
  if (!session_) return;
  session_->SetMoviePath(options_.MoviePath);
  Print(kGreeting);
  std::string pending, line;
  int firstLine = 1, lines = 0;
  for (;;) {
    const TPromptInput input = readLine(pending.empty() ? kPrompt : kContinuedPrompt, line);
    if (input == TPromptInput::End) break;
    if (input == TPromptInput::Interrupted) {
      pending.clear();
      firstLine = lines + 1;
      continue;
    }
    ++lines;
    pending += ScriptText(line);
    pending += '\n';
    if (RunTyped(pending, firstLine)) {
      pending.clear();
      firstLine = lines + 1;
    }
  }
}

// What was typed since the last complete statement, whose first line is firstLine; false
// while it is incomplete (an open handler, if or repeat).
bool TXtraConsole::RunTyped(const std::string& typed, int firstLine) {
  TScript script;
  try {
    script = ParseScript(typed, firstLine);
  } catch (const EIncompleteScript&) {
    return false;
  } catch (const ELingoError& error) {
    Report("<input>", error.Line(), error.what());
    return true;
  }
  // A Ctrl-C pressed while nothing ran does not stop what is typed next.
  if (options_.Interrupted) options_.Interrupted();
  try {
    session_->Run(script);
  } catch (const ELingoError& error) {
    Report("<input>", error.Line(), error.what());
  }
  return true;
}

int TXtraConsole::Stop() {
  int status = 0;
  session_.reset();
  if (host_.IsLoaded()) {
    const auto warn = [&](bool kept, const char* what) {
      if (!kept) return;
      errors_(std::string("xtra-host: the module kept ") + what + "\n");
      status = 1;
    };
    warn(!host_.ModuleCanUnload(), "objects alive");
    warn(host_.LiveBlocks() != 0, "host memory");
    warn(host_.LiveValues() != 0, "host values");
    warn(host_.OutstandingReferences() != 0, "references to host services");
    host_.Unload();
  }
  if (previousDesktop_) platform::SetProcessDesktop(*std::exchange(previousDesktop_, {}));
  return status;
}

std::string DefaultModulePath() {
  std::string folder = platform::ModuleFileName();
  const std::size_t slash = folder.find_last_of("/\\");
  folder.resize(slash == std::string::npos ? 0 : slash + 1);
#ifdef _WIN32
  return folder + "zelXML.x32";
#else
  return folder + "libzelXML.so";
#endif
}

}  // namespace lingo
