#include "LingoSession.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "ConsoleHelp.h"
#include "LingoError.h"
#include "LingoToken.h"

namespace lingo {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return lower;
}

void ExpectArguments(const std::vector<TValue>& args, std::size_t count, const std::string& name,
                     int line) {
  if (args.size() < count)
    throw ELingoError(line,
                      "Too few arguments for " + name + ": " + std::to_string(count) + " expected");
}

}  // namespace

TLingoSession::TLingoSession(dxhost::TXtraHost& host, TOutput output, TSessionOptions options)
    : host_(host), values_(host.Values()), output_(std::move(output)), options_(options) {}

TLingoSession::~TLingoSession() {
  Clear();
}

void TLingoSession::Clear() {
  variables_.clear();
  // Last made, first forgotten.
  while (!instances_.empty()) instances_.pop_back();
}

void TLingoSession::Run(std::string_view source) {
  Run(ParseScript(source));
}

void TLingoSession::Run(const TBlock& script) {
  repeatDepth_ = 0;
  Execute(script);
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
}

TLingoSession::TFlow TLingoSession::Execute(const TStatement& statement) {
  CountStep(statement.Line);
  TFlow flow = TFlow::Normal;
  switch (statement.Kind) {
    case TStatementKind::Put:
      output_("-- " + values_.PutText(Evaluate(*statement.Value)) + "\n");
      break;
    case TStatementKind::Assign:
      variables_[Lower(statement.Name)] = Evaluate(*statement.Value);
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
  const std::string variable = Lower(statement.Name);
  const int line = statement.Line;
  // Runs the body once; false when the loop is over.
  const auto body = [&] {
    const TFlow flow = Execute(statement.Body);
    return flow != TFlow::ExitRepeat;
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
      variables_[variable] = values_.Share(item);
      if (!body()) break;
      CountStep(line);
    }
  } else {
    const double from = values_.Number(Evaluate(*statement.Value), line);
    const double to = values_.Number(Evaluate(*statement.Limit), line);
    const long long step = statement.Down ? -1 : 1;
    for (long long i = std::llround(from);
         statement.Down ? i >= std::llround(to) : i <= std::llround(to); i += step) {
      variables_[variable] = {host_.Values().Integer(MoaLong(i)), {}};
      if (!body()) break;
      CountStep(line);
    }
  }
  return TFlow::Normal;
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
  const auto found = variables_.find(Lower(e.Text));
  if (found != variables_.end()) return found->second;
  if (Lower(e.Text) == "help") {
    std::vector<TValue> none;
    return Builtin(e.Text, none, e.Line);
  }
  throw ELingoError(e.Line, "Variable used before assigned a value: " + e.Text);
}

