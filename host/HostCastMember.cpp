#include "host/HostCastMember.h"

#include "host/HostSlots.h"

namespace dxhost {

MoaError MOA_CALL THostCastMember::GetProp(MoaMmSymbol property, MoaMmValue* out) {
  if (MoaError fault = faults_.Check(kMemberGetProp)) return fault;
  return properties_.Get(property, out);
}

MoaError MOA_CALL THostCastMember::SetProp(MoaMmSymbol property, const MoaMmValue* value) {
  if (MoaError fault = faults_.Check(kMemberSetProp)) return fault;
  if (!value) return kHostErrBadValue;
  return properties_.Set(property, *value);
}

MoaError MOA_CALL THostCastMember::GetMedia(MoaDrMediaInfo* info) {
  if (MoaError fault = faults_.Check(kMemberGetMedia)) return fault;
  if (!info) return kHostErrBadValue;
  const auto found = media_.find({info->Label, info->Format});
  if (found == media_.end()) return kHostErrNotFound;
  info->Media = handles_.Make(found->second);
  return kMoaOk;
}

MoaError MOA_CALL THostCastMember::SetMedia(const MoaDrMediaInfo* info) {
  if (MoaError fault = faults_.Check(kMemberSetMedia)) return fault;
  if (!info || !handles_.IsLive(info->Media)) return kHostErrBadValue;
  media_[{info->Label, info->Format}] = handles_.BytesOf(info->Media);
  return kMoaOk;
}

void THostCastMember::PutMedia(std::string_view label, std::string_view format,
                               std::string_view bytes) {
  media_[{values_.Intern(label), values_.Intern(format)}] = std::string(bytes);
}

const std::string* THostCastMember::Media(std::string_view label, std::string_view format) {
  const auto found = media_.find({values_.Intern(label), values_.Intern(format)});
  return found == media_.end() ? nullptr : &found->second;
}

void THostCastMember::CopyFrom(const THostCastMember& other) {
  properties_.CopyFrom(other.properties_);
  for (const auto& [key, bytes] : other.media_) media_[key] = bytes;
}

}  // namespace dxhost
