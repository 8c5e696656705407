#include "XmlDom/XmlPlacedValue.h"

#include <limits>
#include <stdexcept>

namespace xmldom {

XmlValue PlaceBytes(TXmlNodeStore& store, TXmlValueType type, std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("value too long");
  const auto size = std::uint32_t(bytes.size());
  // Short values stay inline: Placed copies them into the value itself.
  const char* kept = size > XmlValue::kInlineBytes ? store.CopyBytes(bytes) : bytes.data();
  return XmlValue::Placed(type, kept, size);
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
