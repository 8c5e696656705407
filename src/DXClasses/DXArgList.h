#pragma once

// TDXArgList: the arguments of one Lingo call, or a list of values Xtra code builds.

#include <vector>

#include "DXClasses/DXValue.h"

class TDXArgList final : public IDXArgList {
 public:
  TDXArgList() = default;

  std::int32_t Count() const override { return count_; }
  Ref<IDXValue> Item(std::int32_t index) const override;
  // Drops every item; values nobody else holds are kept, as new, for the next ones.
  void Clear() override;
  void AddInteger(std::int32_t value) override { Append().SetAsInteger(value); }
  void AddFloat(double value) override { Append().SetAsFloat(value); }
  void AddString(std::string_view value) override { Append().SetAsString(value); }
  void AddPoint(const TDXPoint& value) override { Append().SetAsPoint(value); }
  void AddRect(const TDXRect& value) override { Append().SetAsRect(value); }
  void AddColor(std::uint32_t value) override { Append().SetAsColor(value); }
  void AddSymbol(MoaMmSymbol value) override { Append().SetAsSymbol(value); }
  void AddPair(const TDXPair& value) override { Append().SetAsPair(value); }
  void AddList(Ref<IDXList> value) override { Append().SetAsList(std::move(value)); }
  void AddPropertyList(Ref<IDXPropertyList> value) override {
    Append().SetAsPropertyList(std::move(value));
  }

  // Replaces the items with the host arguments first to end-1 (end excluded).
  void LoadFromCall(IMoaMmValue& values, const MoaMmValue* args, std::int32_t first,
                    std::int32_t end);
  // Writes items 0 to count-1 into the host arguments first to first+count-1.
  void StoreToCall(IMoaMmValue& values, MoaMmValue* args, std::int32_t first,
                   std::int32_t count) const;

 private:
  TDXValue& Append();

  // Items 0 to count_-1 are the list; those after them, cleared, wait to be used again (an
  // empty place where the value was still held elsewhere when the list was cleared).
  std::vector<Ref<TDXValue>> items_;
  std::int32_t count_ = 0;
  // The void values handed out for positions outside the list, kept as long as the list, so
  // that what a method reads from them (AsString gives a reference) stays valid meanwhile.
  mutable std::vector<Ref<TDXValue>> outside_;
};
