#pragma once

// The basic types every host interface uses: the calling convention of interface operations,
// result codes, identifiers and the 8-byte value record.

#include <cstdint>

// Interface operations: __stdcall on 32-bit Windows, as the host calls them; the platform's
// own convention elsewhere. Exported entry points and the create and destroy callbacks use the
// C convention and need no marker.
#if defined(_WIN32) && !defined(_WIN64)
#define MOA_CALL __stdcall
#else
#define MOA_CALL
#endif

using MoaError = std::int32_t;
using MoaLong = std::int32_t;
using MoaUlong = std::uint32_t;
using MoaMmSymbol = std::int32_t;

// Result codes of the host ABI. Every operation answers 0 for success.
inline constexpr MoaError kMoaOk = 0;
inline constexpr MoaError kMoaErrNoInterface = MoaError(0x80004002);
// The framework's own codes.
inline constexpr MoaError kDXErrOutOfMemory = MoaError(0x80040002);  // also: registration vetoed
inline constexpr MoaError kDXErrObjectsAlive = MoaError(0x80040003);
inline constexpr MoaError kDXErrNotSupported = MoaError(0x80040004);
inline constexpr MoaError kDXErrClassNotFound = MoaError(0x80040005);
// Codes of the asset, sprite and other Xtra kinds.
inline constexpr MoaError kDXErrPropertyNotFound = MoaError(0x800407D5);
inline constexpr MoaError kDXErrCallFailed = MoaError(0x800407DF);
inline constexpr MoaError kDXErrLoadFailed = MoaError(0x800407E7);
inline constexpr MoaError kDXErrSaveFailed = MoaError(0x800407E8);
inline constexpr MoaError kDXErrInvalid = MoaError(0x800407E9);
inline constexpr MoaError kDXErrMediaState = MoaError(0x800407EA);
inline constexpr MoaError kDXErrNotAccepted = MoaError(0x800407EE);

// A 16-byte class or interface identifier, compared byte for byte.
struct MoaID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];

  friend constexpr bool operator==(const MoaID&, const MoaID&) = default;
};
using MoaClassID = MoaID;
using MoaInterfaceID = MoaID;
static_assert(sizeof(MoaID) == 16);

namespace moa_detail {

constexpr std::uint32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return std::uint32_t(c - '0');
  if (c >= 'A' && c <= 'F') return std::uint32_t(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return std::uint32_t(c - 'a' + 10);
  throw "not a hexadecimal digit";
}

constexpr std::uint32_t HexField(const char* text, int digits) {
  std::uint32_t value = 0;
  for (int i = 0; i < digits; ++i) value = value * 16 + HexDigit(text[i]);
  return value;
}

}  // namespace moa_detail

// An identifier from its registry form "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", so that every
// identifier in the code reads exactly as it is published.
consteval MoaID MakeMoaID(const char (&text)[37]) {
  using moa_detail::HexField;
  if (text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
    throw "malformed identifier";
  MoaID id{HexField(text, 8),
           std::uint16_t(HexField(text + 9, 4)),
           std::uint16_t(HexField(text + 14, 4)),
           {}};
  id.Data4[0] = std::uint8_t(HexField(text + 19, 2));
  id.Data4[1] = std::uint8_t(HexField(text + 21, 2));
  for (int i = 0; i < 6; ++i) id.Data4[2 + i] = std::uint8_t(HexField(text + 24 + 2 * i, 2));
  return id;
}

// A host value: 8 opaque bytes, always handled by address. Only the host reads inside.
struct MoaMmValue {
  std::uint32_t Word[2];
};
static_assert(sizeof(MoaMmValue) == 8 && alignof(MoaMmValue) == 4);
