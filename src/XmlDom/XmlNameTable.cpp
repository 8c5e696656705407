#include "XmlDom/XmlNameTable.h"

#include <iterator>
#include <utility>

#include "XmlDom/XmlErrors.h"
#include "common/Error.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

constexpr std::string_view kPredefinedNames[] = {"#text", "#cdata-section", "#comment", "#document",
                                                 "xml"};

Ref<TXmlNameTable>& SharedTableHolder() {
  static Ref<TXmlNameTable> table;
  return table;
}

}  // namespace

TXmlNameTable::TXmlNameTable(TXmlStoreKey, int bucketCount) {
  if (bucketCount == kStandardBucketCount) {
    // Made here, where a failure to allocate may raise, not in the lookups that read them.
    FreshStandardBuckets();
    names_.assign(std::begin(kPredefinedNames), std::end(kPredefinedNames));
    return;
  }
  buckets_.resize(bucketCount > 0 ? std::size_t(bucketCount) : 1);
  for (std::string_view name : kPredefinedNames) InternName(name);
}

const TXmlNameTable::TBuckets& TXmlNameTable::FreshStandardBuckets() {
  static const TBuckets buckets = [] {
    TBuckets fresh(kStandardBucketCount);
    for (std::size_t id = 0; id < std::size(kPredefinedNames); ++id)
      fresh[Hash(kPredefinedNames[id]) % kStandardBucketCount].push_back(std::int32_t(id));
    return fresh;
  }();
  return buckets;
}

std::uint32_t TXmlNameTable::Hash(std::string_view name) noexcept {
  std::uint32_t h = 0;
  for (unsigned char byte : name) h = h * 33 + byte;
  return h;
}

int TXmlNameTable::InternName(std::string_view name) {
  if (name.empty()) return -1;
  if (buckets_.empty()) {
    if (const int id = FindName(name); id >= 0) return id;
    buckets_ = FreshStandardBuckets();
  }
  std::vector<std::int32_t>& bucket = buckets_[Hash(name) % std::uint32_t(buckets_.size())];
  for (std::int32_t id : bucket)
    if (names_[id] == name) return id;
  const auto id = static_cast<std::int32_t>(names_.size());
  names_.emplace_back(name);
  bucket.push_back(id);
  return id;
}

int TXmlNameTable::FindName(std::string_view name) const {
  if (name.empty()) return -1;
  const TBuckets& buckets = Buckets();
  for (std::int32_t id : buckets[Hash(name) % std::uint32_t(buckets.size())])
    if (names_[id] == name) return id;
  return -1;
}

std::string TXmlNameTable::NameOfIndex(int id) {
  return std::string(NameView(id));
}

void TXmlNameTable::RaiseNoSuchId() {
  RaiseListIndexError();
}

void TXmlNameTable::ReplaceArrays(std::vector<std::string> names,
                                  std::vector<std::vector<std::int32_t>> buckets) {
  if (buckets.empty() || names.size() < std::size(kPredefinedNames)) RaiseDataReadError();
  for (std::size_t i = 0; i < std::size(kPredefinedNames); ++i)
    if (names[i] != kPredefinedNames[i]) RaiseDataReadError();
  for (const auto& bucket : buckets)
    for (std::int32_t id : bucket)
      if (id < 0 || std::size_t(id) >= names.size()) RaiseDataReadError();
  names_ = std::move(names);
  buckets_ = std::move(buckets);
}

Ref<IXmlNameTable> MakeXmlNameTable() {
  return MakeLoose<TXmlNameTable>();
}

TXmlNameTable& SharedNameTable() {
  Ref<TXmlNameTable>& table = SharedTableHolder();
  if (!table) table = MakeLoose<TXmlNameTable>();
  return *table;
}

void ReleaseSharedNameTable() noexcept {
  SharedTableHolder().Reset();
}

}  // namespace xmldom
