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
  // Runs a script; 0, or 1 after a script error, which is reported with its line as
  // "name:line: message". moviePath is what "the moviePath" answers. Variables stay from one
  // script to the next, as in Director's message window.
  int RunScript(std::string_view source, const std::string& name, const std::string& moviePath);
  // Reads statements line by line until readLine gives up, running each as it is complete; a
  // statement that fails is reported and the next one read. readLine shows the prompt it is
  // given (kPrompt, or kContinuedPrompt inside an open if or repeat) and reads one line.
  void RunInteractive(
      const std::function<bool(std::string_view prompt, std::string& line)>& readLine);
  // Forgets every instance and unloads the module; what the module kept of the host is
  // reported on the error output. 0, or 1 when the module kept something.
  int Stop();

  dxhost::TXtraHost& Host() { return host_; }

 private:
  void Print(std::string_view text);
  // A message box of the module: "[caption] text".
  void PrintBox(std::string_view caption, std::string_view text);
  void Report(const std::string& name, int line, const std::string& message);
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
