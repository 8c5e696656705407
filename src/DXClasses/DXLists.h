#pragma once

// Wrappers of host lists. The list stays inside the host; a wrapper holds one host reference to
// it and forwards every element access to the host's list service, adding 1 to positions.

#include "DXClasses/DXInterfaces.h"
#include "DXInt/MoaValueServices.h"

// The host list a wrapper holds and the host calls on it; the counted object is the wrapper.
class TDXBaseList {
 public:
  TDXBaseList(const TDXBaseList&) = delete;
  TDXBaseList& operator=(const TDXBaseList&) = delete;

  // The host value of the list: its reference stays with the wrapper.
  const MoaMmValue& HostList() const { return hostList_; }
  // False when the host refused the list (no reference taken, or no new list made).
  bool HoldsHostList() const { return holdsHostList_; }

 protected:
  // Wraps an existing host list, taking a host reference of its own.
  TDXBaseList(Ref<IMoaMmValue> values, const MoaMmValue& hostList);
  // A new, empty host property list.
  explicit TDXBaseList(Ref<IMoaMmValue> values);
  ~TDXBaseList();

  std::int32_t CountItems() const;
  Ref<IDXValue> ItemAt(std::int32_t index) const;
  void SetItemAt(std::int32_t index, const IDXValue& value);
  void Append(const IDXValue& value);
  Ref<IDXValue> PropertyValue(MoaMmSymbol property) const;
  void SetPropertyValue(MoaMmSymbol property, const IDXValue& value);
  MoaMmSymbol NameToSymbol(const std::string& name) const;
  std::string PropertyNameAt(std::int32_t index) const;

 private:
  Ref<IMoaMmValue> values_;
  Ref<IMoaMmList> lists_;
  MoaMmValue hostList_{};
  bool holdsHostList_ = false;
};

class TDXList final : public TDXBaseList, public IDXList {
 public:
  TDXList(Ref<IMoaMmValue> values, const MoaMmValue& hostList)
      : TDXBaseList(std::move(values), hostList) {}

  std::int32_t Count() const override { return CountItems(); }
  Ref<IDXValue> GetItem(std::int32_t index) const override { return ItemAt(index); }
  void SetItem(std::int32_t index, const IDXValue& value) override { SetItemAt(index, value); }
  TDXBaseList& ListObject() override { return *this; }
  void Add(const IDXValue& value) override { Append(value); }
};

class TDXPropertyList final : public TDXBaseList, public IDXPropertyList {
 public:
  TDXPropertyList(Ref<IMoaMmValue> values, const MoaMmValue& hostList)
      : TDXBaseList(std::move(values), hostList) {}
  // A new, empty property list made by the host.
  explicit TDXPropertyList(Ref<IMoaMmValue> values) : TDXBaseList(std::move(values)) {}

  std::int32_t Count() const override { return CountItems(); }
  Ref<IDXValue> GetItem(std::int32_t index) const override { return ItemAt(index); }
  void SetItem(std::int32_t index, const IDXValue& value) override { SetItemAt(index, value); }
  TDXBaseList& ListObject() override { return *this; }
  Ref<IDXValue> GetProp(MoaMmSymbol property) const override { return PropertyValue(property); }
  void SetProp(MoaMmSymbol property, const IDXValue& value) override {
    SetPropertyValue(property, value);
  }
  Ref<IDXValue> GetPropByName(const std::string& name) const override {
    return PropertyValue(NameToSymbol(name));
  }
  void SetPropByName(const std::string& name, const IDXValue& value) override {
    SetPropertyValue(NameToSymbol(name), value);
  }
  std::string GetPropName(std::int32_t index) const override { return PropertyNameAt(index); }
};
