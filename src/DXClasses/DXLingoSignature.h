#pragma once

// What the framework, the tests and the fuzz target know of one Lingo method without its
// handler: its name, its arguments and their kinds, its result, its failure value and what its
// failures do to the error state. Rows of a method table (DXLingoMethod.h) are signatures with
// a handler.

#include <array>
#include <cstddef>
#include <cstdint>
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
