#pragma once

// XmlValue: the tagged typed value that attributes, text nodes and elements hold. The type
// codes follow the platform's variant codes (256 for an 8-bit string, 0x2011 for a byte array);
// they are stored in binary XML and returned by GetValueType and GetAttributeType, so they are
// part of the contract.
//
// 16 bytes: the code, how the bytes of the string kinds are kept, their count, and an 8-byte
// payload that holds numbers directly and strings of up to 8 bytes in place, so most numbers
// and short texts need no block of their own. Longer strings are either the value's own (a
// block it frees) or placed: bytes that someone else keeps, such as the store of a document's
// nodes. A copy always owns its bytes, so a placed value never leaves its keeper.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "XmlDom/XmlBytes.h"

namespace xmldom {

enum TXmlValueType : std::uint16_t {
  xvtEmpty = 0,
  xvtNull = 1,
  xvtInt16 = 2,
  xvtInt32 = 3,
  xvtFloat32 = 4,
  xvtFloat64 = 5,
  xvtCurrency = 6,    // 64-bit integer holding the amount x 10000
  xvtDateTime = 7,    // 64-bit float: days since 30 December 1899 plus the fraction of the day
  xvtWideString = 8,  // UTF-16 code units
  xvtBoolean = 11,    // 16 bits: 0 false, -1 true
  xvtInt8 = 16,
  xvtUInt8 = 17,
  xvtUInt16 = 18,
  xvtUInt32 = 19,
  xvtInt64 = 20,
  xvtString = 256,       // 8-bit text in the document's code page
  xvtByteArray = 0x2011  // binary data
};

// True for the codes above.
bool IsXmlValueType(int code) noexcept;

// Days since 30 December 1899 plus the fraction of the day.
using TXmlDateTime = double;

class XmlValue {
 public:
  // Strings up to this many bytes are kept inside the value.
  static constexpr std::uint32_t kInlineBytes = 8;

  constexpr XmlValue() noexcept {}
  XmlValue(const XmlValue& other);
  XmlValue(XmlValue&& other) noexcept
      : type_(std::exchange(other.type_, xvtEmpty)),
        storage_(std::exchange(other.storage_, kInline)),
        size_(std::exchange(other.size_, 0)),
        payload_(other.payload_) {}
  XmlValue& operator=(const XmlValue& other);
  XmlValue& operator=(XmlValue&& other) noexcept {
    if (this != &other) {
      ReleaseBytes();
      type_ = std::exchange(other.type_, xvtEmpty);
      storage_ = std::exchange(other.storage_, kInline);
      size_ = std::exchange(other.size_, 0);
      payload_ = other.payload_;
    }
    return *this;
  }
  ~XmlValue() { ReleaseBytes(); }

  static XmlValue Null();
  static XmlValue FromInt8(std::int8_t value) { return Integer(xvtInt8, value); }
  static XmlValue FromUInt8(std::uint8_t value) { return Integer(xvtUInt8, value); }
  static XmlValue FromInt16(std::int16_t value) { return Integer(xvtInt16, value); }
  static XmlValue FromUInt16(std::uint16_t value) { return Integer(xvtUInt16, value); }
  static XmlValue FromInt32(std::int32_t value) { return Integer(xvtInt32, value); }
  static XmlValue FromUInt32(std::uint32_t value) { return Integer(xvtUInt32, value); }
  static XmlValue FromInt64(std::int64_t value) { return Integer(xvtInt64, value); }
  // The 16-bit pattern as stored: 0 is false, anything else true (-1 when made from a bool).
  static XmlValue FromBooleanBits(std::int16_t bits) { return Integer(xvtBoolean, bits); }
  static XmlValue FromBoolean(bool value) { return FromBooleanBits(value ? -1 : 0); }
  // The amount times 10000.
  static XmlValue FromCurrency(std::int64_t scaledAmount) {
    return Integer(xvtCurrency, scaledAmount);
  }
  static XmlValue FromFloat32(float value);
  static XmlValue FromFloat64(double value);
  static XmlValue FromDateTime(TXmlDateTime value);
  static XmlValue FromString(std::string_view text) { return Bytes(xvtString, text); }
  static XmlValue FromByteArray(std::string_view bytes) { return Bytes(xvtByteArray, bytes); }
  static XmlValue FromWideString(std::u16string_view text);

