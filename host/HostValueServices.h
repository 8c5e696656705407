#pragma once

// The host's value services over its values: the value service, and the list, colour and pair
// services that the value service answers for.

#include "DXInt/MoaValueServices.h"
#include "host/HostFaults.h"
#include "host/HostInterface.h"
#include "host/HostValues.h"

namespace dxhost {

// The host's palette: index 0 white to 255 black, a grey ramp.
MoaUlong PaletteColor(int index);

class THostListService final : public THostInterface<IMoaMmList> {
 public:
  THostListService(THostValues& values, THostFaults& faults)
      : THostInterface(kIID_IMoaMmList), values_(values), faults_(faults) {}

  MoaError MOA_CALL Reserved3() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL AppendValue(MoaMmValue* list, const MoaMmValue* value) override;
  MoaLong MOA_CALL CountElements(const MoaMmValue* list) override;
  MoaError MOA_CALL GetValueByIndex(const MoaMmValue* list, MoaLong position,
                                    MoaMmValue* out) override;
  MoaError MOA_CALL SetValueByIndex(MoaMmValue* list, MoaLong position,
                                    const MoaMmValue* value) override;
  MoaError MOA_CALL NewPropertyList(MoaMmValue* out) override;
  MoaError MOA_CALL AppendProperty(MoaMmValue* list, const MoaMmValue* name,
                                   const MoaMmValue* value) override;
  MoaError MOA_CALL GetValueByProperty(const MoaMmValue* list, const MoaMmValue* name,
                                       MoaMmValue* out) override;
  MoaError MOA_CALL SetValueByProperty(MoaMmValue* list, const MoaMmValue* name,
                                       const MoaMmValue* value) override;
  MoaError MOA_CALL GetPropertyNameByIndex(const MoaMmValue* list, MoaLong position,
                                           MoaMmValue* out) override;

 private:
  THostBox* AnyList(const MoaMmValue* list);
  // Index of the property named like name (same type, same content), or -1.
  int FindProperty(THostBox& list, const MoaMmValue& name);
  // Puts value at slot, taking a reference of the list's own and releasing what was there.
  MoaError Replace(MoaMmValue& slot, const MoaMmValue& value);

  THostValues& values_;
  THostFaults& faults_;
};

class THostColorService final : public THostInterface<IMoaColorService> {
 public:
  THostColorService(THostValues& values, THostFaults& faults)
      : THostInterface(kIID_IMoaColorService), values_(values), faults_(faults) {}

  MoaError MOA_CALL ValueToColor(const MoaMmValue* value, MoaUlong* color) override;
  MoaError MOA_CALL ColorToValue(MoaUlong color, MoaMmValue* out) override;
  MoaError MOA_CALL Reserved5() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL PaletteIndexToColor(std::uint8_t index, MoaUlong* color) override;

 private:
  THostValues& values_;
  THostFaults& faults_;
};

class THostPairService final : public THostInterface<IMoaPairService> {
 public:
  THostPairService(THostValues& values, THostFaults& faults)
      : THostInterface(kIID_IMoaPairService), values_(values), faults_(faults) {}

  MoaError MOA_CALL ValueToPair(const MoaMmValue* value, MoaPairRecord* pair) override;
  MoaError MOA_CALL PairToValue(const MoaPairRecord* pair, MoaMmValue* out) override;

 private:
  THostValues& values_;
  THostFaults& faults_;
};

class THostValueService final : public THostInterface<IMoaMmValue> {
 public:
  THostValueService(THostValues& values, THostFaults& faults);

  MoaError MOA_CALL StringToSymbol(const char* name, MoaMmSymbol* symbol) override;
  MoaError MOA_CALL SymbolToString(MoaMmSymbol symbol, char* buffer, MoaLong size) override;
  MoaError MOA_CALL ValueType(const MoaMmValue* value, MoaLong* type) override;
  MoaError MOA_CALL ValueAddRef(const MoaMmValue* value) override;
  MoaError MOA_CALL ValueRelease(MoaMmValue* value) override;
  MoaError MOA_CALL ValueToInteger(const MoaMmValue* value, MoaLong* out) override;
  MoaError MOA_CALL ValueToSymbol(const MoaMmValue* value, MoaMmSymbol* out) override;
  MoaError MOA_CALL ValueToFloat(const MoaMmValue* value, double* out) override;
  MoaError MOA_CALL StringLength(const MoaMmValue* value, MoaLong* length) override;
  MoaError MOA_CALL ValueToString(const MoaMmValue* value, char* buffer, MoaLong size) override;
  MoaError MOA_CALL Reserved13() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved14() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL ValueToPoint(const MoaMmValue* value, MoaPointRecord* out) override;
  MoaError MOA_CALL ValueToRect(const MoaMmValue* value, MoaRectRecord* out) override;
  MoaError MOA_CALL IntegerToValue(MoaLong integer, MoaMmValue* out) override;
  MoaError MOA_CALL SymbolToValue(MoaMmSymbol symbol, MoaMmValue* out) override;
  MoaError MOA_CALL FloatToValue(double number, MoaMmValue* out) override;
  MoaError MOA_CALL StringToValue(const char* text, MoaMmValue* out) override;
  MoaError MOA_CALL Reserved21() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL PointToValue(const MoaPointRecord* point, MoaMmValue* out) override;
  MoaError MOA_CALL RectToValue(const MoaRectRecord* rect, MoaMmValue* out) override;

  THostListService& Lists() { return lists_; }
  THostColorService& Colors() { return colors_; }
  THostPairService& Pairs() { return pairs_; }
  // References handed out by the value service and its three companions together.
  int OutstandingAll() const;

 protected:
  IMoaUnknown* FindOther(const MoaInterfaceID& iid) override;

 private:
  MoaError Check(THostSlot operation) { return faults_.Check(operation); }
  MoaError Put(MoaMmValue* out, MoaMmValue made);

  THostValues& values_;
  THostFaults& faults_;
  THostListService lists_;
  THostColorService colors_;
  THostPairService pairs_;
};

}  // namespace dxhost
