#include "host/HostValues.h"

#include <algorithm>

#include "host/HostText.h"

namespace dxhost {

// ---- THostValue

THostValue::THostValue(const THostValue& other) : values_(other.values_), value_(other.value_) {
  if (values_) values_->AddRef(value_);
}

THostValue::THostValue(THostValue&& other) noexcept
    : values_(std::exchange(other.values_, nullptr)), value_(std::exchange(other.value_, {})) {}

THostValue& THostValue::operator=(THostValue other) noexcept {
  std::swap(values_, other.values_);
  std::swap(value_, other.value_);
  return *this;
}

THostValue::~THostValue() {
  if (values_) values_->Release(value_);
}

MoaLong THostValue::Type() const {
  return values_ ? values_->TypeOf(value_) : kMoaValueVoid;
}

MoaMmValue THostValue::Detach() {
  values_ = nullptr;
  return std::exchange(value_, {});
}

// ---- THostValues

THostValues::THostValues() {
  boxes_.push_back(std::make_unique<THostBox>());
}

MoaMmValue THostValues::Make(MoaLong type) {
  std::uint32_t index;
  if (free_.empty()) {
    index = std::uint32_t(boxes_.size());
    boxes_.push_back(std::make_unique<THostBox>());
  } else {
    index = free_.back();
    free_.pop_back();
  }
  THostBox& box = Box(index);
  box.Type = type;
  box.References = 1;
  return {{Tag(box), index}};
}

MoaMmValue THostValues::MakeInteger(MoaLong value) {
  const MoaMmValue made = Make(kMoaValueInteger);
  Box(made.Word[1]).Integer = value;
  return made;
}

MoaMmValue THostValues::MakeSymbol(MoaMmSymbol symbol) {
  const MoaMmValue made = Make(kMoaValueSymbol);
  Box(made.Word[1]).Integer = symbol;
  return made;
}

MoaMmValue THostValues::MakeString(std::string_view text) {
  const MoaMmValue made = Make(kMoaValueString);
  Box(made.Word[1]).Text.assign(text);
  return made;
}

MoaMmValue THostValues::MakeFloat(double value) {
  const MoaMmValue made = Make(kMoaValueFloat);
  Box(made.Word[1]).Float = value;
  return made;
}

MoaMmValue THostValues::MakeWords(MoaLong type, std::initializer_list<MoaLong> words) {
  const MoaMmValue made = Make(type);
  MoaLong* into = Box(made.Word[1]).Words;
  for (MoaLong word : words) *into++ = word;
  return made;
}

THostBox* THostValues::FindFailed(const MoaMmValue& value, MoaLong wanted) {
  if (!IsVoid(value) || wanted > 0) ++badUses_;
  return nullptr;
}

MoaLong THostValues::TypeOf(const MoaMmValue& value) {
  if (IsVoid(value)) return kMoaValueVoid;
  const THostBox* box = Find(value);
  return box ? box->Type : -1;
}

bool THostValues::AddRef(const MoaMmValue& value) {
  if (IsVoid(value)) return true;
  THostBox* box = Find(value);
  if (box) ++box->References;
  return box != nullptr;
}

bool THostValues::Release(MoaMmValue& value) {
  if (IsVoid(value)) return true;
  THostBox* box = Find(value);
  if (!box) return false;
  const std::uint32_t index = value.Word[1];
  value = {};
  if (--box->References > 0) return true;
  // Children first: they free boxes of their own, never this one. The box keeps its buffers
  // for the next value, as a host's pool would.
  for (MoaMmValue& item : box->Items) Release(item);
  for (MoaMmValue& name : box->Names) Release(name);
  box->Items.clear();
  box->Names.clear();
  box->Text.clear();
  box->Type = kMoaValueVoid;
  box->Integer = 0;
  box->Float = 0;
  std::fill(std::begin(box->Words), std::end(box->Words), 0);
  ++box->Generation;
  free_.push_back(index);
  return true;
}

MoaMmSymbol THostValues::Intern(std::string_view name) {
  const auto [found, added] =
      symbols_.emplace(LowerAscii(name), MoaMmSymbol(symbolNames_.size() + 1));
  if (added) symbolNames_.emplace_back(name);
  return found->second;
}

const std::string* THostValues::SymbolName(MoaMmSymbol symbol) const {
  if (symbol < 1 || std::size_t(symbol) > symbolNames_.size()) return nullptr;
  return &symbolNames_[std::size_t(symbol) - 1];
}

THostValue THostValues::RGB(int red, int green, int blue) {
  const MoaLong word = MoaLong(kMoaColorRGBFlag | MoaUlong((red & 0xFF) << 16) |
                               MoaUlong((green & 0xFF) << 8) | MoaUlong(blue & 0xFF));
  return Hold(MakeWords(kMoaValueColor, {word}));
}

THostValue THostValues::List(std::initializer_list<THostValue> items) {
  const MoaMmValue list = Make(kMoaValueList);
  for (const THostValue& item : items) {
    AddRef(item.Raw());
    Box(list.Word[1]).Items.push_back(item.Raw());
  }
  return Hold(list);
}

THostValue THostValues::PropertyList(
    std::initializer_list<std::pair<THostValue, THostValue>> properties) {
  const MoaMmValue list = Make(kMoaValuePropertyList);
  for (const auto& [name, value] : properties) {
    AddRef(name.Raw());
    AddRef(value.Raw());
    Box(list.Word[1]).Names.push_back(name.Raw());
    Box(list.Word[1]).Items.push_back(value.Raw());
  }
  return Hold(list);
}

THostValue THostValues::Object(std::string_view xtraName) {
  const MoaMmValue object = Make(kHostValueObject);
  Box(object.Word[1]).Text.assign(xtraName);
  return Hold(object);
}

}  // namespace dxhost
