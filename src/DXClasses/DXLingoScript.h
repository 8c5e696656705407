#pragma once

// TDXLingoScript: a scripting class whose Lingo methods are declared once, in a compile-time
// table with one row per method (DXLingoMethod.h). From the rows come the method-table text
// the host registers, the dispatch, and what tests read of each method. Each row binds its
// handler, so a misspelt or missing handler does not compile; adding a Lingo method is one row
// and one function:
//
//   class TMyXtra final : public TDXLingoScript<TMyXtra> {
//    public:
//     static constexpr std::string_view kXtraName = "myXtra";
//     static constexpr TDXLingoMethod<TMyXtra> kLingoMethods[] = {
//         {"hello", {{"name", dvString}}, TDXLingoResult::String, TDXFailureValue::EmptyString,
//          TDXErrorState::Untouched, &TMyXtra::hello},
//     };
//    private:
//     void hello(IDXArgList& args, IDXValue& result, bool& handled);
//   };
//
// (The table follows the handlers it names.) Rows whose failures are recorded need two more
// members, which the framework calls: ClearErrorState() and RecordFailures(work), which runs
// work and turns what it raises into the object's error state.

#include <array>
#include <cstddef>
#include <span>
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
  std::span<const TDXPublishedMethod> PublishedMethods() const override {
    static constexpr auto kPublished =
        PublishRows(std::make_index_sequence<std::size(TClass::kLingoMethods)>());
    return kPublished;
  }

 private:
  template <std::size_t... Row>
  static constexpr std::array<TDXPublishedMethod, sizeof...(Row)> PublishRows(
      std::index_sequence<Row...>) {
    return {TDXPublishedMethod{TClass::kLingoMethods[Row].Name, &Invoke<Row>}...};
  }

  // The failure value first, then the work, inside the class's error capture when the row
  // says so.
  template <std::size_t Row>
  static void Invoke(TDXScript& self, IDXArgList& args, IDXValue& result, bool& handled) {
    constexpr const TDXLingoMethod<TClass>& method = TClass::kLingoMethods[Row];
    TClass& object = static_cast<TClass&>(self);
    PresetFailureValue(result, method.Failure);
    const auto work = [&] { (object.*method.Handler)(args, result, handled); };
    if constexpr (method.Errors == TDXErrorState::Untouched) {
      work();
    } else {
      if constexpr (method.Errors == TDXErrorState::Restarts) object.ClearErrorState();
      object.RecordFailures(work);
    }
  }
};
