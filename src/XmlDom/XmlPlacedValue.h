#pragma once

// Values kept in a store: what nodes and attributes hold. A placed value keeps the bytes that do
// not fit inside it in a piece of a node store, so the store may go with everything in it at
// once. It is a type of its own, which only the placing functions below make, each from a store;
// its bytes go back to that store through UnplaceValue, or with the whole store. It is read as
// the XmlValue it holds, and copies taken from that own their bytes.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "XmlDom/XmlNodeStore.h"
#include "XmlDom/XmlValue.h"

namespace xmldom {

// Up to XmlValue::kInlineBytes bytes as the word a value keeps them in (LoadWordAhead).
struct TXmlInlineBytes {
  std::uint64_t Word;
  std::uint32_t Size;
};

class TXmlPlacedValue {
 public:
  // Empty: nothing placed.
  constexpr TXmlPlacedValue() noexcept = default;
  TXmlPlacedValue(TXmlPlacedValue&&) noexcept = default;
  // The held value's bytes are not given back here: the holder unplaces it first, or leaves
  // the bytes to the store.
  TXmlPlacedValue& operator=(TXmlPlacedValue&&) noexcept = default;
  TXmlPlacedValue(const TXmlPlacedValue&) = delete;
  TXmlPlacedValue& operator=(const TXmlPlacedValue&) = delete;

  // A string value written straight into a piece of store of maxBytes (1 to the store's
  // small pieces): write(char* out) returns the count it wrote, or -1 when it cannot write the
  // value, which is then not placed (false).
  template <class Write>
  static bool PlaceWritten(TXmlNodeStore& store, std::size_t maxBytes, Write&& write,
                           TXmlPlacedValue& placed) {
    assert(maxBytes > 0 && maxBytes <= TXmlNodeStore::kMaxSmallBytes);
    auto* piece = static_cast<char*>(store.Allocate(maxBytes));
    const std::ptrdiff_t written = write(piece);
    if (written < 0) {
      store.GiveBackEnd(piece, maxBytes, 0);
      return false;
    }
    const auto size = std::uint32_t(written);
    placed = Over(xvtString, piece, size);
    // A short value went inside the placed value: the piece is not needed.
    store.GiveBackEnd(piece, maxBytes, size > XmlValue::kInlineBytes ? size : 0);
    return true;
  }

  // A value of a string kind over bytes that a store gave the object being made (or anywhere,
  // when they fit inside the value): for the constructors of objects that the store makes.
  static TXmlPlacedValue Over(TXmlStoreKey, TXmlValueType type, const char* bytes,
                              std::uint32_t size) noexcept {
    return Over(type, bytes, size);
  }

  static TXmlPlacedValue Over(TXmlStoreKey, TXmlValueType type, TXmlInlineBytes bytes) noexcept {
    return Over(type, bytes);
  }

  const XmlValue& Get() const noexcept { return value_; }
  operator const XmlValue&() const noexcept { return value_; }
  bool IsEmpty() const noexcept { return value_.IsEmpty(); }

 private:
  friend TXmlPlacedValue PlaceBytes(TXmlNodeStore&, TXmlValueType, std::string_view);
  friend TXmlPlacedValue PlaceBytes(TXmlNodeStore&, TXmlValueType, std::string_view, const char*);
  friend TXmlPlacedValue PlaceValue(TXmlNodeStore&, const XmlValue&);
  friend void UnplaceValue(TXmlNodeStore&, TXmlPlacedValue&) noexcept;

  explicit TXmlPlacedValue(XmlValue&& value) noexcept : value_(std::move(value)) {}
  // A value of a string kind over bytes of a store (or inline, when they fit).
  static TXmlPlacedValue Over(TXmlValueType type, const char* bytes, std::uint32_t size) noexcept {
    return TXmlPlacedValue(XmlValue::Placed(type, bytes, size));
  }
  static TXmlPlacedValue Over(TXmlValueType type, TXmlInlineBytes bytes) noexcept {
    return TXmlPlacedValue(XmlValue::Inline(type, bytes.Word, bytes.Size));
  }

  XmlValue value_;
};

// The value with its bytes placed in store.
TXmlPlacedValue PlaceValue(TXmlNodeStore& store, const XmlValue& value);
// Values count their bytes in 32 bits.
[[noreturn]] void RaiseValueTooLong();

inline TXmlPlacedValue PlaceBytes(TXmlNodeStore& store, TXmlValueType type,
                                  std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) RaiseValueTooLong();
  const auto size = std::uint32_t(bytes.size());
  // Short values stay inline: the value copies them into itself.
  const char* kept = size > XmlValue::kInlineBytes ? store.CopyBytes(bytes) : bytes.data();
  return TXmlPlacedValue::Over(type, kept, size);
}
// The same for bytes of a reader's window that end at or before readableEnd: when kReadAhead
// bytes past them may be read, they are read and copied in whole words.
[[gnu::always_inline]] inline TXmlPlacedValue PlaceBytes(TXmlNodeStore& store, TXmlValueType type,
                                                         std::string_view bytes,
                                                         const char* readableEnd) {
  if (!ReadsAhead(bytes, readableEnd)) return PlaceBytes(store, type, bytes);
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) RaiseValueTooLong();
  const auto size = std::uint32_t(bytes.size());
  if (size <= XmlValue::kInlineBytes)
    return TXmlPlacedValue::Over(type, TXmlInlineBytes{LoadWordAhead(bytes.data(), size), size});
  return TXmlPlacedValue::Over(type, store.CopyBytesAhead(bytes), size);
}
inline TXmlPlacedValue PlaceString(TXmlNodeStore& store, std::string_view text) {
  return PlaceBytes(store, xvtString, text);
}
// Gives a placed value's bytes back to its store and empties it.
void UnplaceValue(TXmlNodeStore& store, TXmlPlacedValue& value) noexcept;
// Replaces a placed value by another, placing it first so that a failure changes nothing.
void ReplacePlacedValue(TXmlNodeStore& store, TXmlPlacedValue& held, const XmlValue& value);
// The same for a byte-string value of text.
void ReplacePlacedString(TXmlNodeStore& store, TXmlPlacedValue& held, std::string_view text);

}  // namespace xmldom
