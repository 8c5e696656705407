#pragma once

// A Lingo handler as its C++ signature declares it: the arguments it takes (DXLingoArguments.h)
// and the result it answers (DXLingoResults.h), known during compilation, and the call that
// reads the arguments from the host's list and writes the answer back.
//
//   bool selectNode(std::string_view name, TDXDeferred<std::int32_t> item);
//   void xtraVersion(TDXResultSlot<Ref<IDXPropertyList>> result);
//
// Arguments are read in order, before the handler runs, except deferred ones.

#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

#include "DXClasses/DXLingoArguments.h"
#include "DXClasses/DXLingoResults.h"

// Names a handler in a row of a method table: DXHandler<&TMyXtra::hello>.
template <auto Handler>
struct TDXHandlerOf {};
template <auto Handler>
inline constexpr TDXHandlerOf<Handler> DXHandler{};

namespace dx_detail {

template <class TMember>
struct THandlerShape;

template <class TClass_, class TReturn_, class... TParameters>
struct THandlerShape<TReturn_ (TClass_::*)(TParameters...)> {
  using TClass = TClass_;
  using TReturn = TReturn_;
  using TParameterList = std::tuple<TParameters...>;
};

template <class TClass_, class TReturn_, class... TParameters>
struct THandlerShape<TReturn_ (TClass_::*)(TParameters...) const>
    : THandlerShape<TReturn_ (TClass_::*)(TParameters...)> {};

template <class T>
struct TIsResultSlot : std::false_type {};
template <class T>
struct TIsResultSlot<TDXResultSlot<T>> : std::true_type {
  using TAnswer = T;
};

// The answer's type: the slot's when the first parameter is one, else what the handler returns.
template <class TReturn, class TParameters>
struct TAnswerOf {
  using Type = TReturn;
};
template <class TReturn, class TFirst, class... TRest>
requires TIsResultSlot<TFirst>::value struct TAnswerOf<TReturn, std::tuple<TFirst, TRest...>> {
  static_assert(std::is_void_v<TReturn>, "a handler that answers through a slot returns nothing");
  using Type = typename TIsResultSlot<TFirst>::TAnswer;
};

}  // namespace dx_detail

template <auto Handler>
class TDXLingoHandler {
  using TShape = dx_detail::THandlerShape<decltype(Handler)>;
  using TParameters = typename TShape::TParameterList;
  static constexpr std::size_t kParameterCount = std::tuple_size_v<TParameters>;
  static constexpr bool kHasSlot = [] {
    if constexpr (kParameterCount == 0)
      return false;
    else
      return dx_detail::TIsResultSlot<std::tuple_element_t<0, TParameters>>::value;
  }();
  using TAnswer = typename dx_detail::TAnswerOf<typename TShape::TReturn, TParameters>::Type;
  static_assert(DXLingoAnswer<TAnswer>, "a handler answering a type that Lingo has no kind for");

 public:
  using TClass = typename TShape::TClass;
  static constexpr TDXLingoResult kResult = TDXResultType<TAnswer>::kResult;
  static constexpr std::size_t kArgumentCount = kParameterCount - (kHasSlot ? 1 : 0);

  // The kinds of the arguments after me, in order.
  static constexpr std::array<TDXValueKind, kArgumentCount> Kinds() {
    return KindsOf(std::make_index_sequence<kArgumentCount>());
  }

  // Reads the arguments, runs the handler and sets the result from its answer.
  static void Call(TClass& object, IDXArgList& args, IDXValue& result) {
    CallWith(object, args, result, std::make_index_sequence<kParameterCount>());
  }

 private:
  template <std::size_t... I>
  static constexpr std::array<TDXValueKind, kArgumentCount> KindsOf(std::index_sequence<I...>) {
    constexpr std::size_t first = kHasSlot ? 1 : 0;
    return {TDXParameter<std::tuple_element_t<first + I, TParameters>>::kKind...};
  }

  // Parameter I of a handler with a slot is argument I (after me, item 0); without a slot it
  // is argument I + 1.
  template <std::size_t I>
  static decltype(auto) Take(IDXArgList& args, IDXValue& result) {
    using TParameter = std::tuple_element_t<I, TParameters>;
    if constexpr (kHasSlot && I == 0)
      return TDXResultSlot<TAnswer>(result);
    else
      return TDXParameter<TParameter>::Take(args, std::int32_t(kHasSlot ? I : I + 1));
  }

  template <std::size_t... I>
  static void CallWith(TClass& object, IDXArgList& args, IDXValue& result,
                       std::index_sequence<I...>) {
    // A braced list reads the arguments in their order.
    std::tuple<decltype(Take<I>(args, result))...> values{Take<I>(args, result)...};
    if constexpr (kHasSlot || std::is_void_v<TAnswer>) {
      (object.*Handler)(std::get<I>(std::move(values))...);
    } else {
      TDXResultType<TAnswer>::Write(result, (object.*Handler)(std::get<I>(std::move(values))...));
    }
    (void)args;
    (void)result;
  }
};
