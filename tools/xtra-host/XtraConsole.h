#pragma once

// The message window of xtra-host: a module loaded and registered by our host, a Lingo
// session over it, and the process's desktop, so that the module's boxes are printed with the
// rest ("[Error] text") instead of waiting for someone to close them.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "LingoSession.h"
#include "host/XtraHost.h"
#include "platform/Console.h"
#include "platform/Desktop.h"

namespace lingo {

struct TConsoleOptions {
  std::string ModulePath;
  std::string RunMode = "Author";  // as the host tells it: "Author" or "Projector"
  // What scripts and output are written in; the module's own is windows-1251.
  platform::TTextEncoding Encoding = platform::TTextEncoding::Cp1251;
  long long StepLimit = 0;  // see TSessionOptions
  std::string MoviePath{};  // what "the moviePath" answers at the prompt
  // True when the person pressed Ctrl-C since it was last asked (see TSessionOptions).
  std::function<bool()> Interrupted{};
};

// What reading a line at the prompt gave.
enum class TPromptInput {
  Line,         // a line, complete
  Interrupted,  // Ctrl-C: what was typed is dropped
  End,          // the end of input
};

class TXtraConsole {
 public:
  using TOutput = std::function<void(std::string_view text)>;

  static constexpr std::string_view kPrompt = "> ";
  static constexpr std::string_view kContinuedPrompt = "... ";
  // What the prompt says before the first statement.
  static constexpr std::string_view kGreeting =
      "Lingo message window; help lists what it understands.\n";

  TXtraConsole(TOutput output, TOutput errors);
  TXtraConsole(const TXtraConsole&) = delete;
  TXtraConsole& operator=(const TXtraConsole&) = delete;
  ~TXtraConsole();

  // Loads and registers the module; false, with the reason on the error output, when it
  // cannot.
  bool Start(const TConsoleOptions& options);
  // Plays a movie script (TLingoSession::Play: handlers, startMovie, the statements,
  // stopMovie); 0, or 1 after a script error, which is reported with its line as
  // "name:line: message". moviePath is what "the moviePath" answers. Variables stay from one
  // script to the next, as in Director's message window.
  int RunScript(std::string_view source, const std::string& name, const std::string& moviePath);
  // Reads statements line by line until readLine gives the end of input, running each as it
  // is complete; a statement that fails, or that Ctrl-C stops, is reported and the next one
  // read. Handlers typed at the prompt are defined once their end is typed. readLine shows
  // the prompt it is given (kPrompt, or kContinuedPrompt inside an open handler, if or
  // repeat) and reads one line; Ctrl-C there drops the statement typed so far.
  void RunInteractive(
      const std::function<TPromptInput(std::string_view prompt, std::string& line)>& readLine);
  // Forgets every instance and unloads the module; what the module kept of the host is
  // reported on the error output. 0, or 1 when the module kept something.
  int Stop();

  dxhost::TXtraHost& Host() { return host_; }

 private:
  void Print(std::string_view text);
  // A message box of the module: "[caption] text".
  void PrintBox(std::string_view caption, std::string_view text);
  void Report(const std::string& name, int line, const std::string& message);
  bool RunTyped(const std::string& typed, int firstLine);
  std::string ScriptText(std::string_view source) const;

  TOutput output_, errors_;
  TConsoleOptions options_;
  dxhost::TXtraHost host_;
  std::unique_ptr<TLingoSession> session_;
  std::optional<platform::TDesktop> previousDesktop_;
};

// The module beside the running program: libzelXML.so, or zelXML.x32 on Windows.
std::string DefaultModulePath();

}  // namespace lingo
