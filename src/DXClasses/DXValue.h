#pragma once

// TDXValue: one Lingo value in typed slots, read from and written to host values.

#include "DXClasses/DXInterfaces.h"
#include "DXInt/MoaValueServices.h"

class TDXValue final : public IDXValue {
 public:
  TDXValue() = default;

  bool AsBoolean() const override { return boolean_; }
  std::int32_t AsInteger() const override { return integer_; }
  double AsFloat() const override { return float_; }
  const std::string& AsString() const override { return string_; }
  TDXPoint AsPoint() const override { return point_; }
  TDXRect AsRect() const override { return rect_; }
  std::uint32_t AsColor() const override { return color_; }
  MoaMmSymbol AsSymbol() const override { return symbol_; }
  TDXPair AsPair() const override { return pair_; }
  Ref<IDXList> AsList() const override { return list_; }
  Ref<IDXPropertyList> AsPropertyList() const override { return propertyList_; }
  TDXValueKind ValueKind() const override { return kind_; }

  void SetAsBoolean(bool value) override;
  void SetAsInteger(std::int32_t value) override;
  void SetAsFloat(double value) override;
  void SetAsString(std::string_view value) override;
  void SetAsPoint(const TDXPoint& value) override;
  void SetAsRect(const TDXRect& value) override;
  void SetAsColor(std::uint32_t value) override;
  void SetAsSymbol(MoaMmSymbol value) override;
  void SetAsPair(const TDXPair& value) override;
  void SetAsList(Ref<IDXList> value) override;
  void SetAsPropertyList(Ref<IDXPropertyList> value) override;

  // Every slot zero or empty and kind dvVoid; the Pair slot keeps what it held.
  void Clear();
  // Clear and the Pair slot too: the value is as new (a short string keeps its buffer).
  void Reset();
  // Fills the value from a host value by the host's type code; a type the framework does not
  // model gives dvObject. The host value is only read: its reference stays with the caller.
  void ReadFromHost(IMoaMmValue& values, const MoaMmValue& host);
  // Writes the value into destination as a new host value. Void and object values, and list
  // values without a list, write nothing: the destination keeps what it held.
  void WriteToHost(IMoaMmValue& values, MoaMmValue& destination) const;

 private:
  TDXValueKind kind_ = dvVoid;
  std::int32_t integer_ = 0;
  double float_ = 0;
  std::string string_;
  TDXPoint point_;
  TDXRect rect_;
  std::uint32_t color_ = 0;
  MoaMmSymbol symbol_ = 0;
  bool boolean_ = false;
  TDXPair pair_;
  Ref<IDXList> list_;
  Ref<IDXPropertyList> propertyList_;
};

// WriteToHost for any implementation of IDXValue, read through its getters.
void WriteValueToHost(const IDXValue& value, IMoaMmValue& values, MoaMmValue& destination);
