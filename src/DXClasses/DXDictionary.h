#pragma once

// TDXDictionary: a host registry dictionary in terms of strings and integers, and the typed
// puts that registration checks one by one.

#include <string_view>

#include "DXClasses/DXInterfaces.h"
#include "DXInt/MoaRegistry.h"

class TDXDictionary final : public IDXDictionary {
 public:
  // Holds one reference of its own to the host dictionary.
  explicit TDXDictionary(Ref<IMoaDict> dictionary) : dictionary_(std::move(dictionary)) {}

  bool HasKey(const std::string& key) const override;
  std::string GetString(const std::string& key) const override;
  void SetString(const std::string& key, const std::string& value) override;
  std::int32_t GetInteger(const std::string& key) const override;
  void SetInteger(const std::string& key, std::int32_t value) override;

  // ---- Puts with the host's answer.
  // A zero-terminated string, put with size 0.
  MoaError PutString(const char* key, const std::string& value);
  // A 32-bit integer put with the given size (4, or 0 for the host to take its type's size).
  MoaError PutInteger(const char* key, std::int32_t value, MoaLong size = 4);
  // A Boolean byte: 0xFF or 0x00.
  MoaError PutBoolean(const char* key, bool value);
  // Raw bytes of their own size.
  MoaError PutBytes(const char* key, std::string_view bytes);

 private:
  Ref<IMoaDict> dictionary_;
};
