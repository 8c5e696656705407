#pragma once

// The C++ types a Lingo handler takes its arguments as (see DXLingoHandler.h): for each, the
// kind it declares to the host's method table and the getter that reads it. A parameter of a
// type without an entry here does not compile.
//
//   std::string_view        string   AsString (valid until the method returns)
//   const std::string&      string   AsString, the same text without a copy
//   std::int32_t            integer  AsInteger
//   bool                    integer  AsBoolean: Lingo's TRUE and FALSE are integers
//   double                  float    AsFloat
//   Ref<IDXList>            list     AsList (empty when the value is no linear list)
//   Ref<IDXPropertyList>    list     AsPropertyList (empty when it is no property list)
//   TDXDeferred<T>          as T     read only when the handler asks for it

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "DXClasses/DXInterfaces.h"

template <class T>
struct TDXArgumentType;

template <>
struct TDXArgumentType<std::string_view> {
  static constexpr TDXValueKind kKind = dvString;
  static std::string_view Read(const IDXValue& value) { return value.AsString(); }
};

template <>
struct TDXArgumentType<std::string> {
  static constexpr TDXValueKind kKind = dvString;
  static const std::string& Read(const IDXValue& value) { return value.AsString(); }
};

template <>
struct TDXArgumentType<std::int32_t> {
  static constexpr TDXValueKind kKind = dvInteger;
  static std::int32_t Read(const IDXValue& value) { return value.AsInteger(); }
};

template <>
struct TDXArgumentType<bool> {
  static constexpr TDXValueKind kKind = dvInteger;
  static bool Read(const IDXValue& value) { return value.AsBoolean(); }
};

template <>
struct TDXArgumentType<double> {
  static constexpr TDXValueKind kKind = dvFloat;
  static double Read(const IDXValue& value) { return value.AsFloat(); }
};

template <>
struct TDXArgumentType<Ref<IDXList>> {
  static constexpr TDXValueKind kKind = dvList;
  static Ref<IDXList> Read(const IDXValue& value) { return value.AsList(); }
};

// The method table has one word for both kinds of list.
template <>
struct TDXArgumentType<Ref<IDXPropertyList>> {
  static constexpr TDXValueKind kKind = dvList;
  static Ref<IDXPropertyList> Read(const IDXValue& value) { return value.AsPropertyList(); }
};

template <class T>
concept DXLingoArgument = requires {
  TDXArgumentType<T>::kKind;
};

// Argument index of the call's arguments: item 0 is me, a method's own arguments follow.
// A string read here stays valid: the list keeps the value, also one past its end, until the
// method returns.
template <DXLingoArgument T>
decltype(auto) ReadLingoArgument(const IDXArgList& args, std::int32_t index) {
  return TDXArgumentType<T>::Read(*args.Item(index));
}

// An argument the handler reads only when its work comes that far: what a method must not
// look at, it does not read.
template <DXLingoArgument T>
class TDXDeferred {
 public:
  TDXDeferred(const IDXArgList& args, std::int32_t index) : args_(&args), index_(index) {}

  decltype(auto) Read() const { return ReadLingoArgument<T>(*args_, index_); }

 private:
  const IDXArgList* args_;
  std::int32_t index_;
};

// How a handler parameter is made from the call's arguments, and its kind.
template <class TParameter>
struct TDXParameter {
  using TValue = std::remove_cvref_t<TParameter>;
  static_assert(DXLingoArgument<TValue>,
                "a handler parameter of a type that Lingo has no kind for");
  static constexpr TDXValueKind kKind = TDXArgumentType<TValue>::kKind;
  static decltype(auto) Take(const IDXArgList& args, std::int32_t index) {
    return ReadLingoArgument<TValue>(args, index);
  }
};

template <class T>
struct TDXParameter<TDXDeferred<T>> {
  static constexpr TDXValueKind kKind = TDXArgumentType<T>::kKind;
  static TDXDeferred<T> Take(const IDXArgList& args, std::int32_t index) { return {args, index}; }
};
