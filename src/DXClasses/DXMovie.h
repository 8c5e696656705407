#pragma once

// TDXMovie: the host's active movie for Xtra code.

#include "DXClasses/DXClass.h"
#include "DXClasses/DXHostObjects.h"

class TDXMovie final : public IDXMovie {
 public:
  // Holds one reference of its own to the host movie; lives no longer than its owner.
  TDXMovie(TDXClass& owner, Ref<IMoaDrMovie> movie) : owner_(owner), movie_(std::move(movie)) {}

  Ref<IDXValue> GetProp(MoaMmSymbol property) const override;
  bool SetProp(MoaMmSymbol property, const IDXValue& value) override;
  std::int32_t GetFrame() const override;
  void SetFrame(std::int32_t frame) override;
  std::int32_t NumberOfName(const std::string& name) const override;
  std::string NameOfNumber(std::int32_t number) const override;
  Ref<IDXValue> CallHandler(MoaMmSymbol handler, const IDXArgList& args) override;
  Ref<IDXValue> CallHandlerFor(std::int32_t target, MoaMmSymbol handler,
                               const IDXArgList& args) override;
  Ref<IDXCast> GetCast(std::int32_t index) override;
  Ref<IDXCast> GetCastByName(const std::string& name) override;
  std::int32_t CastCount() const override;
  Ref<IDXCastMember> GetMember(const TDXMemberRef& member) override;
  Ref<IDXCastMember> GetMemberByName(const std::string& name) override;
  bool MovieCommand(std::int32_t command, std::int32_t argument) override;
  Ref<IDXCast> CastOfName(const std::string& name, bool flag) override;
  Ref<IDXCast> CastOfNameAndPath(const std::string& name, const std::string& path) override;
  bool CastIndexCommand(std::int32_t index) override;
  TDXMovie& MovieObject() override { return *this; }

  IMoaDrMovie& HostMovie() const { return *movie_; }

 private:
  Ref<IDXCast> WrapCast(IMoaDrCast* cast);

  TDXClass& owner_;
  Ref<IMoaDrMovie> movie_;
};
