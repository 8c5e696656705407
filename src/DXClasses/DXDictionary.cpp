#include "DXClasses/DXDictionary.h"

#include <cstring>

bool TDXDictionary::HasKey(const std::string& key) const {
  return dictionary_->GetEntryInfo(nullptr, nullptr, key.c_str()) == kMoaOk;
}

std::string TDXDictionary::GetString(const std::string& key) const {
  MoaLong size = 0;
  if (dictionary_->GetEntryInfo(nullptr, &size, key.c_str()) != kMoaOk || size <= 0) return {};
  std::string text(std::size_t(size - 1), '\0');
  if (size > 1) dictionary_->Get(kMoaDictString, text.data(), size, key.c_str());
  text.resize(std::strlen(text.c_str()));
  return text;
}

void TDXDictionary::SetString(const std::string& key, const std::string& value) {
  dictionary_->Put(kMoaDictString, value.c_str(), 0, key.c_str());
}

std::int32_t TDXDictionary::GetInteger(const std::string& key) const {
  MoaLong value = 0;
  dictionary_->Get(kMoaDictInteger, &value, sizeof value, key.c_str());
  return value;
}

void TDXDictionary::SetInteger(const std::string& key, std::int32_t value) {
  dictionary_->Put(kMoaDictInteger, &value, sizeof value, key.c_str());
}
