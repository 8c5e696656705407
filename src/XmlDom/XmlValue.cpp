#include "XmlDom/XmlValue.h"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

#include "XmlDom/XmlMemory.h"

namespace xmldom {

bool IsXmlValueType(int code) noexcept {
  switch (code) {
    case xvtEmpty:
    case xvtNull:
    case xvtInt16:
    case xvtInt32:
    case xvtFloat32:
    case xvtFloat64:
    case xvtCurrency:
    case xvtDateTime:
    case xvtWideString:
    case xvtBoolean:
    case xvtInt8:
    case xvtUInt8:
    case xvtUInt16:
    case xvtUInt32:
    case xvtInt64:
    case xvtString:
    case xvtByteArray:
      return true;
    default:
      return false;
  }
}

XmlValue::XmlValue(const XmlValue& other) {
  if (other.HasBytes())
    AssignBytes(other.ByteView());
  else
    payload_ = other.payload_;
  type_ = other.type_;  // last, so that a failed copy leaves an empty value
}

// A placed value moves as it is: only its keeper's own code moves one.
XmlValue& XmlValue::operator=(const XmlValue& other) {
  if (this != &other) *this = XmlValue(other);
  return *this;
}

XmlValue XmlValue::Null() {
  XmlValue value;
  value.type_ = xvtNull;
  return value;
}

XmlValue XmlValue::FromFloat32(float number) {
  XmlValue value;
  value.type_ = xvtFloat32;
  value.payload_.Float32 = number;
  return value;
}

XmlValue XmlValue::FromFloat64(double number) {
  XmlValue value;
  value.type_ = xvtFloat64;
  value.payload_.Float64 = number;
  return value;
}

XmlValue XmlValue::FromDateTime(TXmlDateTime dateTime) {
  XmlValue value = FromFloat64(dateTime);
  value.type_ = xvtDateTime;
  return value;
}

XmlValue XmlValue::FromWideString(std::u16string_view text) {
  return Bytes(xvtWideString, {reinterpret_cast<const char*>(text.data()), text.size() * 2});
}

std::u16string XmlValue::WideText() const {
  const std::string_view bytes = ByteView();
  std::u16string text(bytes.size() / 2, u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * 2);
  return text;
}

void XmlValue::Clear() noexcept {
  ReleaseBytes();
  type_ = xvtEmpty;
  storage_ = kInline;
  size_ = 0;
  payload_.Int = 0;
}

bool operator==(const XmlValue& a, const XmlValue& b) noexcept {
  if (a.type_ != b.type_) return false;
  if (a.HasBytes()) return a.ByteView() == b.ByteView();
  if (a.type_ == xvtFloat32) return std::memcmp(&a.payload_.Float32, &b.payload_.Float32, 4) == 0;
  return a.payload_.Int == b.payload_.Int;
}

XmlValue XmlValue::Integer(TXmlValueType type, std::int64_t number) noexcept {
  XmlValue value;
  value.type_ = type;
  value.payload_.Int = number;
  return value;
}

XmlValue XmlValue::Bytes(TXmlValueType type, std::string_view bytes) {
  XmlValue value;
  value.AssignBytes(bytes);
  value.type_ = type;
  return value;
}

// Stores a copy of bytes as this value's payload; the caller sets the type.
void XmlValue::AssignBytes(std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("value too long");
  const auto size = static_cast<std::uint32_t>(bytes.size());
  if (size <= kInlineBytes) {
    if (size) std::memcpy(payload_.Inline, bytes.data(), size);
    storage_ = kInline;
  } else {
    auto* owned = static_cast<char*>(memory::Allocate(size));
    std::memcpy(owned, bytes.data(), size);
    payload_.Bytes = owned;
    storage_ = kOwned;
  }
  size_ = size;
}

void XmlValue::FreeOwned() noexcept {
  memory::Free(const_cast<char*>(payload_.Bytes), size_);
}

}  // namespace xmldom
