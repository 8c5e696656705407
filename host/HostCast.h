#pragma once

// A cast of the host's movie: its members by number (1 to kCapacity), its properties, and the
// commands it received (in the movie's log).

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/HostCastMember.h"

namespace dxhost {

class THostMovie;

class THostCast final : public THostInterface<IMoaDrCast> {
 public:
  static constexpr MoaLong kCapacity = 1000;

  THostCast(THostMovie& movie, std::string path);

  MoaError MOA_CALL GetProp(MoaMmSymbol property, MoaMmValue* out) override;
  MoaError MOA_CALL SetProp(MoaMmSymbol property, const MoaMmValue* value) override;
  MoaError MOA_CALL GetIndex(IMoaDrMovie* movie, MoaLong* index) override;
  MoaError MOA_CALL FirstUsedMember(MoaLong* number) override;
  MoaError MOA_CALL NextUsedMember(MoaLong after, MoaLong* number) override;
  MoaError MOA_CALL LastUsedMember(MoaLong* number) override;
  MoaError MOA_CALL FirstFreeMember(MoaLong* number) override;
  MoaError MOA_CALL NextFreeMember(MoaLong after, MoaLong* number) override;
  MoaError MOA_CALL LastFreeMember(MoaLong* number) override;
  MoaError MOA_CALL MemberNumberOfName(const char* name, MoaLong* number) override;
  HOST_UNUSED_SLOT(13)
  MoaError MOA_CALL CreateMember(MoaLong number, MoaMmSymbol type) override;
  MoaError MOA_CALL DeleteMember(MoaLong number) override;
  MoaError MOA_CALL AssignMember(MoaLong number, IMoaDrCastMem* source, MoaLong flag) override;
  MoaError MOA_CALL CastCommand(const char* text) override;

  THostProperties& Properties() { return properties_; }
  const THostProperties& Properties() const { return properties_; }
  const std::string& Path() const { return path_; }
  // A new member (replacing one of that number) with a name.
  THostCastMember& AddMember(MoaLong number, std::string_view name);
  THostCastMember* Member(MoaLong number);
  // The number of the member of that name (without regard to case), or 0.
  MoaLong NumberNamed(std::string_view name) const;
  // The number of one of this cast's members, or 0.
  MoaLong NumberOf(const IMoaDrCastMem* member) const;
  // References handed out by the cast and its members, deleted ones included.
  int OutstandingAll() const;
  // The values the cast's and its members' properties keep (see THostProperties).
  void CollectHolders(THostProperties::THolders& holders) const;

 private:
  MoaError Check(THostSlot operation);
  // A deleted or replaced member stays until the host goes: a module may still hold it.
  void Retire(MoaLong number);

  THostMovie& movie_;
  THostProperties properties_;
  std::string path_;
  std::map<MoaLong, std::unique_ptr<THostCastMember>> members_;
  std::vector<std::unique_ptr<THostCastMember>> retired_;
};

}  // namespace dxhost
