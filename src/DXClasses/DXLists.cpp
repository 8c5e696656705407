#include "DXClasses/DXLists.h"

#include <cstring>

#include "DXClasses/DXHostInterface.h"
#include "DXClasses/DXHostValue.h"
#include "DXClasses/DXValue.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

constexpr MoaLong kSymbolNameLimit = 255;

Ref<IMoaMmList> ListServiceOf(IMoaMmValue* values) {
  return QueryHostInterface<IMoaMmList>(values, kIID_IMoaMmList);
}

// A new framework value read from a host value the host just handed out.
Ref<IDXValue> ValueFrom(IMoaMmValue& values, const TDXHostValue& host) {
  const Ref<TDXValue> value = MakeRef<TDXValue>();
  value->ReadFromHost(values, host.Value());
  return value;
}

}  // namespace

TDXBaseList::TDXBaseList(Ref<IMoaMmValue> values, const MoaMmValue& hostList)
    : values_(std::move(values)), lists_(ListServiceOf(values_.Get())), hostList_(hostList) {
  if (!values_) return;
  // Without a reference of its own the wrapper is no list: it must not use, let alone release,
  // a value the host may free under it.
  if (values_->ValueAddRef(&hostList_) == kMoaOk) {
    holdsHostList_ = true;
  } else {
    hostList_ = {};
    lists_.Reset();
  }
}

TDXBaseList::TDXBaseList(Ref<IMoaMmValue> values)
    : values_(std::move(values)), lists_(ListServiceOf(values_.Get())) {
  if (lists_ && lists_->NewPropertyList(&hostList_) == kMoaOk)
    holdsHostList_ = true;
  else
    lists_.Reset();  // a list the host did not make: every access does nothing
}

TDXBaseList::~TDXBaseList() {
  if (holdsHostList_) values_->ValueRelease(&hostList_);
}

std::int32_t TDXBaseList::CountItems() const {
  return lists_ ? lists_->CountElements(&hostList_) : 0;
}

Ref<IDXValue> TDXBaseList::ItemAt(std::int32_t index) const {
  if (!lists_) return nullptr;
  TDXHostValue item(*values_);
  if (lists_->GetValueByIndex(&hostList_, index + 1, item.Receive()) != kMoaOk) return nullptr;
  return ValueFrom(*values_, item);
}

void TDXBaseList::SetItemAt(std::int32_t index, const IDXValue& value) {
  if (!lists_) return;
  TDXHostValue item(*values_);
  WriteValueToHost(value, *values_, *item.Receive());
  lists_->SetValueByIndex(&hostList_, index + 1, &item.Value());
}

void TDXBaseList::Append(const IDXValue& value) {
  if (!lists_) return;
  TDXHostValue item(*values_);
  WriteValueToHost(value, *values_, *item.Receive());
  lists_->AppendValue(&hostList_, &item.Value());
}

Ref<IDXValue> TDXBaseList::PropertyValue(MoaMmSymbol property) const {
  if (!lists_) return nullptr;
  TDXHostValue name(*values_);
  values_->SymbolToValue(property, name.Receive());
  TDXHostValue item(*values_);
  if (lists_->GetValueByProperty(&hostList_, &name.Value(), item.Receive()) != kMoaOk)
    return nullptr;
  return ValueFrom(*values_, item);
}

void TDXBaseList::SetPropertyValue(MoaMmSymbol property, const IDXValue& value) {
  if (!lists_) return;
  TDXHostValue name(*values_);
  values_->SymbolToValue(property, name.Receive());
  TDXHostValue item(*values_);
  WriteValueToHost(value, *values_, *item.Receive());
  if (lists_->SetValueByProperty(&hostList_, &name.Value(), &item.Value()) != kMoaOk)
    lists_->AppendProperty(&hostList_, &name.Value(), &item.Value());
}

MoaMmSymbol TDXBaseList::NameToSymbol(const std::string& name) const {
  MoaMmSymbol symbol = 0;
  if (values_) values_->StringToSymbol(name.c_str(), &symbol);
  return symbol;
}

std::string TDXBaseList::PropertyNameAt(std::int32_t index) const {
  if (!lists_) return {};
  TDXHostValue name(*values_);
  if (lists_->GetPropertyNameByIndex(&hostList_, index + 1, name.Receive()) != kMoaOk) return {};
  TDXValue symbol;
  symbol.ReadFromHost(*values_, name.Value());
  char buffer[kSymbolNameLimit + 1] = {};
  values_->SymbolToString(symbol.AsSymbol(), buffer, kSymbolNameLimit);
  return buffer;  // the last byte of the buffer is never written: always terminated
}
