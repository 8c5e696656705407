#include "LingoSession.h"

#include <algorithm>
#include <cmath>

#include "LingoError.h"
#include "LingoToken.h"

namespace lingo {

TLingoSession::TLingoSession(dxhost::TXtraHost& host, TOutput output, TSessionOptions options)
    : host_(host), values_(host.Values()), output_(std::move(output)), options_(options) {}

TLingoSession::~TLingoSession() {
  Clear();
}

void TLingoSession::Clear() {
  frames_.clear();
  returned_ = {};
  globals_.clear();
  topLevelGlobals_.clear();
  handlers_.clear();
  // Last made, first forgotten.
  while (!instances_.empty()) instances_.pop_back();
}

void TLingoSession::Run(std::string_view source) {
  Run(ParseScript(source));
}

void TLingoSession::Run(const TScript& script) {
  Define(script);
  RunStatements(script.Statements);
}

void TLingoSession::Play(const TScript& script) {
  Define(script);
  CallIfDefined("startMovie");
  RunStatements(script.Statements);
  CallIfDefined("stopMovie");
}

// A return or an exit outside handlers ends the statements.
void TLingoSession::RunStatements(const TBlock& statements) {
  repeatDepth_ = 0;
  Execute(statements);
  returned_ = {};
  CollectInstances();
}

void TLingoSession::Define(const TScript& script) {
  for (const std::string& name : script.Globals) topLevelGlobals_.insert(Lower(name));
  for (const std::shared_ptr<const THandler>& handler : script.Handlers)
    handlers_[Lower(handler->Name)] = handler;
}

bool TLingoSession::CallIfDefined(std::string_view name) {
  const auto found = handlers_.find(Lower(name));
  if (found == handlers_.end()) return false;
  const std::shared_ptr<const THandler> handler = found->second;
  CallHandler(*handler, {}, handler->Line);
  CollectInstances();
  return true;
}

// ---- Statements.

TLingoSession::TFlow TLingoSession::Execute(const TBlock& block) {
  for (const TStatement& statement : block)
    if (const TFlow flow = Execute(statement); flow != TFlow::Normal) return flow;
  return TFlow::Normal;
}

void TLingoSession::CountStep(int line) {
  if (options_.StepLimit > 0 && ++steps_ > options_.StepLimit)
    throw ELingoError(line, "Too many steps: the script runs for too long");
  if (options_.Interrupted && options_.Interrupted()) throw ELingoError(line, "Interrupted");
}

TLingoSession::TFlow TLingoSession::Execute(const TStatement& statement) {
  CountStep(statement.Line);
  TFlow flow = TFlow::Normal;
  switch (statement.Kind) {
    case TStatementKind::Put:
      output_("-- " + values_.PutText(Evaluate(*statement.Value)) + "\n");
      break;
    case TStatementKind::Assign:
      Assign(statement.Name, Evaluate(*statement.Value));
      break;
    case TStatementKind::Evaluate:
      Evaluate(*statement.Value);
      break;
    case TStatementKind::If:
      flow = Execute(values_.Truth(Evaluate(*statement.Value), statement.Line) ? statement.Body
                                                                               : statement.Else);
      break;
    case TStatementKind::RepeatWith:
    case TStatementKind::RepeatIn:
    case TStatementKind::RepeatWhile:
      flow = Repeat(statement);
      break;
    case TStatementKind::ExitRepeat:
    case TStatementKind::NextRepeat:
      if (repeatDepth_ == 0) throw ELingoError(statement.Line, "Not inside a repeat");
      flow = statement.Kind == TStatementKind::ExitRepeat ? TFlow::ExitRepeat : TFlow::NextRepeat;
      break;
    case TStatementKind::Exit:
    case TStatementKind::Return:
      returned_ = statement.Value ? Evaluate(*statement.Value) : TValue{};
      flow = TFlow::Return;
      break;
    case TStatementKind::Global:
      DeclareGlobals(statement.Names);
      break;
  }
  CollectInstances();
  return flow;
}

TLingoSession::TFlow TLingoSession::Repeat(const TStatement& statement) {
  struct TDepth {
    int& depth;
    explicit TDepth(int& d) : depth(++d) {}
    ~TDepth() { --depth; }
  } depth(repeatDepth_);
  const int line = statement.Line;
  TFlow flow = TFlow::Normal;
  // Runs the body once; false when the loop is over (exit repeat, or a return).
  const auto body = [&] {
    flow = Execute(statement.Body);
    if (flow == TFlow::Return) return false;
    const bool more = flow != TFlow::ExitRepeat;
    flow = TFlow::Normal;
    return more;
  };
  if (statement.Kind == TStatementKind::RepeatWhile) {
    while (values_.Truth(Evaluate(*statement.Value), line) && body()) CountStep(line);
  } else if (statement.Kind == TStatementKind::RepeatIn) {
    const TValue list = Evaluate(*statement.Value);
    const MoaLong type = values_.Type(list);
    if (type != kMoaValueList && type != kMoaValuePropertyList)
      throw ELingoError(line, "List expected, not " + values_.PutText(list));
    // A copy of the items: the body may change the variable that held the list.
    const std::vector<MoaMmValue> items = values_.Host().Find(list.Host.Raw())->Items;
    for (const MoaMmValue& item : items) {
      Assign(statement.Name, values_.Share(item));
      if (!body()) break;
      CountStep(line);
    }
  } else {
    const double from = values_.Number(Evaluate(*statement.Value), line);
    const double to = values_.Number(Evaluate(*statement.Limit), line);
    const long long step = statement.Down ? -1 : 1;
    for (long long i = std::llround(from);
         statement.Down ? i >= std::llround(to) : i <= std::llround(to); i += step) {
      Assign(statement.Name, {host_.Values().Integer(MoaLong(i)), {}});
      if (!body()) break;
      CountStep(line);
    }
  }
  return flow;
}

// ---- Variables.

TValue* TLingoSession::FindVariable(const std::string& name) {
  const std::string key = Lower(name);
  if (!frames_.empty() && !frames_.back().Globals.contains(key) &&
      !topLevelGlobals_.contains(key)) {
    const auto local = frames_.back().Locals.find(key);
    return local == frames_.back().Locals.end() ? nullptr : &local->second;
  }
  const auto global = globals_.find(key);
  return global == globals_.end() ? nullptr : &global->second;
}

void TLingoSession::Assign(const std::string& name, TValue value) {
  if (TValue* variable = FindVariable(name)) {
    *variable = std::move(value);
    return;
  }
  const std::string key = Lower(name);
  const bool global = frames_.empty() || topLevelGlobals_.contains(key);
  (global ? globals_ : frames_.back().Locals)[key] = std::move(value);
}

// A global is VOID until something is assigned to it.
void TLingoSession::DeclareGlobals(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const std::string key = Lower(name);
    if (!frames_.empty()) frames_.back().Globals.insert(key);
    globals_.try_emplace(key);
  }
}

