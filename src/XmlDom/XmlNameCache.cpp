#include "XmlDom/XmlNameCache.h"

#include "XmlDom/XmlNameTable.h"

namespace xmldom {

void TXmlNameCache::Forget() noexcept {
  for (TEntry& entry : entries_) entry.Key.Size = 0;
}

int TXmlNameCache::FindInTable(const TXmlNameTable& table, std::string_view name) const {
  return table.FindName(name);
}

int TXmlNameCache::FindAndRemember(const TXmlNameTable& table, std::string_view name,
                                   const TKey& key) {
  const int id = table.FindName(name);
  if (id >= 0) entries_[Slot(key)] = {key, id};
  return id;
}

void TXmlNameCache::Remember(std::string_view name, int id) noexcept {
  if (!name.empty() && name.size() <= kMaxKeyed) {
    const TKey key = KeyOf(name);
    entries_[Slot(key)] = {key, id};
  }
}

int TXmlNameCache::InternNew(TXmlNameTable& table, std::string_view name) {
  const int interned = table.InternName(name);
  Remember(name, interned);
  return interned;
}

}  // namespace xmldom
