#pragma once

// TDXScript: the base of a scripting Xtra, a class whose instances Lingo makes with new and
// whose methods Lingo calls by name. A subclass
//   - declares its Lingo methods in a static DeclareFunctions (the same ones, in the same
//     order, every time: it runs once at registration and once before the first object),
//   - publishes one handler per Lingo method under the same name in PublishedMethods,
//   - may override CallFunction for calls no published method handles:
//
//   class TMyXtra : public TDXScript {
//    public:
//     static void DeclareFunctions(TDXScriptInfo& info) {
//       info.XtraName = "myXtra";
//       info.Functions->AddMethod("hello")->AddArgument("me", dvObject);
//     }
//    protected:
//     std::span<const TDXPublishedMethod> PublishedMethods() const override {
//       static constexpr TDXPublishedMethod kMethods[] = {Publish<&TMyXtra::hello>("hello")};
//       return kMethods;
//     }
//    private:
//     void hello(IDXArgList& args, IDXValue& result, bool& handled);
//   };

#include <span>

#include "DXClasses/DXArgList.h"
#include "DXClasses/DXClass.h"
#include "DXClasses/DXClassInfo.h"
#include "DXClasses/DXPublishedMethod.h"
#include "DXClasses/DXScriptStub.h"

template <class TMethod>
struct TDXPublishedMethodClass;
template <class TClass>
struct TDXPublishedMethodClass<void (TClass::*)(IDXArgList&, IDXValue&, bool&)> {
  using Type = TClass;
};

class TDXScript : public TDXClass {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::Script;

  // Every scripting class declares its own.
  static void DeclareFunctions(TDXScriptInfo& info) = delete;
  // Runs before the class's methods are declared for its first object; nothing by default.
  static void InitializeClass(TDXInitializeClassInfo&) {}

 protected:
  TDXScript();
  ~TDXScript() override;

  // Calls that no published method handled; does nothing by default.
  virtual void CallFunction(MoaLong selector, IDXArgList& args, IDXValue& result);
  // The class's published methods; none by default.
  virtual std::span<const TDXPublishedMethod> PublishedMethods() const;
  // Runs the published method of the selector; false when there is none or it declined the
  // call (cleared its handled flag). By default the method is found once by its declared name.
  virtual bool CallPublishedMethod(MoaLong selector, IDXArgList& args, IDXValue& result);

  // An entry of a published-method table: the handler Method of a subclass under a Lingo name.
  template <auto Method>
  static constexpr TDXPublishedMethod Publish(std::string_view name) {
    using TClass = typename TDXPublishedMethodClass<decltype(Method)>::Type;
    return {name, [](TDXScript& self, IDXArgList& args, IDXValue& result, bool& handled) {
              (static_cast<TClass&>(self).*Method)(args, result, handled);
            }};
  }

  IMoaUnknown* FindInterface(const MoaInterfaceID& iid) noexcept override;

 private:
  class TScriptCallInterface final : public TDXEmbeddedInterface<IMoaScriptCall> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL Call(MoaDrCallInfo* call) noexcept override;
  };

  // The route of every Lingo call; answers 0 whatever happens.
  MoaError Call(MoaDrCallInfo& call) noexcept;
  // The call's arguments to the published method of its selector, or to CallFunction, and
  // the result back into the call record.
  void Dispatch(MoaDrCallInfo& call);
  const TDXPublishedMethod* FindPublishedMethod(MoaLong selector);
  // The argument list of a call: the one of the last call when nobody kept it, else a new one.
  Ref<TDXArgList> ArgumentList();

  Ref<TDXScriptFunctions> functions_;
  Ref<TDXArgList> arguments_;
  TScriptCallInterface scriptCall_;
  TDXScriptStubInterface scriptStub_;
};

// The method-table text and the Shockwave flag a scripting class registers.
struct TDXScriptRegistration {
  std::string MsgTable;
  bool SafeForShockwave = true;
};
TDXScriptRegistration ScriptRegistration(const TDXMetaClass& metaClass);

// The runtime method table of a scripting class, kept in its registry entry.
void PrepareScriptClass(TDXRegistryEntry& entry, TDXInitializeClassInfo& classInfo);
