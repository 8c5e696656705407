#include "host/HostFaults.h"

#include <algorithm>

namespace dxhost {

void THostFaults::Fail(THostSlot operation, MoaError code, int skip, int times, std::string key) {
  rules_.push_back({operation, code, skip, times, std::move(key)});
}

void THostFaults::FailAfterWork(THostSlot operation, MoaError code) {
  afterWork_.emplace_back(operation, code);
}

MoaError THostFaults::AfterWork(THostSlot operation, MoaError result) const {
  if (result != kMoaOk) return result;
  for (const auto& [failing, code] : afterWork_)
    if (failing == operation) return code;
  return kMoaOk;
}

void THostFaults::FailCall(long long nth, MoaError code) {
  failCall_ = nth > 0 ? allCalls_ + nth : 0;
  failCallCode_ = code;
}

void THostFaults::Refuse(const MoaInterfaceID& iid) {
  refused_.push_back(iid);
}

void THostFaults::Clear() {
  rules_.clear();
  afterWork_.clear();
  refused_.clear();
  failCall_ = 0;
}

MoaError THostFaults::CheckRules(THostSlot operation, std::string_view key) {
  for (TRule& rule : rules_) {
    if (rule.Operation != operation) continue;
    if (!rule.Key.empty() && rule.Key != key) continue;
    if (rule.Skip > 0) {
      --rule.Skip;
      continue;
    }
    if (rule.Times == 0) continue;
    if (rule.Times > 0) --rule.Times;
    return rule.Code;
  }
  return kMoaOk;
}

int THostFaults::Calls(THostSlot operation) const {
  const int slot = operation.Slot;
  return (slot >= 0 && slot < kSlots) ? calls_[int(operation.Service)][slot] : 0;
}

bool THostFaults::Refused(const MoaInterfaceID& iid) const {
  if (refused_.empty()) return false;
  return std::find(refused_.begin(), refused_.end(), iid) != refused_.end();
}

}  // namespace dxhost
