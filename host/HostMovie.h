#pragma once

// The host's movie: its properties (the frame among them), casts, frame labels, movie handlers
// that tests define, and a log of the commands it and its casts received.

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/HostCast.h"

namespace dxhost {

// A movie handler: the arguments as the module passed them, the result with one reference.
using THostHandler = std::function<THostValue(std::span<const MoaMmValue> args)>;

class THostMovie final : public THostInterface<IMoaDrMovie> {
 public:
  THostMovie(THostValues& values, THostFaults& faults, THostHandles& handles);

  MoaError MOA_CALL GetProp(MoaMmSymbol property, MoaMmValue* out) override;
  MoaError MOA_CALL SetProp(MoaMmSymbol property, const MoaMmValue* value) override;
  HOST_UNUSED_SLOT(5)
  HOST_UNUSED_SLOT(6)
  HOST_UNUSED_SLOT(7)
  MoaError MOA_CALL CallHandler(MoaMmSymbol handler, MoaLong count, MoaMmValue* args,
                                MoaMmValue* result) override;
  MoaError MOA_CALL GetCastCount(MoaLong* count) override;
  MoaError MOA_CALL GetNthCast(MoaLong index, IMoaDrCast** cast) override;
  MoaError MOA_CALL GetCastFromName(const char* name, IMoaDrCast** cast) override;
  HOST_UNUSED_SLOT(12)
  MoaError MOA_CALL GetCastIndexFromName(const char* name, MoaLong flag, MoaLong* index) override;
  MoaError MOA_CALL GetCastIndexFromNameAndPath(const char* name, const char* path,
                                                MoaLong* index) override;
  MoaError MOA_CALL CastIndexCommand(MoaLong index) override;
  MoaError MOA_CALL GetMemberRefFromName(const char* name, MoaDrMemberRef* ref) override;
  MoaError MOA_CALL GetMemberFromRef(const MoaDrMemberRef* ref, IMoaDrCastMem** member) override;
  HOST_UNUSED_SLOT(18)
  HOST_UNUSED_SLOT(19)
  HOST_UNUSED_SLOT(20)
  MoaError MOA_CALL NumberOfName(const char* name, MoaLong* number) override;
  MoaError MOA_CALL NameOfNumber(MoaLong number, char* buffer, MoaLong size) override;
  HOST_UNUSED_SLOT(23)
  HOST_UNUSED_SLOT(24)
  HOST_UNUSED_SLOT(25)
  MoaError MOA_CALL CallHandlerFor(MoaLong target, MoaMmSymbol handler, MoaLong count,
                                   MoaMmValue* args, MoaMmValue* result, MoaLong* handled) override;

  // ---- The movie's content, for tests.
  THostCast& AddCast(std::string_view name, std::string path = {});
  // Casts count from 1; null outside.
  THostCast* Cast(MoaLong index);
  MoaLong IndexOf(const THostCast& cast) const;
  void DefineHandler(std::string_view name, THostHandler handler);
  void SetLabel(std::string_view name, MoaLong frame);
  THostProperties& Properties() { return properties_; }
  MoaLong Frame();
  // A member of any cast, by its interface.
  THostCastMember* FindMember(const IMoaDrCastMem* member);

  // Commands received, in order, one line each.
  const std::vector<std::string>& Log() const { return log_; }
  void Record(std::string line) { log_.push_back(std::move(line)); }

  THostValues& Values() { return values_; }
  THostFaults& Faults() { return faults_; }
  THostHandles& Handles() { return handles_; }
  // References handed out by the movie, its command interface, its casts and members, and those
  // others hold to the values of their properties.
  int OutstandingAll() const;
  // The values the properties of the movie, its casts and members keep alive.
  std::size_t HeldValues() const { return Holders().size(); }

 protected:
  IMoaUnknown* FindOther(const MoaInterfaceID& iid) override;

 private:
  class TCommands final : public THostInterface<IMoaDrMovie2> {
   public:
    explicit TCommands(THostMovie& movie) : THostInterface(kIID_IMoaDrMovie2), movie_(movie) {}
    HOST_UNUSED_SLOT(3)
    HOST_UNUSED_SLOT(4)
    HOST_UNUSED_SLOT(5)
    HOST_UNUSED_SLOT(6)
    HOST_UNUSED_SLOT(7)
    HOST_UNUSED_SLOT(8)
    HOST_UNUSED_SLOT(9)
    HOST_UNUSED_SLOT(10)
    HOST_UNUSED_SLOT(11)
    HOST_UNUSED_SLOT(12)
    HOST_UNUSED_SLOT(13)
    HOST_UNUSED_SLOT(14)
    HOST_UNUSED_SLOT(15)
    HOST_UNUSED_SLOT(16)
    HOST_UNUSED_SLOT(17)
    HOST_UNUSED_SLOT(18)
    HOST_UNUSED_SLOT(19)
    HOST_UNUSED_SLOT(20)
    HOST_UNUSED_SLOT(21)
    HOST_UNUSED_SLOT(22)
    HOST_UNUSED_SLOT(23)
    HOST_UNUSED_SLOT(24)
    HOST_UNUSED_SLOT(25)
    HOST_UNUSED_SLOT(26)
    HOST_UNUSED_SLOT(27)
    HOST_UNUSED_SLOT(28)
    MoaError MOA_CALL MovieCommand(MoaLong command, MoaLong argument) override;

   private:
    THostMovie& movie_;
  };

  MoaError Check(THostSlot operation) { return faults_.Check(operation); }
  // The number of the cast of that name (names compare without regard to case), or 0.
  MoaLong CastNumber(std::string_view name, const char* path = nullptr) const;
  MoaError HandOut(MoaLong index, IMoaDrCast** cast);
  THostProperties::THolders Holders() const;
  // References to held values besides the holds of the properties and lists themselves.
  int ForeignReferences() const;

  THostValues& values_;
  THostFaults& faults_;
  THostHandles& handles_;
  THostProperties properties_;
  TCommands commands_;
  std::vector<std::unique_ptr<THostCast>> casts_;
  std::map<std::string, std::pair<std::string, MoaLong>> labels_;  // by lower-case name
  std::map<MoaMmSymbol, THostHandler> handlers_;
  std::vector<std::string> log_;
};

}  // namespace dxhost
