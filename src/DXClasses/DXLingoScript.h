#pragma once

// TDXLingoScript: a scripting class whose Lingo methods are declared once, in a compile-time
// table with one row per method (DXLingoMethod.h). From the rows come the method-table text
// the host registers, the dispatch, and what tests read of each method. Each row binds its
// handler, whose C++ signature gives the method's argument kinds and result; a misspelt or
// missing handler, or one whose parameters the row contradicts, does not compile. Adding a
// Lingo method is one row and one function:
//
//   class TMyXtra final : public TDXLingoScript<TMyXtra> {
//    public:
//     static constexpr std::string_view kXtraName = "myXtra";
//     static constexpr TDXLingoMethod<TMyXtra> kLingoMethods[] = {
//         {"hello", {{"name", dvString}}, TDXFailureValue::EmptyString,
//          TDXErrorState::Untouched, DXHandler<&TMyXtra::hello>},
//     };
//    private:
//     std::string hello(std::string_view name);
//   };
//
// (The table follows the handlers it names.) Rows whose failures are recorded need two more
// members, which the framework calls: ClearErrorState() and RecordFailures(work), which runs
// work and turns what it raises into the object's error state.

#include <array>
#include <cstddef>
#include <utility>

#include "DXClasses/DXLingoMethod.h"
#include "DXClasses/DXScript.h"

template <class TClass>
class TDXLingoScript : public TDXScript {
 public:
  // The table's methods in its order, which gives the host its selectors (new 0, forget 1,
  // the first row 2 ...).
  static void DeclareFunctions(TDXScriptInfo& info) {
    info.XtraName = TClass::kXtraName;
    for (const TDXLingoSignature& method : TClass::kLingoMethods)
      DeclareLingoMethod(*info.Functions, method);
  }

 protected:
  // The selector is the row: no name is looked up.
  bool CallPublishedMethod(MoaLong selector, IDXArgList& args, IDXValue& result) final {
    static constexpr auto kRows = RowCalls(std::make_index_sequence<kRowCount>());
    const MoaLong row = selector - kFrameLines;
    if (row < 0 || row >= MoaLong(kRowCount)) return false;
    kRows[std::size_t(row)](static_cast<TClass&>(*this), args, result);
    return true;
  }

 private:
  using TRowCall = void (*)(TClass& object, IDXArgList& args, IDXValue& result);
  static constexpr std::size_t kRowCount = std::size(TClass::kLingoMethods);
  // new and forget, which the frame puts ahead of the first row.
  static constexpr MoaLong kFrameLines = 2;

  template <std::size_t... Row>
  static constexpr std::array<TRowCall, sizeof...(Row)> RowCalls(std::index_sequence<Row...>) {
    return {&Invoke<Row>...};
  }

  // The failure value first, then the work, inside the class's error capture when the row
  // says so.
  template <std::size_t Row>
  static void Invoke(TClass& object, IDXArgList& args, IDXValue& result) {
    constexpr const TDXLingoMethod<TClass>& method = TClass::kLingoMethods[Row];
    PresetFailureValue(result, method.Failure);
    const auto work = [&] { method.Call(object, args, result); };
    if constexpr (method.Errors == TDXErrorState::Untouched) {
      work();
    } else {
      if constexpr (method.Errors == TDXErrorState::Restarts) object.ClearErrorState();
      object.RecordFailures(work);
    }
  }
};
