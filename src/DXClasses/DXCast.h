#pragma once

// TDXCast: a cast of the host's movie for Xtra code.

#include "DXClasses/DXClass.h"
#include "DXClasses/DXHostObjects.h"

class TDXCast final : public IDXCast {
 public:
  // Holds one reference of its own to the host cast; lives no longer than its owner.
  TDXCast(TDXClass& owner, Ref<IMoaDrCast> cast) : owner_(owner), cast_(std::move(cast)) {}

  Ref<IDXValue> GetProp(MoaMmSymbol property) const override;
  bool SetProp(MoaMmSymbol property, const IDXValue& value) override;
  std::int32_t CastIndex() const override;
  std::string GetName() const override;
  void SetName(const std::string& name) override;
  Ref<IDXCastMember> GetMember(std::int32_t number) override;
  Ref<IDXCastMember> GetMemberByName(const std::string& name) override;
  std::int32_t QueryMemberNumberA(std::int32_t n) const override;
  std::int32_t QueryMemberNumberB(std::int32_t n) const override;
  std::int32_t MemberNumberOfName(const std::string& name) const override;
  Ref<IDXCastMember> CreateMember(std::int32_t number, MoaMmSymbol type) override;
  bool DeleteMember(std::int32_t number) override;
  bool AssignMember(std::int32_t number, IDXCastMember& source, Ref<IDXCastMember>& assigned,
                    std::int32_t flag) override;
  bool CastCommand(const std::string& text) override;
  TDXCast& CastObject() override { return *this; }

  IMoaDrCast& HostCast() const { return *cast_; }

 private:
  using TEnd = MoaError (MOA_CALL IMoaDrCast::*)(MoaLong*);
  using TNext = MoaError (MOA_CALL IMoaDrCast::*)(MoaLong, MoaLong*);

  // For n = 0 the host's first number, for n > 0 its next after n, for n < 0 its last.
  std::int32_t QueryMemberNumber(std::int32_t n, TEnd first, TNext next, TEnd last) const;

  TDXClass& owner_;
  Ref<IMoaDrCast> cast_;
};
