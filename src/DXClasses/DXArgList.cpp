#include "DXClasses/DXArgList.h"

Ref<IDXValue> TDXArgList::Item(std::int32_t index) const {
  if (index < 0 || index >= Count()) return outside_.emplace_back(MakeRef<TDXValue>());
  return items_[std::size_t(index)];
}

void TDXArgList::Clear() {
  for (std::int32_t k = 0; k < count_; ++k) {
    Ref<TDXValue>& item = items_[std::size_t(k)];
    if (!item->HeldBeyond(1)) {
      item->Reset();
    } else {
      item.Reset();
    }
  }
  count_ = 0;
  outside_.clear();
}

TDXValue& TDXArgList::Append() {
  const std::size_t at = std::size_t(count_);
  if (at == items_.size()) items_.emplace_back();
  Ref<TDXValue>& item = items_[at];
  if (!item) item = MakeRef<TDXValue>();
  ++count_;
  return *item;
}

void TDXArgList::LoadFromCall(IMoaMmValue& values, const MoaMmValue* args, std::int32_t first,
                              std::int32_t end) {
  Clear();
  if (!args || end <= first) return;
  for (std::int32_t k = first; k < end; ++k) Append().ReadFromHost(values, args[k]);
}

void TDXArgList::StoreToCall(IMoaMmValue& values, MoaMmValue* args, std::int32_t first,
                             std::int32_t count) const {
  if (!args) return;
  for (std::int32_t k = 0; k < count && k < Count(); ++k)
    items_[std::size_t(k)]->WriteToHost(values, args[first + k]);
}