// name(x, args...): a method of x when x is an instance whose Xtra has one, else a handler of
// the message window.
TValue TLingoSession::Call(const std::string& name, std::vector<TValue> args, int line) {
  if (!args.empty())
    if (dxhost::TXtraInstance* instance = Instance(args[0]);
        instance && instance->Class()->Selector(name) >= 0)
      return CallMethod(*instance, name,
                        std::vector<TValue>(std::make_move_iterator(args.begin() + 1),
                                            std::make_move_iterator(args.end())),
                        line);
  return Builtin(name, args, line);
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

TValue TLingoSession::Builtin(const std::string& handler, std::vector<TValue>& args, int line) {
  dxhost::THostValues& v = host_.Values();
  const std::string name = Lower(handler);
  if (name == "new") return New(args, line);
  if (name == "interface") {
    ExpectArguments(args, 1, name, line);
    if (!args[0].Xtra) throw ELingoError(line, "interface needs an xtra reference");
    const dxhost::TScriptClass* script = host_.FindScriptClass(*args[0].Xtra);
    if (!script) throw ELingoError(line, "Xtra not found: \"" + *args[0].Xtra + "\"");
    return {v.String(script->MsgTable), {}};
  }
  if (name == "string") {
    ExpectArguments(args, 1, name, line);
    return {v.String(values_.Text(args[0])), {}};
  }
  if (name == "count" || name == "length") {
    ExpectArguments(args, 1, name, line);
    const MoaLong type = values_.Type(args[0]);
    if (type == kMoaValueList || type == kMoaValuePropertyList)
      return {v.Integer(MoaLong(v.Find(args[0].Host.Raw())->Items.size())), {}};
    return {v.Integer(MoaLong(values_.Text(args[0]).size())), {}};
  }
  if (name == "getat" || name == "getprop" || name == "getaprop") {
    ExpectArguments(args, 2, name, line);
    if (name == "getaprop" && values_.Type(args[0]) == kMoaValuePropertyList) {
      try {
        return Index(args[0], args[1], line);
      } catch (const ELingoError&) {
        return {};
      }
    }
    return Index(args[0], args[1], line);
  }
  if (name == "integer") {
    ExpectArguments(args, 1, name, line);
    return {v.Integer(MoaLong(std::llround(values_.Number(args[0], line)))), {}};
  }
  if (name == "float") {
    ExpectArguments(args, 1, name, line);
    return {v.Float(values_.Number(args[0], line)), {}};
  }
  if (name == "symbol") {
    ExpectArguments(args, 1, name, line);
    return {v.Symbol(values_.Text(args[0])), {}};
  }
  if (name == "chartonum" || name == "numtochar") return Character(name, args, line);
  if (name == "help") {
    std::vector<std::string> xtras;
    for (const dxhost::TScriptClass& script : host_.ScriptClasses())
      xtras.push_back(script.XtraName);
    output_(HelpText(xtras));
    return {};
  }
  static const std::pair<const char*, MoaLong> kPredicates[] = {
      {"voidp", kMoaValueVoid},
      {"integerp", kMoaValueInteger},
      {"floatp", kMoaValueFloat},
      {"stringp", kMoaValueString},
      {"symbolp", kMoaValueSymbol},
      {"listp", kMoaValueList},
      {"objectp", dxhost::kHostValueObject}};
  for (const auto& [predicate, type] : kPredicates)
    if (name == predicate) {
      ExpectArguments(args, 1, name, line);
      const MoaLong actual = values_.Type(args[0]);
      const bool answer = actual == type ||
                          (type == kMoaValueList && actual == kMoaValuePropertyList) ||
                          (type == dxhost::kHostValueObject && args[0].Xtra.has_value());
      return {v.Integer(answer ? 1 : 0), {}};
    }
  throw ELingoError(
      line, "Handler not defined: #" + handler + " (help lists the handlers of this console)");
}

// Strings are bytes of the module's code page: a character is one byte, and its number is
// that byte's, from 0 to 255.
TValue TLingoSession::Character(const std::string& name, std::vector<TValue>& args, int line) {
  dxhost::THostValues& v = host_.Values();
  ExpectArguments(args, 1, name, line);
  if (name == "chartonum") {
    const std::string text = values_.Text(args[0]);
    return {v.Integer(text.empty() ? 0 : MoaLong(static_cast<unsigned char>(text[0]))), {}};
  }
  const double number = values_.Number(args[0], line);
  if (number < 0 || number > 255)
    throw ELingoError(line,
                      "numToChar takes a number from 0 to 255, not " + values_.PutText(args[0]));
  return {v.String(std::string(1, char(static_cast<unsigned char>(number)))), {}};
}

TValue TLingoSession::New(std::vector<TValue>& args, int line) {
  if (args.empty() || !args[0].Xtra) throw ELingoError(line, "new needs an xtra reference");
  const std::string& name = *args[0].Xtra;
  if (!host_.FindScriptClass(name)) throw ELingoError(line, "Xtra not found: \"" + name + "\"");
  if (args.size() > 4) throw ELingoError(line, "Too many arguments for new");
  for (std::size_t i = 1; i < args.size(); ++i)
    if (args[i].Xtra) throw ELingoError(line, "An xtra reference cannot be passed to new");
  const auto arg = [&](std::size_t i) { return args[i].Host; };
  dxhost::TXtraInstance instance = args.size() == 1   ? host_.New(name)
                                   : args.size() == 2 ? host_.New(name, {arg(1)})
                                   : args.size() == 3 ? host_.New(name, {arg(1), arg(2)})
                                                      : host_.New(name, {arg(1), arg(2), arg(3)});
  if (!instance) throw ELingoError(line, "Cannot make an instance of \"" + name + "\"");
  instances_.push_back(std::make_unique<dxhost::TXtraInstance>(std::move(instance)));
  return {instances_.back()->Me(), {}};
}

TValue TLingoSession::Property(const TValue& target, const std::string& name, int line) {
  const MoaLong type = values_.Type(target);
  if (type == kMoaValueList || type == kMoaValuePropertyList) {
    if (SameName(name, "count")) {
      std::vector<TValue> args{target};
      return Builtin("count", args, line);
    }
    if (type == kMoaValuePropertyList)
      return Index(target, {host_.Values().Symbol(name), {}}, line);
  }
  throw ELingoError(line, "Property not found: #" + name + " of " + values_.PutText(target));
}

// list[n] counts from 1; a property list also takes a property name.
TValue TLingoSession::Index(const TValue& target, const TValue& index, int line) {
  const MoaLong type = values_.Type(target);
  if (type != kMoaValueList && type != kMoaValuePropertyList)
    throw ELingoError(line, "List expected, not " + values_.PutText(target));
  const dxhost::THostBox& list = *host_.Values().Find(target.Host.Raw());
  const MoaLong indexType = values_.Type(index);
  if (indexType == kMoaValueInteger || indexType == kMoaValueFloat) {
    const double position = values_.Number(index, line);
    if (position < 1 || position > double(list.Items.size()))
      throw ELingoError(line, "Index out of range: " + values_.PutText(index));
    return values_.Share(list.Items[std::size_t(position) - 1]);
  }
  if (type == kMoaValuePropertyList)
    for (std::size_t i = 0; i < list.Names.size(); ++i)
      if (values_.Equal(values_.Share(list.Names[i]), index)) return values_.Share(list.Items[i]);
  throw ELingoError(line, "Property not found: " + values_.PutText(index));
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
