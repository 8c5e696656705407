#pragma once

// The row of a scripting class's Lingo method table (see DXLingoScript.h): the method's
// signature (DXLingoSignature.h) and the call of its handler. The argument kinds and the result
// come from the handler's C++ signature (DXLingoHandler.h); the row names the arguments, and
// where it also states a kind, that kind must be the handler's. Rows are made during
// compilation; a row that contradicts itself or its handler (another number of arguments, an
// argument of another kind, a failure value of another kind than the result, more arguments
// than a row holds, a handler of another class, a name of the frame's own new or forget) does
// not compile.

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <type_traits>

#include "DXClasses/DXLingoHandler.h"
#include "DXClasses/DXLingoSignature.h"

template <class TClass>
struct TDXLingoMethod : TDXLingoSignature {
  using TCall = void (*)(TClass& object, IDXArgList& args, IDXValue& result);

  template <auto Handler>
  consteval TDXLingoMethod(std::string_view name, std::initializer_list<TDXLingoArgument> arguments,
                           TDXFailureValue failure, TDXErrorState errors, TDXHandlerOf<Handler>,
                           TDXFunctionKind kind = fkMethod, std::string_view comment = {})
      : TDXLingoSignature{name,
                          {},
                          arguments.size(),
                          TDXLingoHandler<Handler>::kResult,
                          failure,
                          errors,
                          kind,
                          comment},
        Call(&TDXLingoHandler<Handler>::Call) {
    using THandler = TDXLingoHandler<Handler>;
    static_assert(std::is_same_v<typename THandler::TClass, TClass>, "a handler of another class");
    static_assert(THandler::kArgumentCount <= kMaxArguments, "more arguments than a row holds");
    if (name.empty() || IsFrameName(name)) throw "new, forget and no name are the frame's own";
    if (kind == fkNew || kind == fkForget) throw "new and forget are the frame's own lines";
    if (!FailureFitsResult(Result, failure))
      throw "a failure value of another kind than the result";
    if (arguments.size() != THandler::kArgumentCount)
      throw "the row names another number of arguments than its handler takes";
    const auto kinds = THandler::Kinds();
    std::size_t i = 0;
    for (const TDXLingoArgument& argument : arguments) {
      if (argument.Kind != dvVoid && argument.Kind != kinds[i])
        throw "an argument declared of another kind than its handler's parameter";
      Arguments[i] = {argument.Name, kinds[i]};
      ++i;
    }
  }

  // Reads the arguments, runs the handler and sets the result; nothing else (no failure value,
  // no error state: see TDXLingoScript).
  TCall Call;

 private:
  static constexpr bool IsFrameName(std::string_view name) {
    return SameLingoNameConstant(name, "new") || SameLingoNameConstant(name, "forget");
  }
  static constexpr bool SameLingoNameConstant(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
  }
  static constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
  }

  static constexpr bool FailureFitsResult(TDXLingoResult result, TDXFailureValue failure) {
    switch (failure) {
      case TDXFailureValue::None:
        return true;
      case TDXFailureValue::False:
        return result == TDXLingoResult::Boolean;
      case TDXFailureValue::Zero:
        return result == TDXLingoResult::Integer;
      case TDXFailureValue::EmptyString:
        return result == TDXLingoResult::String;
      case TDXFailureValue::ZeroFloat:
        return result == TDXLingoResult::Float;
    }
    return false;
  }
};

// The signatures of a class's methods, in table order, without their handlers: what a program
// that only calls the class through the host may read.
template <class TClass>
consteval auto DXLingoSignatures() {
  std::array<TDXLingoSignature, std::size(TClass::kLingoMethods)> signatures;
  for (std::size_t i = 0; i < signatures.size(); ++i) signatures[i] = TClass::kLingoMethods[i];
  return signatures;
}

// Adds the method's line to the table of declarations.
void DeclareLingoMethod(IDXScriptFunctions& functions, const TDXLingoSignature& method);
// Sets result to the failure value; None leaves it as it is.
void PresetFailureValue(IDXValue& result, TDXFailureValue failure);
