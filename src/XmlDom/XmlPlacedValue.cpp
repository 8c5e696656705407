#include "XmlDom/XmlPlacedValue.h"

#include <stdexcept>

namespace xmldom {

void RaiseValueTooLong() {
  throw std::length_error("value too long");
}

TXmlPlacedValue PlaceValue(TXmlNodeStore& store, const XmlValue& value) {
  if (!value.HasBytes()) return TXmlPlacedValue(XmlValue(value));
  return PlaceBytes(store, TXmlValueType(value.Type()), value.ByteView());
}

void UnplaceValue(TXmlNodeStore& store, TXmlPlacedValue& value) noexcept {
  XmlValue& held = value.value_;
  if (const char* bytes = held.PlacedBytes())
    store.Free(const_cast<char*>(bytes), held.ByteView().size());
  held.Clear();
}

namespace {

void Replace(TXmlNodeStore& store, TXmlPlacedValue& held, TXmlPlacedValue&& placed) noexcept {
  UnplaceValue(store, held);
  held = std::move(placed);
}

}  // namespace

void ReplacePlacedValue(TXmlNodeStore& store, TXmlPlacedValue& held, const XmlValue& value) {
  Replace(store, held, PlaceValue(store, value));
}

void ReplacePlacedString(TXmlNodeStore& store, TXmlPlacedValue& held, std::string_view text) {
  Replace(store, held, PlaceString(store, text));
}

}  // namespace xmldom
