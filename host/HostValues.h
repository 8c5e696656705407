#pragma once

// The host's Lingo values. Every value but void lives in a reference-counted box of the host;
// the 8-byte host value names the box (its index and a generation), so that a value used after
// its last release is recognised and refused instead of read.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "DXInt/MoaValueServices.h"

namespace dxhost {

// An Xtra instance as a Lingo value: a type the framework does not model.
inline constexpr MoaLong kHostValueObject = 12;

struct THostBox {
  MoaLong Type = kMoaValueVoid;
  int References = 0;
  std::uint32_t Generation = 0;
  MoaLong Integer = 0;  // integer; symbol number
  double Float = 0;
  std::string Text;       // string; the Xtra name of an instance
  MoaLong Words[4] = {};  // point (V, H); rect (Top, Left, Bottom, Right); pair; colour word
  std::vector<MoaMmValue> Items;  // list elements; property values
  std::vector<MoaMmValue> Names;  // property names, one per property value
};

class THostValues;

// One counted reference to a host value, released when the holder goes.
class THostValue {
 public:
  THostValue() = default;
  // Takes over one reference the caller holds.
  THostValue(THostValues& values, const MoaMmValue& adopted) : values_(&values), value_(adopted) {}
  THostValue(const THostValue& other);
  THostValue(THostValue&& other) noexcept;
  THostValue& operator=(THostValue other) noexcept;
  ~THostValue();

  const MoaMmValue& Raw() const { return value_; }
  MoaLong Type() const;
  // Gives up the reference without releasing it.
  MoaMmValue Detach();

 private:
  THostValues* values_ = nullptr;
  MoaMmValue value_{};
};

class THostValues {
 public:
  THostValues();
  THostValues(const THostValues&) = delete;
  THostValues& operator=(const THostValues&) = delete;

  // ---- Raw values with one reference, for the services.
  MoaMmValue Make(MoaLong type);
  MoaMmValue MakeInteger(MoaLong value);
  MoaMmValue MakeSymbol(MoaMmSymbol symbol);
  MoaMmValue MakeString(std::string_view text);
  MoaMmValue MakeFloat(double value);
  MoaMmValue MakeWords(MoaLong type, std::initializer_list<MoaLong> words);

  // The box of a value, or null for void. A value that names no live box, or a box of another
  // type than wanted (any when wanted is negative), counts as a bad use and gives null.
  THostBox* Find(const MoaMmValue& value, MoaLong wanted = -1) {
    const std::uint32_t index = value.Word[1];
    if (index != 0 && index < boxes_.size()) {
      THostBox& box = *boxes_[index];
      if (box.References > 0 && Tag(box) == value.Word[0] && (wanted < 0 || box.Type == wanted))
        return &box;
    }
    return FindFailed(value, wanted);
  }
  // The type code, or -1 for a value that names no live box.
  MoaLong TypeOf(const MoaMmValue& value);
  bool IsVoid(const MoaMmValue& value) const { return value.Word[0] == 0 && value.Word[1] == 0; }
  bool AddRef(const MoaMmValue& value);
  // Drops one reference; the value becomes void.
  bool Release(MoaMmValue& value);

  // Symbols compare without regard to ASCII case; the first spelling is kept.
  MoaMmSymbol Intern(std::string_view name);
  // The name of a symbol, or null.
  const std::string* SymbolName(MoaMmSymbol symbol) const;

  // ---- Values for callers: held references.
  THostValue Void() { return {}; }
  THostValue Integer(MoaLong value) { return Hold(MakeInteger(value)); }
  THostValue Symbol(std::string_view name) { return Hold(MakeSymbol(Intern(name))); }
  THostValue String(std::string_view text) { return Hold(MakeString(text)); }
  THostValue Float(double value) { return Hold(MakeFloat(value)); }
  THostValue Point(MoaLong h, MoaLong v) { return Hold(MakeWords(kMoaValuePoint, {v, h})); }
  THostValue Rect(MoaLong left, MoaLong top, MoaLong right, MoaLong bottom) {
    return Hold(MakeWords(kMoaValueRect, {top, left, bottom, right}));
  }
  THostValue RGB(int red, int green, int blue);
  THostValue PaletteIndex(int index) { return Hold(MakeWords(kMoaValueColor, {MoaLong(index)})); }
  THostValue Pair(MoaLong first, MoaLong second) {
    return Hold(MakeWords(kMoaValuePair, {first, second}));
  }
  THostValue List(std::initializer_list<THostValue> items);
  THostValue PropertyList(std::initializer_list<std::pair<THostValue, THostValue>> properties);
  // An Xtra instance (me) as the host passes it.
  THostValue Object(std::string_view xtraName);

  // Boxes alive: every value not yet released.
  std::size_t Live() const { return boxes_.size() - 1 - free_.size(); }
  // Uses of values that name no live box, or that have the wrong type.
  int BadUses() const { return badUses_; }

 private:
  THostValue Hold(const MoaMmValue& value) { return THostValue(*this, value); }
  THostBox& Box(std::uint32_t index) { return *boxes_[index]; }
  // Void (null, and a bad use when a type was wanted) or a bad use.
  THostBox* FindFailed(const MoaMmValue& value, MoaLong wanted);
  // The first word of the values that name box index while it holds its current value.
  static std::uint32_t Tag(const THostBox& box) {
    return std::uint32_t(box.Type) | ((box.Generation & 0x00FFFFFF) << 8);
  }

  // Boxes keep their place (and their buffers) for the host's life; box 0 is never used: an
  // index of 0 names nothing.
  std::vector<std::unique_ptr<THostBox>> boxes_;
  std::vector<std::uint32_t> free_;
  std::vector<std::string> symbolNames_;                  // symbol n is symbolNames_[n - 1]
  std::unordered_map<std::string, MoaMmSymbol> symbols_;  // by lower-case name
  int badUses_ = 0;
};

}  // namespace dxhost
