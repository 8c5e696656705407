#include "host/HostCast.h"

#include "host/HostMovie.h"
#include "host/HostSlots.h"
#include "host/HostText.h"

namespace dxhost {

THostCast::THostCast(THostMovie& movie, std::string path)
    : THostInterface(kIID_IMoaDrCast),
      movie_(movie),
      properties_(movie.Values()),
      path_(std::move(path)) {}

MoaError THostCast::Check(THostSlot operation) {
  return movie_.Faults().Check(operation);
}

MoaError MOA_CALL THostCast::GetProp(MoaMmSymbol property, MoaMmValue* out) {
  if (MoaError fault = Check(kCastGetProp)) return fault;
  return properties_.Get(property, out);
}

MoaError MOA_CALL THostCast::SetProp(MoaMmSymbol property, const MoaMmValue* value) {
  if (MoaError fault = Check(kCastSetProp)) return fault;
  if (!value) return kHostErrBadValue;
  return properties_.Set(property, *value);
}

MoaError MOA_CALL THostCast::GetIndex(IMoaDrMovie* movie, MoaLong* index) {
  if (MoaError fault = Check(kCastGetIndex)) return fault;
  if (!index) return kHostErrBadValue;
  if (movie != &movie_) return kHostErrNotFound;
  *index = movie_.IndexOf(*this);
  return kMoaOk;
}

MoaError MOA_CALL THostCast::FirstUsedMember(MoaLong* number) {
  if (MoaError fault = Check(kCastFirstUsedMember)) return fault;
  if (!number) return kHostErrBadValue;
  if (members_.empty()) return kHostErrNotFound;
  *number = members_.begin()->first;
  return kMoaOk;
}

MoaError MOA_CALL THostCast::NextUsedMember(MoaLong after, MoaLong* number) {
  if (MoaError fault = Check(kCastNextUsedMember)) return fault;
  if (!number) return kHostErrBadValue;
  const auto next = members_.upper_bound(after);
  if (next == members_.end()) return kHostErrNotFound;
  *number = next->first;
  return kMoaOk;
}

MoaError MOA_CALL THostCast::LastUsedMember(MoaLong* number) {
  if (MoaError fault = Check(kCastLastUsedMember)) return fault;
  if (!number) return kHostErrBadValue;
  if (members_.empty()) return kHostErrNotFound;
  *number = members_.rbegin()->first;
  return kMoaOk;
}

MoaError MOA_CALL THostCast::FirstFreeMember(MoaLong* number) {
  if (MoaError fault = Check(kCastFirstFreeMember)) return fault;
  if (!number) return kHostErrBadValue;
  for (MoaLong n = 1; n <= kCapacity; ++n)
    if (!members_.count(n)) {
      *number = n;
      return kMoaOk;
    }
  return kHostErrNotFound;
}

MoaError MOA_CALL THostCast::NextFreeMember(MoaLong after, MoaLong* number) {
  if (MoaError fault = Check(kCastNextFreeMember)) return fault;
  if (!number) return kHostErrBadValue;
  for (MoaLong n = after + 1; n <= kCapacity; ++n)
    if (!members_.count(n)) {
      *number = n;
      return kMoaOk;
    }
  return kHostErrNotFound;
}

MoaError MOA_CALL THostCast::LastFreeMember(MoaLong* number) {
  if (MoaError fault = Check(kCastLastFreeMember)) return fault;
  if (!number) return kHostErrBadValue;
  for (MoaLong n = kCapacity; n >= 1; --n)
    if (!members_.count(n)) {
      *number = n;
      return kMoaOk;
    }
  return kHostErrNotFound;
}

MoaError MOA_CALL THostCast::MemberNumberOfName(const char* name, MoaLong* number) {
  if (MoaError fault = Check(kCastMemberNumberOfName)) return fault;
  if (!name || !number) return kHostErrBadValue;
  *number = NumberNamed(name);
  return *number > 0 ? kMoaOk : kHostErrNotFound;
}

MoaError MOA_CALL THostCast::CreateMember(MoaLong number, MoaMmSymbol type) {
  if (MoaError fault = Check(kCastCreateMember)) return fault;
  if (number < 1 || number > kCapacity || members_.count(number)) return kHostErrBadValue;
  const std::string* typeName = movie_.Values().SymbolName(type);
  if (!typeName) return kHostErrBadValue;
  THostCastMember& member = AddMember(number, "");
  member.Properties().Set("type", movie_.Values().Symbol(*typeName));
  return kMoaOk;
}

MoaError MOA_CALL THostCast::DeleteMember(MoaLong number) {
  if (MoaError fault = Check(kCastDeleteMember)) return fault;
  if (!members_.count(number)) return kHostErrNotFound;
  Retire(number);
  return kMoaOk;
}

MoaError MOA_CALL THostCast::AssignMember(MoaLong number, IMoaDrCastMem* source, MoaLong flag) {
  if (MoaError fault = Check(kCastAssignMember)) return fault;
  THostCastMember* from = movie_.FindMember(source);
  if (!from || number < 1 || number > kCapacity) return kHostErrBadValue;
  THostCastMember& to = AddMember(number, "");
  to.CopyFrom(*from);
  movie_.Record("assignMember " + std::to_string(movie_.IndexOf(*this)) + " " +
                std::to_string(number) + " flag " + std::to_string(flag));
  return kMoaOk;
}

MoaError MOA_CALL THostCast::CastCommand(const char* text) {
  if (MoaError fault = Check(kCastCastCommand)) return fault;
  if (!text) return kHostErrBadValue;
  movie_.Record("castCommand " + std::to_string(movie_.IndexOf(*this)) + " " + text);
  return kMoaOk;
}

THostCastMember& THostCast::AddMember(MoaLong number, std::string_view name) {
  if (members_.count(number)) Retire(number);
  auto member =
      std::make_unique<THostCastMember>(movie_.Values(), movie_.Faults(), movie_.Handles());
  if (!name.empty()) member->Properties().SetName(name);
  THostCastMember& added = *member;
  members_[number] = std::move(member);
  return added;
}

THostCastMember* THostCast::Member(MoaLong number) {
  const auto found = members_.find(number);
  return found == members_.end() ? nullptr : found->second.get();
}

MoaLong THostCast::NumberNamed(std::string_view name) const {
  for (const auto& [number, member] : members_)
    if (SameName(member->Properties().Name(), name)) return number;
  return 0;
}

MoaLong THostCast::NumberOf(const IMoaDrCastMem* member) const {
  for (const auto& [number, held] : members_)
    if (held.get() == member) return number;
  return 0;
}

void THostCast::Retire(MoaLong number) {
  const auto found = members_.find(number);
  found->second->Properties().Clear();
  retired_.push_back(std::move(found->second));
  members_.erase(found);
}

int THostCast::OutstandingAll() const {
  int outstanding = Outstanding();
  for (const auto& [number, member] : members_) outstanding += member->Outstanding();
  for (const auto& member : retired_) outstanding += member->Outstanding();
  return outstanding;
}

void THostCast::CollectHolders(THostProperties::THolders& holders) const {
  properties_.CollectHolders(holders);
  for (const auto& [number, member] : members_) member->Properties().CollectHolders(holders);
}

}  // namespace dxhost
