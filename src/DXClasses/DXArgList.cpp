#include "DXClasses/DXArgList.h"

Ref<IDXValue> TDXArgList::Item(std::int32_t index) const {
  if (index < 0 || index >= Count()) return outside_.emplace_back(MakeRef<TDXValue>());
  return items_[std::size_t(index)];
}

void TDXArgList::Clear() {
  for (Ref<TDXValue>& item : items_) {
    if (item->RefCount() != 1) continue;
    item->Reset();
    spare_.push_back(std::move(item));
  }
  items_.clear();
  outside_.clear();
}

TDXValue& TDXArgList::Append() {
  if (spare_.empty()) {
    items_.push_back(MakeRef<TDXValue>());
  } else {
    items_.push_back(std::move(spare_.back()));
    spare_.pop_back();
  }
  return *items_.back();
}

void TDXArgList::LoadFromCall(IMoaMmValue& values, const MoaMmValue* args, std::int32_t first,
                              std::int32_t end) {
  Clear();
  if (!args || end <= first) return;
  items_.reserve(std::size_t(end - first));
  for (std::int32_t k = first; k < end; ++k) Append().ReadFromHost(values, args[k]);
}

void TDXArgList::StoreToCall(IMoaMmValue& values, MoaMmValue* args, std::int32_t first,
                             std::int32_t count) const {
  if (!args) return;
  for (std::int32_t k = 0; k < count && k < Count(); ++k)
    items_[std::size_t(k)]->WriteToHost(values, args[first + k]);
}
