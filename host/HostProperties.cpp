#include "host/HostProperties.h"

#include "host/HostErrors.h"

namespace dxhost {

MoaError THostProperties::Get(MoaMmSymbol property, MoaMmValue* out) {
  if (!out) return kHostErrBadValue;
  const auto found = properties_.find(property);
  if (found == properties_.end()) return kHostErrNotFound;
  *out = found->second;
  values_.AddRef(*out);
  return kMoaOk;
}

MoaError THostProperties::Set(MoaMmSymbol property, const MoaMmValue& value) {
  if (!values_.AddRef(value)) return kHostErrBadValue;
  auto [found, added] = properties_.emplace(property, value);
  if (!added) {
    values_.Release(found->second);
    found->second = value;
  }
  return kMoaOk;
}

void THostProperties::Set(std::string_view name, const THostValue& value) {
  Set(values_.Intern(name), value.Raw());
}

std::string THostProperties::Name() {
  const auto found = properties_.find(values_.Intern("Name"));
  if (found == properties_.end()) return {};
  if (values_.TypeOf(found->second) != kMoaValueString) return {};
  return values_.Find(found->second)->Text;
}

void THostProperties::SetName(std::string_view name) {
  Set("Name", values_.String(name));
}

void THostProperties::CopyFrom(const THostProperties& other) {
  for (const auto& [property, value] : other.properties_) Set(property, value);
}

void THostProperties::CollectHolders(THolders& holders) const {
  for (const auto& [property, value] : properties_) Hold(value, holders);
}

void THostProperties::Hold(const MoaMmValue& value, THolders& holders) const {
  const THostBox* box = values_.Find(value);
  if (!box) return;
  auto& [held, count] = holders[value.Word[1]];
  held = value;
  if (++count > 1) return;  // its content is counted already
  for (const MoaMmValue& item : box->Items) Hold(item, holders);
  for (const MoaMmValue& name : box->Names) Hold(name, holders);
}

void THostProperties::Clear() {
  for (auto& [property, value] : properties_) values_.Release(value);
  properties_.clear();
}

}  // namespace dxhost
