#include "DXClasses/DXScript.h"

#include "DXClasses/DXGuard.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

// Published names are looked up with at most this many characters of the declared name.
constexpr std::size_t kMethodNameLimit = 255;

const TDXPublishedMethod* FindByName(std::span<const TDXPublishedMethod> methods,
                                     std::string_view name) {
  if (name.empty()) return nullptr;
  name = name.substr(0, kMethodNameLimit);
  for (const TDXPublishedMethod& method : methods)
    if (SameLingoName(method.Name, name)) return &method;
  return nullptr;
}

// The arguments of one call: when the call is over and no method kept the list, its values go
// (and with them every host value they hold); the list stays for the next call.
class TArgumentsInUse {
 public:
  explicit TArgumentsInUse(TDXArgList& args) : args_(args) {}
  TArgumentsInUse(const TArgumentsInUse&) = delete;
  TArgumentsInUse& operator=(const TArgumentsInUse&) = delete;
  ~TArgumentsInUse() {
    if (!args_.HeldBeyond(2)) args_.Clear();  // held by the object and by the call only
  }

 private:
  TDXArgList& args_;
};

}  // namespace

TDXScript::TDXScript() : scriptCall_(*this), scriptStub_(*this) {}

TDXScript::~TDXScript() = default;

void TDXScript::CallFunction(MoaLong, IDXArgList&, IDXValue&) {}

std::span<const TDXPublishedMethod> TDXScript::PublishedMethods() const {
  return {};
}

IMoaUnknown* TDXScript::FindInterface(const MoaInterfaceID& iid) noexcept {
  if (iid == kIID_IMoaScriptCall) return &scriptCall_;
  if (iid == kIID_IMoaScriptStub) return &scriptStub_;
  return TDXClass::FindInterface(iid);
}

MoaError MOA_CALL TDXScript::TScriptCallInterface::Call(MoaDrCallInfo* call) noexcept {
  return call ? static_cast<TDXScript&>(Owner()).Call(*call) : kMoaOk;
}

// A Lingo call never fails: what a method raised is dropped, unseen, and the result field
// keeps what the host prepared. Methods report failures through their own results.
MoaError TDXScript::Call(MoaDrCallInfo& call) noexcept {
  DXGuarded([&] { Dispatch(call); });
  return kMoaOk;
}

void TDXScript::Dispatch(MoaDrCallInfo& call) {
  const Ref<IMoaMmValue> values = ValueService();
  if (!values) return;  // nothing can be read or written without it
  const MoaLong count = call.Args ? call.ArgCount : 0;
  const Ref<TDXArgList> args = ArgumentList();
  const TArgumentsInUse inUse(*args);
  args->LoadFromCall(*values, call.Args, 0, count);
  TDXValue& result = Result();
  result.Clear();
  if (!CallPublishedMethod(call.Selector, *args, result))
    CallFunction(call.Selector, *args, result);
  result.WriteToHost(*values, call.Result);
}

bool TDXScript::CallPublishedMethod(MoaLong selector, IDXArgList& args, IDXValue& result) {
  const TDXPublishedMethod* method = FindPublishedMethod(selector);
  if (!method) return false;
  bool handled = true;
  method->Invoke(*this, args, result, handled);
  return handled;
}

Ref<TDXArgList> TDXScript::ArgumentList() {
  // Held here and by nobody else: no method kept it, and no call of this object is under way
  // (that one would hold it too).
  if (!arguments_ || arguments_->HeldBeyond(1)) arguments_ = MakeRef<TDXArgList>();
  return arguments_;
}

const TDXPublishedMethod* TDXScript::FindPublishedMethod(MoaLong selector) {
  if (!functions_)
    if (const TDXRegistryEntry* entry = TDXClassRegistry::Instance().FindByClass(MetaClass()))
      functions_ = entry->Functions;
  if (!functions_ || selector < 0 || selector >= functions_->Count()) return nullptr;
  // The names are found once per class: the table and the published methods never change.
  std::vector<const TDXPublishedMethod*>& handlers = functions_->Handlers();
  if (handlers.size() != std::size_t(functions_->Count())) {
    const std::span<const TDXPublishedMethod> published = PublishedMethods();
    handlers.clear();
    for (std::int32_t i = 0; i < functions_->Count(); ++i)
      handlers.push_back(FindByName(published, functions_->Entry(i).Name()));
  }
  return handlers[std::size_t(selector)];
}

TDXScriptRegistration ScriptRegistration(const TDXMetaClass& metaClass) {
  TDXScriptInfo info;
  info.SafeForShockwave = true;
  const Ref<TDXScriptFunctions> functions = MakeRef<TDXScriptFunctions>();
  info.Functions = functions;
  metaClass.DeclareFunctions(info);
  TDXScriptRegistration registration;
  functions->BuildMsgTable(info.XtraName, registration.MsgTable);
  if (registration.MsgTable.empty()) registration.MsgTable = info.MsgTable;
  registration.SafeForShockwave = info.SafeForShockwave;
  return registration;
}

void PrepareScriptClass(TDXRegistryEntry& entry, TDXInitializeClassInfo& classInfo) {
  entry.Class->InitializeClass(classInfo);
  TDXScriptInfo info;
  entry.Functions = MakeRef<TDXScriptFunctions>();
  info.Functions = entry.Functions;
  entry.Class->DeclareFunctions(info);
}