// ---- Expressions.

TValue TLingoSession::Evaluate(const TExpression& e) {
  dxhost::THostValues& v = host_.Values();
  switch (e.Kind) {
    case TExpressionKind::Integer:
      return {v.Integer(MoaLong(e.Integer)), {}};
    case TExpressionKind::Float:
      return {v.Float(e.Float), {}};
    case TExpressionKind::String:
      return {v.String(e.Text), {}};
    case TExpressionKind::Symbol:
      return {v.Symbol(e.Text), {}};
    case TExpressionKind::Constant:
      return Constant(e);
    case TExpressionKind::Variable:
      return Variable(e);
    case TExpressionKind::TheProperty:
      return TheProperty(e);
    case TExpressionKind::Xtra: {
      const TValue name = Evaluate(*e.Operands[0]);
      if (values_.Type(name) != kMoaValueString)
        throw ELingoError(e.Line, "String expected after xtra");
      return {{}, values_.Text(name)};
    }
    case TExpressionKind::List:
      return values_.List(EvaluateAll(e.Operands, 0));
    case TExpressionKind::PropertyList:
      return values_.PropertyList(EvaluateAll(e.Operands, 0));
    case TExpressionKind::Call:
      return Call(e.Text, EvaluateAll(e.Operands, 0), e.Line);
    case TExpressionKind::MethodCall: {
      std::vector<TValue> args = EvaluateAll(e.Operands, 0);
      if (dxhost::TXtraInstance* instance = Instance(args[0]))
        return CallMethod(*instance, e.Text,
                          std::vector<TValue>(std::make_move_iterator(args.begin() + 1),
                                              std::make_move_iterator(args.end())),
                          e.Line);
      return Builtin(e.Text, args, e.Line);
    }
    case TExpressionKind::Property:
      return Property(Evaluate(*e.Operands[0]), e.Text, e.Line);
    case TExpressionKind::Index: {
      const TValue target = Evaluate(*e.Operands[0]);
      return Index(target, Evaluate(*e.Operands[1]), e.Line);
    }
    case TExpressionKind::Not:
      return {v.Integer(values_.Truth(Evaluate(*e.Operands[0]), e.Line) ? 0 : 1), {}};
    case TExpressionKind::Negate: {
      const TValue operand = Evaluate(*e.Operands[0]);
      if (values_.Type(operand) == kMoaValueInteger)
        return values_.Operate("-", {v.Integer(0), {}}, operand, e.Line);
      return {v.Float(-values_.Number(operand, e.Line)), {}};
    }
    case TExpressionKind::Binary: {
      const TValue left = Evaluate(*e.Operands[0]);
      // and and or look at their right side only when they need it, as Lingo does.
      if (e.Text == "and" && !values_.Truth(left, e.Line)) return {v.Integer(0), {}};
      if (e.Text == "or" && values_.Truth(left, e.Line)) return {v.Integer(1), {}};
      return values_.Operate(e.Text, left, Evaluate(*e.Operands[1]), e.Line);
    }
  }
  throw ELingoError(e.Line, "Unknown expression");
}

