#include "DXClasses/DXValue.h"

#include "DXClasses/DXHostInterface.h"
#include "DXClasses/DXLists.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

constexpr std::uint32_t kColorMask = 0x00FFFFFF;
constexpr std::size_t kKeptStringCapacity = 256;

// A host string into text: exactly the length the host announces, zero bytes included (binary
// XML holds them). The buffer is zeroed first, so a host that writes less than it announced
// leaves zeros, never what an earlier string left there; the host's terminator goes into a
// byte of our own and is dropped.
void ReadHostString(IMoaMmValue& values, const MoaMmValue& host, std::string& text) {
  MoaLong length = 0;
  values.StringLength(&host, &length);
  text.clear();
  if (length <= 0) return;
  text.resize(std::size_t(length) + 1);
  values.ValueToString(&host, text.data(), length + 1);
  text.resize(std::size_t(length));
}

// A colour word of the host as 24 bits; a palette index goes through the host's palette.
std::uint32_t ReadHostColor(IMoaMmValue& values, const MoaMmValue& host) {
  const Ref<IMoaColorService> colors =
      QueryHostInterface<IMoaColorService>(&values, kIID_IMoaColorService);
  if (!colors) return 0;
  MoaUlong word = 0;
  colors->ValueToColor(&host, &word);
  if (word < 256) {
    MoaUlong converted = 0;
    colors->PaletteIndexToColor(std::uint8_t(word), &converted);
    word = converted;
  }
  return word & kColorMask;
}

TDXPair ReadHostPair(IMoaMmValue& values, const MoaMmValue& host) {
  MoaPairRecord pair{};
  if (const Ref<IMoaPairService> pairs =
          QueryHostInterface<IMoaPairService>(&values, kIID_IMoaPairService))
    pairs->ValueToPair(&host, &pair);
  return {pair.First, pair.Second};
}

// A list kept by a value goes out as the host list it wraps, with one more host reference.
void WriteHostList(TDXBaseList& list, IMoaMmValue& values, MoaMmValue& destination) {
  MoaMmValue held = list.HostList();
  // A reference the host refused is not handed on: the destination keeps what it held.
  if (values.ValueAddRef(&held) == kMoaOk) destination = held;
}

}  // namespace

void TDXValue::Clear() {
  kind_ = dvVoid;
  integer_ = 0;
  float_ = 0;
  string_.clear();
  point_ = {};
  rect_ = {};
  color_ = 0;
  symbol_ = 0;
  boolean_ = false;
  list_.Reset();
  propertyList_.Reset();
}

void TDXValue::Reset() {
  Clear();
  pair_ = {};
  // A short string's buffer is kept for the next use; a long one is given back.
  if (string_.capacity() > kKeptStringCapacity) std::string().swap(string_);
}

void TDXValue::SetAsBoolean(bool value) {
  Clear();
  kind_ = dvInteger;
  boolean_ = value;
  integer_ = value ? 1 : 0;
  float_ = value ? 1.0 : 0.0;
}

void TDXValue::SetAsInteger(std::int32_t value) {
  Clear();
  kind_ = dvInteger;
  integer_ = value;
  boolean_ = value != 0;
  float_ = value;
}

void TDXValue::SetAsFloat(double value) {
  Clear();
  kind_ = dvFloat;
  float_ = value;
  // Out of the integer range (or not a number) the integer slot keeps 0 instead of what a
  // conversion without a defined result would give.
  integer_ = (value > -2147483649.0 && value < 2147483648.0) ? std::int32_t(value) : 0;
  boolean_ = integer_ != 0;
}

void TDXValue::SetAsString(std::string_view value) {
  Clear();
  kind_ = dvString;
  string_.assign(value);
}

void TDXValue::SetAsPoint(const TDXPoint& value) {
  Clear();
  kind_ = dvPoint;
  point_ = value;
}

void TDXValue::SetAsRect(const TDXRect& value) {
  Clear();
  kind_ = dvRect;
  rect_ = value;
}

void TDXValue::SetAsColor(std::uint32_t value) {
  Clear();
  kind_ = dvColor;
  color_ = value;
}

void TDXValue::SetAsSymbol(MoaMmSymbol value) {
  Clear();
  kind_ = dvSymbol;
  symbol_ = value;
}

void TDXValue::SetAsPair(const TDXPair& value) {
  Clear();
  kind_ = dvPair;
  pair_ = value;
}

