#pragma once

// TDXCastMember: a cast member of the host's movie for Xtra code; TDXCastMemberMedia: its
// media.

#include "DXClasses/DXClass.h"
#include "DXClasses/DXHostObjects.h"

class TDXCastMember final : public IDXCastMember {
 public:
  // Holds one reference of its own to the host member; lives no longer than its owner.
  TDXCastMember(TDXClass& owner, Ref<IMoaDrCastMem> member, const TDXMemberRef& ref)
      : owner_(owner), member_(std::move(member)), ref_(ref) {}

  Ref<IDXValue> GetProp(MoaMmSymbol property) const override;
  bool SetProp(MoaMmSymbol property, const IDXValue& value) override;
  std::string GetName() const override;
  void SetName(const std::string& name) override;
  TDXMemberRef MemberRef() const override { return ref_; }
  Ref<IDXCastMemberMedia> Media() override;
  TDXCastMember& MemberObject() override { return *this; }

  IMoaDrCastMem& HostMember() const { return *member_; }

 private:
  TDXClass& owner_;
  Ref<IMoaDrCastMem> member_;
  TDXMemberRef ref_;
};

class TDXCastMemberMedia final : public IDXCastMemberMedia {
 public:
  TDXCastMemberMedia(TDXClass& owner, Ref<IMoaDrCastMem> member)
      : owner_(owner), member_(std::move(member)) {}

  bool GetMedia(MoaMmSymbol label, MoaMmSymbol format, MoaHandle& media) override;
  bool SetMedia(MoaMmSymbol label, MoaMmSymbol format, MoaHandle media) override;
  bool GetComposite(MoaHandle& media) override;
  bool SetComposite(MoaHandle media) override;
  bool GetBytes(std::string_view label, std::string& bytes) override;
  bool SetBytes(std::string_view label, std::string_view bytes) override;
  std::string GetText() override;
  bool SetText(std::string_view text) override;
  bool GetImage(TDXBitmap& image) override;
  bool SetImage(const TDXBitmap& image) override;

 private:
  MoaMmSymbol Symbol(std::string_view name) const;
  // The media (label, format) copied out of its handle, or into a new one.
  bool ReadBytes(std::string_view label, std::string_view format, std::string& bytes);
  bool WriteBytes(std::string_view label, std::string_view format, std::string_view bytes);

  TDXClass& owner_;
  Ref<IMoaDrCastMem> member_;
};
