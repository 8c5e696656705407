#include "host/HostValueServices.h"

#include "host/HostSlots.h"

#include <algorithm>
#include <cstring>

namespace dxhost {
namespace {

// Copies text and a terminator into a buffer of size bytes, cutting the text when needed.
MoaError CopyText(const std::string& text, char* buffer, MoaLong size) {
  if (!buffer || size <= 0) return kHostErrBadValue;
  const std::size_t count = std::min(text.size(), std::size_t(size - 1));
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return kMoaOk;
}

bool SameName(THostValues& values, const MoaMmValue& a, const MoaMmValue& b) {
  const THostBox* x = values.Find(a);
  const THostBox* y = values.Find(b);
  if (!x || !y || x->Type != y->Type) return false;
  return x->Type == kMoaValueString ? x->Text == y->Text : x->Integer == y->Integer;
}

// What the value readers share: the fault, the value's box of that type, a place for the
// answer; read makes the answer from the box.
template <class TOut, class TRead>
MoaError ReadBox(THostFaults& faults, THostValues& values, THostSlot operation,
                 const MoaMmValue* value, MoaLong type, TOut* out, TRead read) {
  if (MoaError fault = faults.Check(operation)) return fault;
  const THostBox* box = value ? values.Find(*value, type) : nullptr;
  if (!box || !out) return kHostErrBadValue;
  *out = read(*box);
  return kMoaOk;
}

}  // namespace

MoaUlong PaletteColor(int index) {
  const MoaUlong grey = 255 - MoaUlong(index & 0xFF);
  return (grey << 16) | (grey << 8) | grey;
}

// ---- Lists

THostBox* THostListService::AnyList(const MoaMmValue* list) {
  if (!list) return nullptr;
  THostBox* box = values_.Find(*list);
  if (box && box->Type != kMoaValueList && box->Type != kMoaValuePropertyList) return nullptr;
  return box;
}

int THostListService::FindProperty(THostBox& list, const MoaMmValue& name) {
  for (std::size_t i = 0; i < list.Names.size(); ++i)
    if (SameName(values_, list.Names[i], name)) return int(i);
  return -1;
}

MoaError THostListService::Replace(MoaMmValue& slot, const MoaMmValue& value) {
  if (!values_.AddRef(value)) return kHostErrBadValue;
  values_.Release(slot);
  slot = value;
  return kMoaOk;
}

MoaError MOA_CALL THostListService::AppendValue(MoaMmValue* list, const MoaMmValue* value) {
  if (MoaError fault = faults_.Check(kListsAppendValue)) return fault;
  THostBox* box = list ? values_.Find(*list, kMoaValueList) : nullptr;
  if (!box || !value || !values_.AddRef(*value)) return kHostErrBadValue;
  box->Items.push_back(*value);
  return kMoaOk;
}

MoaLong MOA_CALL THostListService::CountElements(const MoaMmValue* list) {
  if (faults_.Check(kListsCountElements)) return 0;
  const THostBox* box = AnyList(list);
  return box ? MoaLong(box->Items.size()) : 0;
}

MoaError MOA_CALL THostListService::GetValueByIndex(const MoaMmValue* list, MoaLong position,
                                                    MoaMmValue* out) {
  if (MoaError fault = faults_.Check(kListsGetValueByIndex)) return fault;
  THostBox* box = AnyList(list);
  if (!box || !out) return kHostErrBadValue;
  if (position < 1 || std::size_t(position) > box->Items.size()) return kHostErrNotFound;
  *out = box->Items[std::size_t(position) - 1];
  values_.AddRef(*out);
  return kMoaOk;
}

MoaError MOA_CALL THostListService::SetValueByIndex(MoaMmValue* list, MoaLong position,
                                                    const MoaMmValue* value) {
  if (MoaError fault = faults_.Check(kListsSetValueByIndex)) return fault;
  THostBox* box = AnyList(list);
  if (!box || !value) return kHostErrBadValue;
  if (position < 1 || std::size_t(position) > box->Items.size()) return kHostErrNotFound;
  return Replace(box->Items[std::size_t(position) - 1], *value);
}

MoaError MOA_CALL THostListService::NewPropertyList(MoaMmValue* out) {
  if (MoaError fault = faults_.Check(kListsNewPropertyList)) return fault;
  if (!out) return kHostErrBadValue;
  *out = values_.Make(kMoaValuePropertyList);
  return kMoaOk;
}

MoaError MOA_CALL THostListService::AppendProperty(MoaMmValue* list, const MoaMmValue* name,
                                                   const MoaMmValue* value) {
  if (MoaError fault = faults_.Check(kListsAppendProperty)) return fault;
  THostBox* box = list ? values_.Find(*list, kMoaValuePropertyList) : nullptr;
  if (!box || !name || !value || values_.TypeOf(*name) < 0 || values_.TypeOf(*value) < 0)
    return kHostErrBadValue;
  values_.AddRef(*name);
  values_.AddRef(*value);
  box->Names.push_back(*name);
  box->Items.push_back(*value);
  return kMoaOk;
}

MoaError MOA_CALL THostListService::GetValueByProperty(const MoaMmValue* list,
                                                       const MoaMmValue* name, MoaMmValue* out) {
  if (MoaError fault = faults_.Check(kListsGetValueByProperty)) return fault;
  THostBox* box = list ? values_.Find(*list, kMoaValuePropertyList) : nullptr;
  if (!box || !name || !out) return kHostErrBadValue;
  const int found = FindProperty(*box, *name);
  if (found < 0) return kHostErrNotFound;
  *out = box->Items[std::size_t(found)];
  values_.AddRef(*out);
  return kMoaOk;
}

MoaError MOA_CALL THostListService::SetValueByProperty(MoaMmValue* list, const MoaMmValue* name,
                                                       const MoaMmValue* value) {
  if (MoaError fault = faults_.Check(kListsSetValueByProperty)) return fault;
  THostBox* box = list ? values_.Find(*list, kMoaValuePropertyList) : nullptr;
  if (!box || !name || !value) return kHostErrBadValue;
  const int found = FindProperty(*box, *name);
  if (found < 0) return kHostErrNotFound;
  return Replace(box->Items[std::size_t(found)], *value);
}

MoaError MOA_CALL THostListService::GetPropertyNameByIndex(const MoaMmValue* list, MoaLong position,
                                                           MoaMmValue* out) {
  if (MoaError fault = faults_.Check(kListsGetPropertyNameByIndex)) return fault;
  THostBox* box = list ? values_.Find(*list, kMoaValuePropertyList) : nullptr;
  if (!box || !out) return kHostErrBadValue;
  if (position < 1 || std::size_t(position) > box->Names.size()) return kHostErrNotFound;
  *out = box->Names[std::size_t(position) - 1];
  values_.AddRef(*out);
  return kMoaOk;
}

// ---- Colours and pairs

MoaError MOA_CALL THostColorService::ValueToColor(const MoaMmValue* value, MoaUlong* color) {
  return ReadBox(faults_, values_, kColorsValueToColor, value, kMoaValueColor, color,
                 [](const THostBox& box) { return MoaUlong(box.Words[0]); });
}

MoaError MOA_CALL THostColorService::ColorToValue(MoaUlong color, MoaMmValue* out) {
  if (MoaError fault = faults_.Check(kColorsColorToValue)) return fault;
  if (!out) return kHostErrBadValue;
  *out = values_.MakeWords(kMoaValueColor, {MoaLong(color)});
  return kMoaOk;
}

MoaError MOA_CALL THostColorService::PaletteIndexToColor(std::uint8_t index, MoaUlong* color) {
  if (MoaError fault = faults_.Check(kColorsPaletteIndexToColor)) return fault;
  if (!color) return kHostErrBadValue;
  *color = PaletteColor(index);
  return kMoaOk;
}

MoaError MOA_CALL THostPairService::ValueToPair(const MoaMmValue* value, MoaPairRecord* pair) {
  return ReadBox(faults_, values_, kPairsValueToPair, value, kMoaValuePair, pair,
                 [](const THostBox& box) {
                   return MoaPairRecord{MoaUlong(box.Words[0]), MoaUlong(box.Words[1])};
                 });
}

MoaError MOA_CALL THostPairService::PairToValue(const MoaPairRecord* pair, MoaMmValue* out) {
  if (MoaError fault = faults_.Check(kPairsPairToValue)) return fault;
  if (!pair || !out) return kHostErrBadValue;
  *out = values_.MakeWords(kMoaValuePair, {MoaLong(pair->First), MoaLong(pair->Second)});
  return kMoaOk;
}

// ---- Values

THostValueService::THostValueService(THostValues& values, THostFaults& faults)
    : THostInterface(kIID_IMoaMmValue),
      values_(values),
      faults_(faults),
      lists_(values, faults),
      colors_(values, faults),
      pairs_(values, faults) {}

int THostValueService::OutstandingAll() const {
  return Outstanding() + lists_.Outstanding() + colors_.Outstanding() + pairs_.Outstanding();
}

IMoaUnknown* THostValueService::FindOther(const MoaInterfaceID& iid) {
  if (faults_.Refused(iid)) return nullptr;
  if (iid == kIID_IMoaMmList) return &lists_;
  if (iid == kIID_IMoaColorService) return &colors_;
  if (iid == kIID_IMoaPairService) return &pairs_;
  return nullptr;
}

MoaError THostValueService::Put(MoaMmValue* out, MoaMmValue made) {
  if (!out) {
    values_.Release(made);
    return kHostErrBadValue;
  }
  *out = made;
  return kMoaOk;
}

MoaError MOA_CALL THostValueService::StringToSymbol(const char* name, MoaMmSymbol* symbol) {
  if (MoaError fault = faults_.Check(kValuesStringToSymbol, name ? name : "")) return fault;
  if (!name || !symbol) return kHostErrBadValue;
  *symbol = values_.Intern(name);
  return kMoaOk;
}

MoaError MOA_CALL THostValueService::SymbolToString(MoaMmSymbol symbol, char* buffer,
                                                    MoaLong size) {
  if (MoaError fault = Check(kValuesSymbolToString)) return fault;
  const std::string* name = values_.SymbolName(symbol);
  return name ? CopyText(*name, buffer, size) : kHostErrNotFound;
}

MoaError MOA_CALL THostValueService::ValueType(const MoaMmValue* value, MoaLong* type) {
  if (MoaError fault = Check(kValuesValueType)) return fault;
  if (!value || !type) return kHostErrBadValue;
  const MoaLong found = values_.TypeOf(*value);
  if (found < 0) return kHostErrBadValue;
  *type = found;
  return kMoaOk;
}

MoaError MOA_CALL THostValueService::ValueAddRef(const MoaMmValue* value) {
  if (MoaError fault = Check(kValuesValueAddRef)) return fault;
  return value && values_.AddRef(*value) ? kMoaOk : kHostErrBadValue;
}

MoaError MOA_CALL THostValueService::ValueRelease(MoaMmValue* value) {
  // Never failed on purpose: a release that fails would only leak.
  return value && values_.Release(*value) ? kMoaOk : kHostErrBadValue;
}

MoaError MOA_CALL THostValueService::ValueToInteger(const MoaMmValue* value, MoaLong* out) {
  return ReadBox(faults_, values_, kValuesValueToInteger, value, kMoaValueInteger, out,
                 [](const THostBox& box) { return box.Integer; });
}

MoaError MOA_CALL THostValueService::ValueToSymbol(const MoaMmValue* value, MoaMmSymbol* out) {
  return ReadBox(faults_, values_, kValuesValueToSymbol, value, kMoaValueSymbol, out,
                 [](const THostBox& box) { return MoaMmSymbol(box.Integer); });
}

MoaError MOA_CALL THostValueService::ValueToFloat(const MoaMmValue* value, double* out) {
  return ReadBox(faults_, values_, kValuesValueToFloat, value, kMoaValueFloat, out,
                 [](const THostBox& box) { return box.Float; });
}

MoaError MOA_CALL THostValueService::StringLength(const MoaMmValue* value, MoaLong* length) {
  return ReadBox(faults_, values_, kValuesStringLength, value, kMoaValueString, length,
                 [](const THostBox& box) { return MoaLong(box.Text.size()); });
}

MoaError MOA_CALL THostValueService::ValueToString(const MoaMmValue* value, char* buffer,
                                                   MoaLong size) {
  if (MoaError fault = Check(kValuesValueToString)) return fault;
  const THostBox* box = value ? values_.Find(*value, kMoaValueString) : nullptr;
  return box ? CopyText(box->Text, buffer, size) : kHostErrBadValue;
}

MoaError MOA_CALL THostValueService::ValueToPoint(const MoaMmValue* value, MoaPointRecord* out) {
  return ReadBox(faults_, values_, kValuesValueToPoint, value, kMoaValuePoint, out,
                 [](const THostBox& box) {
                   return MoaPointRecord{box.Words[0], box.Words[1]};
                 });
}

MoaError MOA_CALL THostValueService::ValueToRect(const MoaMmValue* value, MoaRectRecord* out) {
  return ReadBox(faults_, values_, kValuesValueToRect, value, kMoaValueRect, out,
                 [](const THostBox& box) {
                   return MoaRectRecord{box.Words[0], box.Words[1], box.Words[2], box.Words[3]};
                 });
}

MoaError MOA_CALL THostValueService::IntegerToValue(MoaLong integer, MoaMmValue* out) {
  if (MoaError fault = Check(kValuesIntegerToValue)) return fault;
  return Put(out, values_.MakeInteger(integer));
}

MoaError MOA_CALL THostValueService::SymbolToValue(MoaMmSymbol symbol, MoaMmValue* out) {
  if (MoaError fault = Check(kValuesSymbolToValue)) return fault;
  if (!values_.SymbolName(symbol)) return kHostErrNotFound;
  return Put(out, values_.MakeSymbol(symbol));
}

MoaError MOA_CALL THostValueService::FloatToValue(double number, MoaMmValue* out) {
  if (MoaError fault = Check(kValuesFloatToValue)) return fault;
  return Put(out, values_.MakeFloat(number));
}

MoaError MOA_CALL THostValueService::StringToValue(const char* text, MoaMmValue* out) {
  if (MoaError fault = Check(kValuesStringToValue)) return fault;
  if (!text) return kHostErrBadValue;
  return Put(out, values_.MakeString(text));
}

MoaError MOA_CALL THostValueService::PointToValue(const MoaPointRecord* point, MoaMmValue* out) {
  if (MoaError fault = Check(kValuesPointToValue)) return fault;
  if (!point) return kHostErrBadValue;
  return Put(out, values_.MakeWords(kMoaValuePoint, {point->V, point->H}));
}

MoaError MOA_CALL THostValueService::RectToValue(const MoaRectRecord* rect, MoaMmValue* out) {
  if (MoaError fault = Check(kValuesRectToValue)) return fault;
  if (!rect) return kHostErrBadValue;
  return Put(out,
             values_.MakeWords(kMoaValueRect, {rect->Top, rect->Left, rect->Bottom, rect->Right}));
}

}  // namespace dxhost
