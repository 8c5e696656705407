#pragma once

// TDXPropertyObject: what assets and sprites share, the routes of the host's property and
// function calls. A property get goes to a published method "get_<name>" (Result, Handled),
// else to GetProperty; a set to "set_<name>" (Value, Handled), else to SetProperty; a function
// call to the published method of the function's name (Args, Result, Handled), else to
// CallFunction. A subclass publishes its methods like a scripting class does:
//
//   std::span<const TDXPublishedHandler> PublishedHandlers() const override {
//     static constexpr TDXPublishedHandler kHandlers[] = {
//         Publish<&TMyAsset::get_title>("get_title"), Publish<&TMyAsset::greet>("greet")};
//     return kHandlers;
//   }

#include <span>
#include <string>
#include <string_view>

#include "DXClasses/DXArgList.h"
#include "DXClasses/DXClass.h"
#include "DXInt/MoaXtraKinds.h"

class TDXPropertyObject;

// A published method of an asset or sprite class: a Lingo function, or a property method.
struct TDXPublishedHandler {
  std::string_view Name;
  void (*Call)(TDXPropertyObject& self, IDXArgList& args, IDXValue& result, bool& handled);
  void (*Access)(TDXPropertyObject& self, IDXValue& value, bool& handled);
};

template <class TMethod>
struct TDXHandlerTraits;
template <class TClass>
struct TDXHandlerTraits<void (TClass::*)(IDXArgList&, IDXValue&, bool&)> {
  using Class = TClass;
  static constexpr bool kAccess = false;
};
template <class TClass>
struct TDXHandlerTraits<void (TClass::*)(IDXValue&, bool&)> {
  using Class = TClass;
  static constexpr bool kAccess = true;
};

class TDXPropertyObject : public TDXClass {
 public:
  // A call that arrives while this many calls of the object are under way is taken for an
  // endless loop and refused.
  static constexpr int kMaxNesting = 100;

 protected:
  TDXPropertyObject() = default;

  // Properties and functions no published method handled; handled is false when they are
  // called, and they set it when they know the property or function. Nothing by default.
  virtual void GetProperty(MoaMmSymbol property, IDXValue& result, bool& handled);
  virtual void SetProperty(MoaMmSymbol property, const IDXValue& value, bool& handled);
  virtual void CallFunction(MoaMmSymbol function, IDXArgList& args, bool& handled,
                            IDXValue& result);
  // None by default.
  virtual std::span<const TDXPublishedHandler> PublishedHandlers() const;
  // Runs on every property set before it is routed; nothing by default.
  virtual void OnSetProperty(MoaMmSymbol property, const IDXValue& value);

  // An entry of the published-handler table: a method (IDXArgList&, IDXValue&, bool&) for a
  // function, or (IDXValue&, bool&) for a property method.
  template <auto Method>
  static constexpr TDXPublishedHandler Publish(std::string_view name) {
    using TTraits = TDXHandlerTraits<decltype(Method)>;
    using TOwner = typename TTraits::Class;
    if constexpr (TTraits::kAccess) {
      return {name, nullptr, [](TDXPropertyObject& self, IDXValue& value, bool& handled) {
                (static_cast<TOwner&>(self).*Method)(value, handled);
              }};
    } else {
      return {name,
              [](TDXPropertyObject& self, IDXArgList& args, IDXValue& result, bool& handled) {
                (static_cast<TOwner&>(self).*Method)(args, result, handled);
              },
              nullptr};
    }
  }

  // The name of a host symbol (at most 63 characters), "" without a value service.
  std::string SymbolName(MoaMmSymbol symbol) const;

  // The host interface of a property owner (an asset's or a sprite's): its property and
  // function slots go through the routes.
  template <class TInterface>
  class TPropertyOwnerInterface : public TDXEmbeddedInterface<TInterface> {
   public:
    using TDXEmbeddedInterface<TInterface>::TDXEmbeddedInterface;
    MoaError MOA_CALL GetProp(MoaMmSymbol property, MoaMmValue* out) noexcept override {
      return Routes().GetPropertyRoute(property, out);
    }
    MoaError MOA_CALL SetProp(MoaMmSymbol property, const MoaMmValue* value) noexcept override {
      return Routes().SetPropertyRoute(property, value);
    }
    MoaError MOA_CALL CallFunction(MoaDrCallInfo* call) noexcept override {
      return Routes().CallRoute(call);
    }

   private:
    TDXPropertyObject& Routes() const { return static_cast<TDXPropertyObject&>(this->Owner()); }
  };

 private:
  // 0 when handled, else kDXErrPropertyNotFound.
  MoaError GetPropertyRoute(MoaMmSymbol property, MoaMmValue* out) noexcept;
  MoaError SetPropertyRoute(MoaMmSymbol property, const MoaMmValue* value) noexcept;
  // 0 when handled, else kDXErrCallFailed; the result is written back in every case.
  MoaError CallRoute(MoaDrCallInfo* call) noexcept;
  bool CallHandled(const std::string& name, MoaMmSymbol function, IDXArgList& args,
                   IDXValue& result);
  const TDXPublishedHandler* FindHandler(std::string_view name) const;
  // The published accessor of the property (its name after prefix, "get_" or "set_") run on
  // value; false when there is none or it declined.
  bool Accessed(std::string_view prefix, MoaMmSymbol property, IDXValue& value);

  int nesting_ = 0;
};
