#pragma once

// TDXDictionary: a host registry dictionary in terms of strings and integers.

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

 private:
  Ref<IMoaDict> dictionary_;
};
