#include "DXClasses/DXDictionary.h"

#include <cstring>

namespace {

constexpr std::uint8_t kTrue = 0xFF;
constexpr std::uint8_t kFalse = 0x00;

}  // namespace

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
  PutString(key.c_str(), value);
}

std::int32_t TDXDictionary::GetInteger(const std::string& key) const {
  MoaLong value = 0;
  dictionary_->Get(kMoaDictInteger, &value, sizeof value, key.c_str());
  return value;
}

void TDXDictionary::SetInteger(const std::string& key, std::int32_t value) {
  PutInteger(key.c_str(), value);
}

MoaError TDXDictionary::PutString(const char* key, const std::string& value) {
  return dictionary_->Put(kMoaDictString, value.c_str(), 0, key);
}

MoaError TDXDictionary::PutInteger(const char* key, std::int32_t value, MoaLong size) {
  const MoaLong stored = value;
  return dictionary_->Put(kMoaDictInteger, &stored, size, key);
}

MoaError TDXDictionary::PutBoolean(const char* key, bool value) {
  const std::uint8_t byte = value ? kTrue : kFalse;
  return dictionary_->Put(kMoaDictBoolean, &byte, 1, key);
}

MoaError TDXDictionary::PutBytes(const char* key, std::string_view bytes) {
  return dictionary_->Put(kMoaDictBytes, bytes.data(), MoaLong(bytes.size()), key);
}
