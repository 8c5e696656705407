#pragma once

// The row of a scripting class's Lingo method table (see DXLingoScript.h): everything the
// framework, the tests and the fuzz target know of one method, and the handler that does its
// work. Rows are made during compilation; a row that contradicts itself (a failure value of
// another kind than the result, more arguments than a row holds, a null handler, a line of the
// frame's own new or forget) does not compile.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "DXClasses/DXInterfaces.h"
#include "DXClasses/DXScriptFunctions.h"

// One argument of a Lingo method, after me.
struct TDXLingoArgument {
  std::string_view Name;
  TDXValueKind Kind = dvVoid;
};

// What a method answers when its work succeeds. Booleans reach Lingo as the integers 1 and 0.
enum class TDXLingoResult : std::uint8_t {
  None,  // no result: the host's result stays as the host prepared it
  Boolean,
  Integer,
  Float,
  String,
  List,
  PropertyList,
};

// The result a method is given before its work starts, which it keeps when the work fails.
enum class TDXFailureValue : std::uint8_t {
  None,  // the result stays cleared (void)
  False,
  Zero,
  EmptyString,
  ZeroFloat,
};

// What a method's failures do to its object's error state.
enum class TDXErrorState : std::uint8_t {
  Untouched,  // nothing is recorded: a failure goes to the frame, which drops it unseen
  Records,    // the work runs inside the class's RecordFailures
  Restarts,   // the class's ClearErrorState first, then as Records
};

// A method without its handler: what declares it to the host and what tests read of it.
struct TDXLingoSignature {
  static constexpr std::size_t kMaxArguments = 4;

  std::string_view Name;
  std::array<TDXLingoArgument, kMaxArguments> Arguments{};
  std::size_t ArgumentCount = 0;
  TDXLingoResult Result = TDXLingoResult::None;
  TDXFailureValue Failure = TDXFailureValue::None;
  TDXErrorState Errors = TDXErrorState::Untouched;
  // fkMethod, fkGlobal or fkXtra; an instance method gets "object me" before its arguments.
  TDXFunctionKind Kind = fkMethod;
  std::string_view Comment;

  // The arguments after me.
  constexpr std::span<const TDXLingoArgument> ArgumentList() const {
    return {Arguments.data(), ArgumentCount};
  }
};

template <class TClass>
struct TDXLingoMethod : TDXLingoSignature {
  using THandler = void (TClass::*)(IDXArgList& args, IDXValue& result, bool& handled);

  consteval TDXLingoMethod(std::string_view name, std::initializer_list<TDXLingoArgument> arguments,
                           TDXLingoResult result, TDXFailureValue failure, TDXErrorState errors,
                           THandler handler, TDXFunctionKind kind = fkMethod,
                           std::string_view comment = {})
      : TDXLingoSignature{name, {}, arguments.size(), result, failure, errors, kind, comment},
        Handler(handler) {
    if (arguments.size() > kMaxArguments) throw "more arguments than a row holds";
    if (kind == fkNew || kind == fkForget) throw "new and forget are the frame's own lines";
    if (!FailureFitsResult(result, failure))
      throw "a failure value of another kind than the result";
    std::size_t i = 0;
    for (const TDXLingoArgument& argument : arguments) Arguments[i++] = argument;
  }

  // A row must name its handler.
  TDXLingoMethod(std::string_view, std::initializer_list<TDXLingoArgument>, TDXLingoResult,
                 TDXFailureValue, TDXErrorState, std::nullptr_t, TDXFunctionKind = fkMethod,
                 std::string_view = {}) = delete;

  THandler Handler;

 private:
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
