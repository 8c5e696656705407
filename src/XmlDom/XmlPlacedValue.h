#pragma once

// Values kept in a store: what nodes and attributes hold. A value placed in a store keeps bytes
// longer than its inline room in a piece of that store, so the store may go with everything in
// it at once; copies taken from it own their bytes.

#include <cstdint>
#include <limits>
#include <string_view>

#include "XmlDom/XmlNodeStore.h"
#include "XmlDom/XmlValue.h"

namespace xmldom {

// The value with its bytes placed in store.
XmlValue PlaceValue(TXmlNodeStore& store, const XmlValue& value);
// Values count their bytes in 32 bits.
[[noreturn]] void RaiseValueTooLong();

inline XmlValue PlaceBytes(TXmlNodeStore& store, TXmlValueType type, std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) RaiseValueTooLong();
  const auto size = std::uint32_t(bytes.size());
  // Short values stay inline: Placed copies them into the value itself.
  const char* kept = size > XmlValue::kInlineBytes ? store.CopyBytes(bytes) : bytes.data();
  return XmlValue::Placed(type, kept, size);
}
inline XmlValue PlaceString(TXmlNodeStore& store, std::string_view text) {
  return PlaceBytes(store, xvtString, text);
}
// Gives a placed value's bytes back to its store and empties it.
void UnplaceValue(TXmlNodeStore& store, XmlValue& value) noexcept;
// Replaces a placed value by another, placing it first so that a failure changes nothing.
void ReplacePlacedValue(TXmlNodeStore& store, XmlValue& held, const XmlValue& value);
// The same for a byte-string value of text.
void ReplacePlacedString(TXmlNodeStore& store, XmlValue& held, std::string_view text);

}  // namespace xmldom
