#include "DXClasses/DXPropertyObject.h"

#include "DXClasses/DXGuard.h"
#include "DXClasses/DXScriptFunctions.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace {

constexpr MoaLong kSymbolNameSize = 64;
constexpr std::string_view kGetPrefix = "get_";
constexpr std::string_view kSetPrefix = "set_";

// Names of property methods are not called as functions.
bool IsPropertyMethodName(std::string_view name) {
  const std::string_view prefix = name.substr(0, kGetPrefix.size());
  return SameLingoName(prefix, kGetPrefix) || SameLingoName(prefix, kSetPrefix);
}

std::string Prefixed(std::string_view prefix, const std::string& name) {
  std::string prefixed(prefix);
  prefixed += name;
  return prefixed;
}

// One call of the object under way, counted for the loop check while it lasts. A refused loop
// starts the count afresh, so the calls still under way then do not take it below zero.
class TNestedCall {
 public:
  explicit TNestedCall(int& nesting) : nesting_(nesting) { ++nesting_; }
  TNestedCall(const TNestedCall&) = delete;
  TNestedCall& operator=(const TNestedCall&) = delete;
  ~TNestedCall() {
    if (nesting_ > 0) --nesting_;
  }

 private:
  int& nesting_;
};

}  // namespace

void TDXPropertyObject::GetProperty(MoaMmSymbol, IDXValue&, bool&) {}

void TDXPropertyObject::SetProperty(MoaMmSymbol, const IDXValue&, bool&) {}

void TDXPropertyObject::CallFunction(MoaMmSymbol, IDXArgList&, bool&, IDXValue&) {}

std::span<const TDXPublishedHandler> TDXPropertyObject::PublishedHandlers() const {
  return {};
}

void TDXPropertyObject::OnSetProperty(MoaMmSymbol, const IDXValue&) {}

std::string TDXPropertyObject::SymbolName(MoaMmSymbol symbol) const {
  const Ref<IMoaMmValue> values = ValueService();
  if (!values) return {};
  char buffer[kSymbolNameSize + 1] = {};
  values->SymbolToString(symbol, buffer, kSymbolNameSize);
  return buffer;  // the last byte is never written: always terminated
}

const TDXPublishedHandler* TDXPropertyObject::FindHandler(std::string_view name) const {
  for (const TDXPublishedHandler& handler : PublishedHandlers())
    if (SameLingoName(handler.Name, name)) return &handler;
  return nullptr;
}

bool TDXPropertyObject::Accessed(std::string_view prefix, MoaMmSymbol property, IDXValue& value) {
  const TDXPublishedHandler* accessor = FindHandler(Prefixed(prefix, SymbolName(property)));
  if (!accessor || !accessor->Access) return false;
  bool handled = true;
  accessor->Access(*this, value, handled);
  return handled;
}

MoaError TDXPropertyObject::GetPropertyRoute(MoaMmSymbol property, MoaMmValue* out) noexcept {
  return DXGuarded(kDXErrPropertyNotFound, [&] {
    const Ref<IMoaMmValue> values = ValueService();
    if (!values || !out) return kDXErrPropertyNotFound;
    TDXValue& result = Result();
    result.Clear();
    bool handled = Accessed(kGetPrefix, property, result);
    if (!handled) GetProperty(property, result, handled);
    if (!handled) return kDXErrPropertyNotFound;
    result.WriteToHost(*values, *out);
    return kMoaOk;
  });
}

MoaError TDXPropertyObject::SetPropertyRoute(MoaMmSymbol property,
                                             const MoaMmValue* value) noexcept {
  const Ref<IMoaMmValue> values = ValueService();
  if (!values || !value) return kDXErrPropertyNotFound;
  TDXValue& incoming = Result();
  const bool handled = DXGuarded(false, [&] {
    incoming.ReadFromHost(*values, *value);
    OnSetProperty(property, incoming);
    bool handled = Accessed(kSetPrefix, property, incoming);
    if (!handled) SetProperty(property, incoming, handled);
    return handled;
  });
  // The value read may hold a host list: it is not kept past the call.
  incoming.Clear();
  return handled ? kMoaOk : kDXErrPropertyNotFound;
}

MoaError TDXPropertyObject::CallRoute(MoaDrCallInfo* call) noexcept {
  return DXGuarded(kDXErrCallFailed, [&] {
    const Ref<IMoaMmValue> values = ValueService();
    if (!call || !values) return kDXErrCallFailed;
    const std::string name = SymbolName(call->Selector);
    if (nesting_ == kMaxNesting) {
      nesting_ = 0;
      PrintMessage(FormatText(msg::kRecursiveLoop, {name}));
      return kDXErrCallFailed;
    }
    TDXValue& result = Result();
    result.Clear();
    const Ref<TDXArgList> args = MakeRef<TDXArgList>();
    args->LoadFromCall(*values, call->Args, 1, call->Args ? call->ArgCount : 0);
    bool handled = false;
    {
      const TNestedCall nested(nesting_);
      handled = CallHandled(name, call->Selector, *args, result);
    }
    result.WriteToHost(*values, call->Result);
    return handled ? kMoaOk : kDXErrCallFailed;
  });
}

bool TDXPropertyObject::CallHandled(const std::string& name, MoaMmSymbol function, IDXArgList& args,
                                    IDXValue& result) {
  return DXGuarded(false, [&] {
    bool handled = false;
    const TDXPublishedHandler* handler = IsPropertyMethodName(name) ? nullptr : FindHandler(name);
    if (handler && handler->Call) {
      handled = true;
      handler->Call(*this, args, result, handled);
    }
    if (!handled) CallFunction(function, args, handled, result);
    return handled;
  });
}
