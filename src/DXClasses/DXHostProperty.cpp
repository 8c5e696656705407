#include "DXClasses/DXHostProperty.h"

#include "DXClasses/DXHostValue.h"

namespace {

constexpr const char* kNameProperty = "Name";

}  // namespace

Ref<TDXValue> GetHostProperty(IMoaMmValue& values, IMoaPropertyAccess& object,
                              MoaMmSymbol property) {
  TDXHostValue host(values);
  if (object.GetProp(property, host.Receive()) != kMoaOk) return nullptr;
  const Ref<TDXValue> value = MakeRef<TDXValue>();
  value->ReadFromHost(values, host.Value());
  return value;
}

bool SetHostProperty(IMoaMmValue& values, IMoaPropertyAccess& object, MoaMmSymbol property,
                     const IDXValue& value) {
  TDXHostValue host(values);
  WriteValueToHost(value, values, *host.Receive());
  return object.SetProp(property, &host.Value()) == kMoaOk;
}

MoaMmSymbol HostSymbol(IMoaMmValue& values, const char* name) {
  MoaMmSymbol symbol = 0;
  values.StringToSymbol(name, &symbol);
  return symbol;
}

std::string GetHostName(IMoaMmValue* values, IMoaPropertyAccess& object) {
  if (!values) return {};
  const Ref<TDXValue> name = GetHostProperty(*values, object, HostSymbol(*values, kNameProperty));
  return name ? name->AsString() : std::string();
}

void SetHostName(IMoaMmValue* values, IMoaPropertyAccess& object, const std::string& name) {
  if (!values) return;
  TDXValue value;
  value.SetAsString(name);
  SetHostProperty(*values, object, HostSymbol(*values, kNameProperty), value);
}

Ref<IDXValue> GetHostProperty(IMoaMmValue* values, IMoaPropertyAccess& object,
                              MoaMmSymbol property) {
  if (!values) return nullptr;
  return GetHostProperty(*values, object, property);
}

bool SetHostProperty(IMoaMmValue* values, IMoaPropertyAccess& object, MoaMmSymbol property,
                     const IDXValue& value) {
  return values && SetHostProperty(*values, object, property, value);
}
