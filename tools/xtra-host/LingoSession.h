#pragma once

// A Lingo message window over our host: it runs statements against the Xtras a registered
// module offers, keeps the script's variables, and lets an Xtra instance go (forget) once no
// variable or list holds it any more, as Lingo does.
//
//   dxhost::TXtraHost host;  // loaded and registered
//   lingo::TLingoSession session(host, [](std::string_view text) { std::fputs(...); });
//   session.Run("x = new(xtra \"zelXMLParser\")\nput x.loadFromText(\"<a/>\")");  // -- 1

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "LingoSyntax.h"
#include "LingoValue.h"
#include "host/XtraHost.h"

namespace lingo {

struct TSessionOptions {
  std::string MoviePath;  // "the moviePath": the script's folder, with its separator
  std::string RunMode;    // "the runMode"
  // Statements a session may run before it stops with a script error; 0 for no limit.
  long long StepLimit = 0;
};

class TLingoSession {
 public:
  using TOutput = std::function<void(std::string_view text)>;

  TLingoSession(dxhost::TXtraHost& host, TOutput output, TSessionOptions options = {});
  TLingoSession(const TLingoSession&) = delete;
  TLingoSession& operator=(const TLingoSession&) = delete;
  // Forgets every instance.
  ~TLingoSession();

  // Parses and runs a script; raises ELingoError (EIncompleteScript while parsing) with the
  // line of the statement that failed. What ran before the failure stays done.
  void Run(std::string_view source);
  void Run(const TBlock& script);

  // Drops every variable and forgets every instance.
  void Clear();

  void SetMoviePath(std::string moviePath) { options_.MoviePath = std::move(moviePath); }

 private:
  enum class TFlow { Normal, ExitRepeat, NextRepeat };

  TFlow Execute(const TBlock& block);
  TFlow Execute(const TStatement& statement);
  TFlow Repeat(const TStatement& statement);
  void CountStep(int line);

  TValue Evaluate(const TExpression& expression);
  TValue Constant(const TExpression& expression);
  TValue TheProperty(const TExpression& expression);
  TValue Variable(const TExpression& expression);
  std::vector<TValue> EvaluateAll(const std::vector<PExpression>& expressions, std::size_t first);
  TValue Call(const std::string& name, std::vector<TValue> args, int line);
  TValue CallMethod(const dxhost::TXtraInstance& instance, const std::string& name,
                    const std::vector<TValue>& args, int line);
  // A handler of the message window itself: new, interface, count, getAt, string ...
  TValue Builtin(const std::string& handler, std::vector<TValue>& args, int line);
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
  std::map<std::string, TValue> variables_;  // by lower-case name
  std::vector<std::unique_ptr<dxhost::TXtraInstance>> instances_;
};

}  // namespace lingo
