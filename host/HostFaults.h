#pragma once

// Failures a test injects into the host's services: an operation answers an error code (the
// allocator: returns nothing) instead of doing its work.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "DXInt/MoaTypes.h"
#include "host/HostErrors.h"

namespace dxhost {

enum class THostService {
  HostServices,  // slot 0: the query for a service
  Allocator,
  Values,
  Lists,
  Colors,
  Pairs,
  Registry,
  Dictionary,
  AppInfo,
  Utility,
  Player,
  Messages,
  Movie,
  Cast,
  Member,
  Handles,
  Stream,
  AssetCallback,
};

// One operation of a service: its slot in the service's interface. HostSlots.h names them.
struct THostSlot {
  THostService Service;
  int Slot;

  friend bool operator==(const THostSlot&, const THostSlot&) = default;
};

class THostFaults {
 public:
  // The operation fails with code, after skip calls that succeed, times times (-1: from then
  // on). With a key, only calls about that key count (a dictionary key, or the name of a
  // symbol).
  void Fail(THostSlot operation, MoaError code = kHostErrInjected, int skip = 0, int times = -1,
            std::string key = {});
  // The operation does its work, handing out what it makes, and answers code all the same, as
  // a faulty host may: the caller must still give back what it was handed. Only the operations
  // that hand out interfaces look at these (HostSlots.h names them).
  void FailAfterWork(THostSlot operation, MoaError code = kHostErrInjected);
  // The nth call from now into any operation of any service fails with code (the allocator:
  // returns nothing); the calls before and after it do their work. A test that fails every
  // call of a script in turn counts them first with AllCalls.
  void FailCall(long long nth, MoaError code = kHostErrInjected);
  // The host services answer no interface iid.
  void Refuse(const MoaInterfaceID& iid);
  void Clear();

  // The code a call must answer, or 0 when it should do its work. Every call is counted.
  MoaError Check(THostSlot operation, std::string_view key = {}) {
    if (operation.Slot >= 0 && operation.Slot < kSlots)
      ++calls_[int(operation.Service)][operation.Slot];
    if (++allCalls_ == failCall_) return failCallCode_;
    return rules_.empty() ? kMoaOk : CheckRules(operation, key);
  }
  bool Refused(const MoaInterfaceID& iid) const;
  // The code an operation that did its work answers: result, or the code of FailAfterWork.
  MoaError AfterWork(THostSlot operation, MoaError result) const;

  // How often the operation was called since the host was made.
  int Calls(THostSlot operation) const;
  // How many calls all services had since the host was made.
  long long AllCalls() const { return allCalls_; }

 private:
  struct TRule {
    THostSlot Operation;
    MoaError Code;
    int Skip;
    int Times;
    std::string Key;
  };

  static constexpr int kServices = int(THostService::AssetCallback) + 1;
  static constexpr int kSlots = 32;

  MoaError CheckRules(THostSlot operation, std::string_view key);

  std::vector<TRule> rules_;
  std::vector<std::pair<THostSlot, MoaError>> afterWork_;
  int calls_[kServices][kSlots] = {};
  std::vector<MoaInterfaceID> refused_;
  long long allCalls_ = 0;
  long long failCall_ = 0;  // the number of the call to fail; 0: none
  MoaError failCallCode_ = kMoaOk;
};

}  // namespace dxhost
