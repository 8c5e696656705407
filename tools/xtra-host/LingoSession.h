#pragma once

// A Lingo message window over our host: it runs statements and movie scripts (handlers,
// globals, startMovie) against the Xtras a registered module offers, keeps the variables, and
// lets an Xtra instance go (forget) once no variable or list holds it any more, as Lingo does.
//
//   dxhost::TXtraHost host;  // loaded and registered
//   lingo::TLingoSession session(host, [](std::string_view text) { std::fputs(...); });
//   session.Run("x = new(xtra \"zelXMLParser\")\nput x.loadFromText(\"<a/>\")");  // -- 1

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "LingoSyntax.h"
#include "LingoValue.h"
#include "host/XtraHost.h"

namespace lingo {

struct TSessionOptions {
  std::string MoviePath;  // "the moviePath": the movie's folder, with its separator
  std::string RunMode;    // "the runMode"
  // Statements a session may run before it stops with a script error; 0 for no limit.
  long long StepLimit = 0;
  // Asked before each statement: true when the person asked to stop what runs (Ctrl-C at the
  // console), which then stops with the script error "Interrupted".
  std::function<bool()> Interrupted{};
};

// Handlers may call each other this deep; deeper is taken for a handler that calls itself
// without end, and stops with a script error. Each call takes a few kilobytes of the
// interpreter's stack in a debug build: 200 stay well inside the 1 MiB that a Windows program
// has.
inline constexpr std::size_t kMaxHandlerDepth = 200;

class TLingoSession {
 public:
  using TOutput = std::function<void(std::string_view text)>;

  TLingoSession(dxhost::TXtraHost& host, TOutput output, TSessionOptions options = {});
  TLingoSession(const TLingoSession&) = delete;
  TLingoSession& operator=(const TLingoSession&) = delete;
  // Forgets every instance.
  ~TLingoSession();

  // Parses and runs a script: its handlers are defined (replacing those of the same names)
  // and its statements run, as typed into the message window. Raises ELingoError
  // (EIncompleteScript while parsing) with the line of the statement that failed. What ran
  // before the failure stays done.
  void Run(std::string_view source);
  void Run(const TScript& script);
  // Plays a movie whose movie script this is: the handlers are defined, startMovie runs when
  // the script defines it, then the statements outside handlers (the message window while the
  // movie plays), then stopMovie when the script defines it.
  void Play(const TScript& script);

  // Drops every variable and handler and forgets every instance.
  void Clear();

  void SetMoviePath(std::string moviePath) { options_.MoviePath = std::move(moviePath); }

 private:
  enum class TFlow { Normal, ExitRepeat, NextRepeat, Return };
  // The variables of a handler that runs.
  struct TFrame {
    std::map<std::string, TValue> Locals;  // by lower-case name
    std::set<std::string> Globals;         // declared global in the handler
    int RepeatDepth = 0;
  };

  void Define(const TScript& script);
  void RunStatements(const TBlock& statements);
  // Runs the handler of that name when there is one; false when there is none.
  bool CallIfDefined(std::string_view name);
  TFlow Execute(const TBlock& block);
  TFlow Execute(const TStatement& statement);
  TFlow Repeat(const TStatement& statement);
  void CountStep(int line);

  // Variables: a handler's own, or the globals (the top level's, and those the handler or the
  // top level declares global).
  TValue* FindVariable(const std::string& name);
  void Assign(const std::string& name, TValue value);
  void DeclareGlobals(const std::vector<std::string>& names);

  TValue Evaluate(const TExpression& expression);
  TValue Constant(const TExpression& expression);
  TValue TheProperty(const TExpression& expression);
  TValue Variable(const TExpression& expression);
  std::vector<TValue> EvaluateAll(const std::vector<PExpression>& expressions, std::size_t first);
  TValue Call(const std::string& name, std::vector<TValue> args, int line);
  TValue CallHandler(const THandler& handler, std::vector<TValue> args, int line);
  TValue CallMethod(const dxhost::TXtraInstance& instance, const std::string& name,
                    const std::vector<TValue>& args, int line);
  // A handler of the message window itself: new, interface, count, getAt, string ...
  TValue Builtin(const std::string& handler, std::vector<TValue>& args, int line);
  // A predicate such as integerp; none when name is not one.
  std::optional<TValue> Predicate(const std::string& name, std::vector<TValue>& args, int line);
  // charToNum and numToChar.
  TValue Character(const std::string& name, std::vector<TValue>& args, int line);
  TValue New(std::vector<TValue>& args, int line);
  TValue Property(const TValue& target, const std::string& name, int line);
  TValue Index(const TValue& target, const TValue& index, int line);

  // The instance a value names, or null.
  dxhost::TXtraInstance* Instance(const TValue& value);
  // Forgets the instances that nothing but the session's own record holds.
  void CollectInstances();

  dxhost::TXtraHost& host_;
  TValues values_;
  TOutput output_;
  TSessionOptions options_;
  long long steps_ = 0;
  int repeatDepth_ = 0;
  std::map<std::string, TValue> globals_;                            // by lower-case name
  std::set<std::string> topLevelGlobals_;                            // global in every handler
  std::map<std::string, std::shared_ptr<const THandler>> handlers_;  // by lower-case name
  std::vector<TFrame> frames_;  // the handlers that run, innermost last
  TValue returned_;             // what the last return gave
  std::vector<std::unique_ptr<dxhost::TXtraInstance>> instances_;
};

}  // namespace lingo
