#include "DXClasses/DXScriptFunctions.h"

#include <stdexcept>

namespace {

// The type word of each argument kind in a method-table line, by TDXValueKind.
constexpr std::string_view kTypeWords[] = {"",      "object", "integer", "string", "float", "rect",
                                           "point", "color",  "symbol",  "",       "list",  "list"};

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

}  // namespace

bool SameLingoName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

void AppendArgumentText(std::string& argText, std::string_view name, std::uint8_t kindIndex) {
  if (kindIndex >= std::size(kTypeWords)) throw std::out_of_range("argument kind");
  argText += argText.empty() ? " " : ", ";
  argText += kTypeWords[kindIndex];
  argText += ' ';
  argText += name;
}

Ref<IDXScriptFunction> TDXScriptFunction::AddArgument(std::string_view name,
                                                      std::uint8_t kindIndex) {
  AppendArgumentText(argText_, name, kindIndex);
  return Ref<IDXScriptFunction>::Retain(this);
}

Ref<IDXScriptFunction> TDXScriptFunctions::Declare(std::string_view name, std::string_view comment,
                                                   TDXFunctionKind kind) {
  const bool isNew = SameLingoName(name, "new");
  const bool isForget = SameLingoName(name, "forget");
  const bool addNew = entries_.empty() && !isNew;
  const bool addForget = entries_.size() <= 1 && !isNew && !isForget;
  if (addNew) entries_.push_back(MakeRef<TDXScriptFunction>("new", "", fkNew));
  if (addForget) entries_.push_back(MakeRef<TDXScriptFunction>("forget", "", fkForget));
  if (isNew) kind = fkNew;
  if (isForget) kind = fkForget;
  entries_.push_back(MakeRef<TDXScriptFunction>(name, comment, kind));
  return entries_.back();
}

void TDXScriptFunctions::BuildMsgTable(std::string_view xtraName, std::string& text) const {
  if (entries_.empty()) return;
  text = "xtra ";
  text += xtraName;
  text += '\n';
  for (const Ref<TDXScriptFunction>& entry : entries_) {
    std::string args = entry->ArgText();
    if (entry->Kind() == fkNew || entry->Kind() == fkForget ||
        SameLingoName(entry->Name(), "new") || SameLingoName(entry->Name(), "forget")) {
      args = args.empty() ? " object me" : " object me, " + args;
    } else if (entry->Kind() == fkGlobal) {
      text += "* ";
    } else if (entry->Kind() == fkXtra) {
      text += "+ ";
    }
    text += entry->Name();
    text += args;
    if (!entry->Comment().empty()) {
      text += " -- ";
      text += entry->Comment();
    }
    text += '\n';
  }
}
