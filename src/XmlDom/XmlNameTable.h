#pragma once

// The interned name table. Nodes never store names as text: they store 32-bit ids, and the
// table maps ids to names and back. Ids are dense from 0 and are never reused or removed, so an
// id stays valid as long as the table lives.
//
// The hash (h = h * 33 + byte, 32-bit unsigned) and the bucket rule (h modulo the bucket count)
// are fixed: binary XML stores the names and buckets as they are, and later lookups must find
// the stored names.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "XmlDom/IXmlNameTable.h"
#include "XmlDom/XmlBase.h"

namespace xmldom {

class TXmlNameTable final : public IXmlNameTable, public TXmlBase<TXmlNameTable> {
 public:
  void AddRef() const noexcept override { TXmlBase::AddRef(); }
  void Release() const noexcept override { TXmlBase::Release(); }

  // Every table of the system has this many buckets.
  static constexpr int kStandardBucketCount = 4096;

  explicit TXmlNameTable(TXmlStoreKey, int bucketCount = kStandardBucketCount);

  int InternName(std::string_view name) override;
  std::string NameOfIndex(int id) override;

  // The name without a copy; valid until the next InternName. Same rules as NameOfIndex.
  std::string_view NameView(int id) const {
    if (id < 0) return {};
    if (id >= NameCount()) RaiseNoSuchId();
    return names_[std::size_t(id)];
  }
  // The id of the name, or -1 when it is not interned (nothing is added).
  int FindName(std::string_view name) const;
  // True when id names an entry of this table.
  bool HasId(int id) const noexcept { return id >= 0 && id < NameCount(); }

  int NameCount() const noexcept { return int(names_.size()); }
  int BucketCount() const noexcept { return int(Buckets().size()); }
  const std::vector<std::string>& Names() const noexcept { return names_; }
  const std::vector<std::int32_t>& Bucket(int index) const { return Buckets().at(index); }

  // Installs stored arrays as they are, without hashing (binary XML). Raises the data read
  // error, and
  // leaves the table unchanged, when a bucket holds an id outside the names or when the first
  // five names are not the predefined ones.
  void ReplaceArrays(std::vector<std::string> names,
                     std::vector<std::vector<std::int32_t>> buckets);

  static std::uint32_t Hash(std::string_view name) noexcept;

 private:
  using TBuckets = std::vector<std::vector<std::int32_t>>;

  [[noreturn]] static void RaiseNoSuchId();
  // The buckets of a table of the standard count that holds the predefined names only.
  static const TBuckets& FreshStandardBuckets();

  const TBuckets& Buckets() const noexcept {
    return buckets_.empty() ? FreshStandardBuckets() : buckets_;
  }

  std::vector<std::string> names_;
  // Empty while a table of the standard count holds only the predefined names: it then reads
  // the fresh buckets that all such tables share, and takes its own copy when it interns a
  // name. A binary load makes such a table only to replace its arrays with the stored ones.
  TBuckets buckets_;
};

// The process-wide table that documents share unless they are given their own. Made on first
// use; ReleaseSharedNameTable drops the library's reference at shutdown (nodes that still use
// it keep it alive).
TXmlNameTable& SharedNameTable();
void ReleaseSharedNameTable() noexcept;

}  // namespace xmldom