std::vector<TValue> TLingoSession::EvaluateAll(const std::vector<PExpression>& expressions,
                                               std::size_t first) {
  std::vector<TValue> values;
  for (std::size_t i = first; i < expressions.size(); ++i)
    values.push_back(Evaluate(*expressions[i]));
  return values;
}

TValue TLingoSession::Constant(const TExpression& e) {
  dxhost::THostValues& v = host_.Values();
  const std::string name = Lower(e.Text);
  if (name == "true") return {v.Integer(1), {}};
  if (name == "false") return {v.Integer(0), {}};
  if (name == "void") return {};
  if (name == "empty") return {v.String(""), {}};
  if (name == "return") return {v.String("\r"), {}};
  if (name == "quote") return {v.String("\""), {}};
  if (name == "tab") return {v.String("\t"), {}};
  return {v.String(" "), {}};  // space
}

TValue TLingoSession::TheProperty(const TExpression& e) {
  const std::string name = Lower(e.Text);
  if (name == "moviepath") return {host_.Values().String(options_.MoviePath), {}};
  if (name == "runmode") return {host_.Values().String(options_.RunMode), {}};
  throw ELingoError(e.Line, "Unknown property: the " + e.Text);
}

// help alone, without parentheses, is the handler while no variable has that name.
TValue TLingoSession::Variable(const TExpression& e) {
  if (const TValue* variable = FindVariable(e.Text)) return *variable;
  if (Lower(e.Text) == "help") {
    std::vector<TValue> none;
    return Builtin(e.Text, none, e.Line);
  }
  throw ELingoError(e.Line, "Variable used before assigned a value: " + e.Text);
}

// name(x, args...): a method of x when x is an instance whose Xtra has one, else a handler of
// the scripts, else a handler of the message window.
TValue TLingoSession::Call(const std::string& name, std::vector<TValue> args, int line) {
  if (!args.empty())
    if (dxhost::TXtraInstance* instance = Instance(args[0]);
        instance && instance->Class()->Selector(name) >= 0)
      return CallMethod(*instance, name,
                        std::vector<TValue>(std::make_move_iterator(args.begin() + 1),
                                            std::make_move_iterator(args.end())),
                        line);
  if (const auto found = handlers_.find(Lower(name)); found != handlers_.end()) {
    const std::shared_ptr<const THandler> handler = found->second;
    return CallHandler(*handler, std::move(args), line);
  }
  return Builtin(name, args, line);
}

// Parameters without an argument are VOID; arguments without a parameter are dropped.
TValue TLingoSession::CallHandler(const THandler& handler, std::vector<TValue> args, int line) {
  if (frames_.size() >= kMaxHandlerDepth)
    throw ELingoError(line, "Too many handler calls within each other (" +
                                std::to_string(kMaxHandlerDepth) + "): does " + handler.Name +
                                " call itself without end?");
  TFrame frame;
  for (std::size_t i = 0; i < handler.Parameters.size(); ++i)
    frame.Locals[Lower(handler.Parameters[i])] = i < args.size() ? std::move(args[i]) : TValue{};
  frame.RepeatDepth = std::exchange(repeatDepth_, 0);
  frames_.push_back(std::move(frame));
  struct TPop {
    TLingoSession& session;
    ~TPop() {
      session.repeatDepth_ = session.frames_.back().RepeatDepth;
      session.frames_.pop_back();
    }
  } pop{*this};
  Execute(handler.Body);
  return std::exchange(returned_, {});
}

TValue TLingoSession::CallMethod(const dxhost::TXtraInstance& instance, const std::string& name,
                                 const std::vector<TValue>& args, int line) {
  const MoaLong selector = instance.Class()->Selector(name);
  if (selector < 0) {
    const std::string& xtra = instance.Class()->XtraName;
    throw ELingoError(line, "Handler not defined: #" + name + " (interface(xtra \"" + xtra +
                                "\") lists the methods of " + xtra + ")");
  }
  std::vector<dxhost::THostValue> hostArgs;
  for (const TValue& arg : args) {
    if (arg.Xtra) throw ELingoError(line, "An xtra reference cannot be passed to a method");
    hostArgs.push_back(arg.Host);
  }
  return {host_.Call(instance, selector, hostArgs), {}};
}

// ---- Instances.

dxhost::TXtraInstance* TLingoSession::Instance(const TValue& value) {
  if (value.Xtra || values_.Type(value) != dxhost::kHostValueObject) return nullptr;
  for (const auto& instance : instances_) {
    const MoaMmValue& me = instance->Me().Raw();
    const MoaMmValue& raw = value.Host.Raw();
    if (me.Word[0] == raw.Word[0] && me.Word[1] == raw.Word[1]) return instance.get();
  }
  return nullptr;
}

void TLingoSession::CollectInstances() {
  // An instance nothing else refers to holds its own value only: one reference.
  std::erase_if(instances_, [this](const std::unique_ptr<dxhost::TXtraInstance>& instance) {
    const dxhost::THostBox* me = host_.Values().Find(instance->Me().Raw());
    return !me || me->References <= 1;
  });
}

}  // namespace lingo