void TDXValue::SetAsList(Ref<IDXList> value) {
  Clear();
  kind_ = dvList;
  list_ = std::move(value);
}

void TDXValue::SetAsPropertyList(Ref<IDXPropertyList> value) {
  Clear();
  kind_ = dvPropertyList;
  propertyList_ = std::move(value);
}

void TDXValue::ReadFromHost(IMoaMmValue& values, const MoaMmValue& host) {
  if (kind_ != dvVoid) Clear();  // a void value has nothing to clear
  MoaLong type = kMoaValueVoid;
  values.ValueType(&host, &type);
  switch (type) {
    case kMoaValueVoid:
      break;
    case kMoaValueInteger: {
      MoaLong integer = 0;
      values.ValueToInteger(&host, &integer);
      SetAsInteger(integer);
      break;
    }
    case kMoaValueSymbol: {
      // A symbol reads as an integer value that also carries the symbol.
      MoaMmSymbol symbol = 0;
      values.ValueToSymbol(&host, &symbol);
      SetAsInteger(symbol);
      symbol_ = symbol;
      break;
    }
    case kMoaValueString:
      kind_ = dvString;
      ReadHostString(values, host, string_);
      break;
    case kMoaValueFloat: {
      double number = 0;
      values.ValueToFloat(&host, &number);
      SetAsFloat(number);
      break;
    }
    case kMoaValueList:
      SetAsList(MakeRef<TDXList>(Ref<IMoaMmValue>::Retain(&values), host));
      break;
    case kMoaValuePoint: {
      MoaPointRecord point{};
      values.ValueToPoint(&host, &point);
      SetAsPoint({point.H, point.V});
      break;
    }
    case kMoaValueRect: {
      MoaRectRecord rect{};
      values.ValueToRect(&host, &rect);
      SetAsRect({rect.Left, rect.Top, rect.Right, rect.Bottom});
      break;
    }
    case kMoaValuePropertyList:
      SetAsPropertyList(MakeRef<TDXPropertyList>(Ref<IMoaMmValue>::Retain(&values), host));
      break;
    case kMoaValuePair:
      SetAsPair(ReadHostPair(values, host));
      break;
    case kMoaValueColor:
      SetAsColor(ReadHostColor(values, host));
      break;
    default:
      kind_ = dvObject;
      break;
  }
}

void TDXValue::WriteToHost(IMoaMmValue& values, MoaMmValue& destination) const {
  WriteValueToHost(*this, values, destination);
}

void WriteValueToHost(const IDXValue& value, IMoaMmValue& values, MoaMmValue& destination) {
  switch (value.ValueKind()) {
    case dvVoid:
    case dvObject:
      break;
    case dvInteger:
      values.IntegerToValue(value.AsInteger(), &destination);
      break;
    case dvString:
      values.StringToValue(value.AsString().c_str(), &destination);
      break;
    case dvFloat:
      values.FloatToValue(value.AsFloat(), &destination);
      break;
    case dvRect: {
      const TDXRect rect = value.AsRect();
      const MoaRectRecord record{rect.Top, rect.Left, rect.Bottom, rect.Right};
      values.RectToValue(&record, &destination);
      break;
    }
    case dvPoint: {
      const TDXPoint point = value.AsPoint();
      const MoaPointRecord record{point.Y, point.X};
      values.PointToValue(&record, &destination);
      break;
    }
    case dvColor:
      if (const Ref<IMoaColorService> colors =
              QueryHostInterface<IMoaColorService>(&values, kIID_IMoaColorService))
        colors->ColorToValue((value.AsColor() & kColorMask) | kMoaColorRGBFlag, &destination);
      break;
    case dvSymbol:
      values.SymbolToValue(value.AsSymbol(), &destination);
      break;
    case dvPair:
      if (const Ref<IMoaPairService> pairs =
              QueryHostInterface<IMoaPairService>(&values, kIID_IMoaPairService)) {
        const TDXPair pair = value.AsPair();
        const MoaPairRecord record{pair.First, pair.Second};
        pairs->PairToValue(&record, &destination);
      }
      break;
    case dvList:
      if (const Ref<IDXList> list = value.AsList())
        WriteHostList(list->ListObject(), values, destination);
      break;
    case dvPropertyList:
      if (const Ref<IDXPropertyList> list = value.AsPropertyList())
        WriteHostList(list->ListObject(), values, destination);
      break;
  }
}
