#pragma once

// The C++ types a Lingo handler answers in (see DXLingoHandler.h): for each, the result it
// declares and the setter that hands it to Lingo. A handler answers by returning the value, or,
// when part of its answer must stand even if a later step fails, through a TDXResultSlot that
// it takes as its first parameter.
//
//   void                    no result: the host's result stays as the host prepared it
//   bool                    Boolean, SetAsBoolean (Lingo receives 1 or 0)
//   std::int32_t            Integer, SetAsInteger
//   double                  Float, SetAsFloat
//   std::string, _view      String, SetAsString
//   Ref<IDXList>            List, SetAsList; an empty reference sets nothing
//   Ref<IDXPropertyList>    PropertyList, SetAsPropertyList; an empty reference sets nothing

#include <cstdint>
#include <string>
#include <string_view>

#include "DXClasses/DXInterfaces.h"
#include "DXClasses/DXLingoSignature.h"

template <class T>
struct TDXResultType;

template <>
struct TDXResultType<void> {
  static constexpr TDXLingoResult kResult = TDXLingoResult::None;
};

template <>
struct TDXResultType<bool> {
  static constexpr TDXLingoResult kResult = TDXLingoResult::Boolean;
  static void Write(IDXValue& result, bool value) { result.SetAsBoolean(value); }
};

template <>
struct TDXResultType<std::int32_t> {
  static constexpr TDXLingoResult kResult = TDXLingoResult::Integer;
  static void Write(IDXValue& result, std::int32_t value) { result.SetAsInteger(value); }
};

template <>
struct TDXResultType<double> {
  static constexpr TDXLingoResult kResult = TDXLingoResult::Float;
  static void Write(IDXValue& result, double value) { result.SetAsFloat(value); }
};

template <>
struct TDXResultType<std::string_view> {
  static constexpr TDXLingoResult kResult = TDXLingoResult::String;
  static void Write(IDXValue& result, std::string_view value) { result.SetAsString(value); }
};

template <>
struct TDXResultType<std::string> : TDXResultType<std::string_view> {};

template <>
struct TDXResultType<Ref<IDXList>> {
  static constexpr TDXLingoResult kResult = TDXLingoResult::List;
  static void Write(IDXValue& result, Ref<IDXList> value) {
    if (value) result.SetAsList(std::move(value));
  }
};

template <>
struct TDXResultType<Ref<IDXPropertyList>> {
  static constexpr TDXLingoResult kResult = TDXLingoResult::PropertyList;
  static void Write(IDXValue& result, Ref<IDXPropertyList> value) {
    if (value) result.SetAsPropertyList(std::move(value));
  }
};

template <class T>
concept DXLingoAnswer = requires {
  TDXResultType<T>::kResult;
};

// The call's result, for a handler that sets it before its work is done; what it set stays
// when a later step fails.
template <DXLingoAnswer T>
class TDXResultSlot {
 public:
  explicit TDXResultSlot(IDXValue& result) : result_(&result) {}

  void Set(T value) const { TDXResultType<T>::Write(*result_, std::move(value)); }

 private:
  IDXValue* result_;
};
