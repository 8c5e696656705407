#include "XmlDom/XmlPlacedValue.h"

#include <stdexcept>

namespace xmldom {

void RaiseValueTooLong() {
  throw std::length_error("value too long");
}

XmlValue PlaceValue(TXmlNodeStore& store, const XmlValue& value) {
  if (!value.HasBytes()) return value;
  return PlaceBytes(store, TXmlValueType(value.Type()), value.ByteView());
}

void UnplaceValue(TXmlNodeStore& store, XmlValue& value) noexcept {
  if (const char* bytes = value.PlacedBytes())
    store.Free(const_cast<char*>(bytes), value.ByteView().size());
  value.Clear();
}

namespace {

void Replace(TXmlNodeStore& store, XmlValue& held, XmlValue&& placed) noexcept {
  UnplaceValue(store, held);
  held = std::move(placed);
}

}  // namespace

void ReplacePlacedValue(TXmlNodeStore& store, XmlValue& held, const XmlValue& value) {
  Replace(store, held, PlaceValue(store, value));
}

void ReplacePlacedString(TXmlNodeStore& store, XmlValue& held, std::string_view text) {
  Replace(store, held, PlaceString(store, text));
}

}  // namespace xmldom
