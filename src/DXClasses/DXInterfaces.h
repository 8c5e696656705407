#pragma once

// The framework's own interfaces, the only view that Xtra code has of Lingo values, argument
// lists, host lists, symbols and registry dictionaries. They never cross into the host: they
// are C++ interfaces over the one reference-counting scheme of the project. Positions on them
// count from 0.

#include <cstdint>
#include <string>
#include <string_view>

#include "DXInt/MoaTypes.h"
#include "common/RefCounted.h"

// Kinds of Lingo values; the index is also the argument kind of a method declaration.
enum TDXValueKind : std::uint8_t {
  dvVoid = 0,
  dvObject = 1,  // a host value of a type the framework does not model
  dvInteger = 2,
  dvString = 3,
  dvFloat = 4,
  dvRect = 5,
  dvPoint = 6,
  dvColor = 7,
  dvSymbol = 8,
  dvPair = 9,
  dvList = 10,
  dvPropertyList = 11,
};

struct TDXPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TDXPoint&, const TDXPoint&) = default;
};

struct TDXRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TDXRect&, const TDXRect&) = default;
};

struct TDXPair {
  std::uint32_t First = 0;
  std::uint32_t Second = 0;
  friend bool operator==(const TDXPair&, const TDXPair&) = default;
};

class IDXList;
class IDXPropertyList;
class TDXBaseList;

// A Lingo value held in typed slots. Reading a slot never converts: it returns what is stored
// there (a string read as an integer gives 0). Only Integer, Float and Boolean are kept in step.
class IDXValue : public TRefCounted {
 public:
  virtual bool AsBoolean() const = 0;
  virtual std::int32_t AsInteger() const = 0;
  virtual double AsFloat() const = 0;
  virtual const std::string& AsString() const = 0;
  virtual TDXPoint AsPoint() const = 0;
  virtual TDXRect AsRect() const = 0;
  virtual std::uint32_t AsColor() const = 0;
  virtual MoaMmSymbol AsSymbol() const = 0;
  virtual TDXPair AsPair() const = 0;
  virtual Ref<IDXList> AsList() const = 0;                  // may be empty
  virtual Ref<IDXPropertyList> AsPropertyList() const = 0;  // may be empty
  virtual TDXValueKind ValueKind() const = 0;

  // Each setter first clears the value, then sets the kind of its name and its slot.
  virtual void SetAsBoolean(bool value) = 0;  // kind dvInteger, Integer 1 or 0
  virtual void SetAsInteger(std::int32_t value) = 0;
  virtual void SetAsFloat(double value) = 0;  // Integer truncated toward zero
  virtual void SetAsString(std::string_view value) = 0;
  virtual void SetAsPoint(const TDXPoint& value) = 0;
  virtual void SetAsRect(const TDXRect& value) = 0;
  virtual void SetAsColor(std::uint32_t value) = 0;
  virtual void SetAsSymbol(MoaMmSymbol value) = 0;
  virtual void SetAsPair(const TDXPair& value) = 0;
  virtual void SetAsList(Ref<IDXList> value) = 0;
  virtual void SetAsPropertyList(Ref<IDXPropertyList> value) = 0;
};

// The arguments of a Lingo call. Item 0 is the host's first argument: for a call on an Xtra
// instance, the instance itself (me).
class IDXArgList : public TRefCounted {
 public:
  virtual std::int32_t Count() const = 0;
  // The value at index; outside 0..Count-1 a fresh void value, so that a method reading an
  // argument Lingo did not pass sees an empty string, 0 or false. Either stays valid as long
  // as the list holds it: for a call's arguments, until the method returns.
  virtual Ref<IDXValue> Item(std::int32_t index) const = 0;
  virtual void Clear() = 0;
  virtual void AddInteger(std::int32_t value) = 0;
  virtual void AddFloat(double value) = 0;
  virtual void AddString(std::string_view value) = 0;
  virtual void AddPoint(const TDXPoint& value) = 0;
  virtual void AddRect(const TDXRect& value) = 0;
  virtual void AddColor(std::uint32_t value) = 0;
  virtual void AddSymbol(MoaMmSymbol value) = 0;
  virtual void AddPair(const TDXPair& value) = 0;
  virtual void AddList(Ref<IDXList> value) = 0;
  virtual void AddPropertyList(Ref<IDXPropertyList> value) = 0;
};

// A host linear list. Operations the host refuses return nothing (GetItem) and raise nothing.
class IDXList : public TRefCounted {
 public:
  virtual std::int32_t Count() const = 0;
  virtual Ref<IDXValue> GetItem(std::int32_t index) const = 0;  // empty when refused
  virtual void SetItem(std::int32_t index, const IDXValue& value) = 0;
  virtual TDXBaseList& ListObject() = 0;
  virtual void Add(const IDXValue& value) = 0;
};

// A host property list.
class IDXPropertyList : public TRefCounted {
 public:
  virtual std::int32_t Count() const = 0;
  virtual Ref<IDXValue> GetItem(std::int32_t index) const = 0;  // empty when refused
  virtual void SetItem(std::int32_t index, const IDXValue& value) = 0;
  virtual TDXBaseList& ListObject() = 0;
  virtual Ref<IDXValue> GetProp(MoaMmSymbol property) const = 0;  // empty when missing
  // Replaces the property's value, or adds the property when the list has none of that name.
  virtual void SetProp(MoaMmSymbol property, const IDXValue& value) = 0;
  virtual Ref<IDXValue> GetPropByName(const std::string& name) const = 0;
  virtual void SetPropByName(const std::string& name, const IDXValue& value) = 0;
  virtual std::string GetPropName(std::int32_t index) const = 0;  // "" when refused
};

class IDXSymbolManager : public TRefCounted {
 public:
  virtual MoaMmSymbol StringToSymbol(const std::string& name) const = 0;
};

// A registry dictionary of the host.
class IDXDictionary : public TRefCounted {
 public:
  virtual bool HasKey(const std::string& key) const = 0;
  virtual std::string GetString(const std::string& key) const = 0;  // "" when missing
  virtual void SetString(const std::string& key, const std::string& value) = 0;
  virtual std::int32_t GetInteger(const std::string& key) const = 0;  // 0 when missing
  virtual void SetInteger(const std::string& key, std::int32_t value) = 0;
};