  std::uint16_t Type() const noexcept { return type_; }
  bool IsEmpty() const noexcept { return type_ == xvtEmpty; }
  bool IsEmptyOrNull() const noexcept { return type_ <= xvtNull; }

  // The payload; each accessor is meaningful only for the kinds it names.
  // Integer kinds, booleans (the stored bits) and currency (the scaled amount).
  std::int64_t Int() const noexcept { return payload_.Int; }
  float Float32() const noexcept { return payload_.Float32; }
  // xvtFloat64 and xvtDateTime.
  double Float64() const noexcept { return payload_.Float64; }
  // xvtString and xvtByteArray: the bytes; xvtWideString: the UTF-16 units as raw bytes.
  std::string_view ByteView() const noexcept {
    return {storage_ == kInline ? payload_.Inline : payload_.Bytes, size_};
  }
  // Bytes kept by a store, for that store (null when the value has none of that kind).
  const char* PlacedBytes() const noexcept {
    return storage_ == kPlaced ? payload_.Bytes : nullptr;
  }
  // The string kinds: their bytes, not the number they would make.
  bool HasBytes() const noexcept {
    return type_ == xvtString || type_ == xvtByteArray || type_ == xvtWideString;
  }
  std::u16string WideText() const;

  // Back to empty.
  void Clear() noexcept;

  // Same code and same payload, bit for bit.
  friend bool operator==(const XmlValue& a, const XmlValue& b) noexcept;

 private:
  // Values placed in a node store are made only there.
  friend class TXmlPlacedValue;

  // A value of a string kind whose bytes are kept by the store that placed them, which
  // frees them (never the value) and keeps them as long as the value lives.
  static XmlValue Placed(TXmlValueType type, const char* bytes, std::uint32_t size) noexcept {
    XmlValue value;
    value.type_ = type;
    value.size_ = size;
    if (size <= kInlineBytes) {
      const std::uint64_t word = ShortBytesWord(bytes, size);
      std::memcpy(value.payload_.Inline, &word, sizeof word);
    } else {
      value.storage_ = kPlaced;
      value.payload_.Bytes = bytes;
    }
    return value;
  }
  // The same for up to kInlineBytes bytes already made into their word (LoadWordAhead).
  static XmlValue Inline(TXmlValueType type, std::uint64_t word, std::uint32_t size) noexcept {
    XmlValue value;
    value.type_ = type;
    value.size_ = size;
    std::memcpy(value.payload_.Inline, &word, sizeof word);
    return value;
  }

  // How the bytes of a string kind are kept.
  enum TStorage : std::uint8_t { kInline, kOwned, kPlaced };

  static XmlValue Integer(TXmlValueType type, std::int64_t value) noexcept;
  static XmlValue Bytes(TXmlValueType type, std::string_view bytes);
  void AssignBytes(std::string_view bytes);
  // Up to kInlineBytes bytes as the little-endian word they make, read without a library call:
  // two overlapping words from 4 bytes up, the first, middle and last byte below. The value is
  // then stored whole, so that reading it back never waits on a store of a part of it.
  static std::uint64_t ShortBytesWord(const char* from, std::uint32_t size) noexcept {
    if (size >= 4) {
      const std::uint64_t head = LoadBytes<std::uint32_t>(from);
      const std::uint64_t tail = LoadBytes<std::uint32_t>(from + size - 4);
      return head | tail << (8 * (size - 4));
    }
    if (size == 0) return 0;
    const auto byte = [from](std::uint32_t i) {
      return std::uint64_t(static_cast<unsigned char>(from[i])) << (8 * i);
    };
    return byte(0) | byte(size / 2) | byte(size - 1);
  }
  void ReleaseBytes() noexcept {
    if (storage_ == kOwned) FreeOwned();
  }
  void FreeOwned() noexcept;

  std::uint16_t type_ = xvtEmpty;
  TStorage storage_ = kInline;
  std::uint32_t size_ = 0;  // byte count of the string kinds
  union TPayload {
    std::int64_t Int = 0;
    double Float64;
    float Float32;
    char Inline[kInlineBytes];
    const char* Bytes;
  } payload_;
};

static_assert(sizeof(XmlValue) == 16);
static_assert(std::endian::native == std::endian::little, "short values are built as words");

}  // namespace xmldom
