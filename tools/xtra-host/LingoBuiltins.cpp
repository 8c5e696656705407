// The handlers of the message window itself, and what Lingo does with lists and values.

#include <cmath>
#include <utility>

#include "ConsoleHelp.h"
#include "LingoError.h"
#include "LingoSession.h"
#include "LingoToken.h"

namespace lingo {
namespace {

void ExpectArguments(const std::vector<TValue>& args, std::size_t count, const std::string& name,
                     int line) {
  if (args.size() < count)
    throw ELingoError(line,
                      "Too few arguments for " + name + ": " + std::to_string(count) + " expected");
}

// Director's commands that only a movie on a stage can carry out: named as such rather than
// reported as unknown.
constexpr std::string_view kUnsupportedCommands[] = {
    "beep",  "halt",        "quit",         "abort",       "pass",          "nothing",
    "delay", "updateStage", "puppetSprite", "puppetSound", "preloadMember", "cursor"};

bool IsUnsupportedCommand(std::string_view name) {
  for (std::string_view command : kUnsupportedCommands)
    if (SameName(name, command)) return true;
  return false;
}

}  // namespace

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
  if (std::optional<TValue> answer = Predicate(name, args, line)) return *answer;
  if (name == "alert") {
    ExpectArguments(args, 1, name, line);
    output_("[alert] " + values_.Text(args[0]) + "\n");
    return {};
  }
  if (IsUnsupportedCommand(name))
    throw ELingoError(
        line, "\"" + handler + "\" is not supported by this console (help lists what it runs)");
  throw ELingoError(
      line, "Handler not defined: #" + handler + " (help lists the handlers of this console)");
}

// voidp, integerp, floatp, stringp, symbolp, listp (property lists too) and objectp (xtra
// references and instances).
std::optional<TValue> TLingoSession::Predicate(const std::string& name, std::vector<TValue>& args,
                                               int line) {
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
      return TValue{host_.Values().Integer(answer ? 1 : 0), {}};
    }
  return std::nullopt;
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

}  // namespace lingo
