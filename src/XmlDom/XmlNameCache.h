#pragma once

// The ids of the names met while reading one input. A document repeats a few names many times,
// so the reader looks each name up here first: a name of up to 16 characters is keyed by its
// bytes as they stand (two machine words and the length), which costs no hashing and no
// comparison of characters; longer names and names met for the first time go to the table.

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "XmlDom/XmlBytes.h"

namespace xmldom {

class TXmlNameTable;

class TXmlNameCache {
 public:
  TXmlNameCache() noexcept = default;

  // The id of name in table, or -1 when the table does not hold it (nothing is added).
  int Find(const TXmlNameTable& table, std::string_view name) {
    if (&table != table_) UseTable(table);
    if (name.empty() || name.size() > kMaxKeyed) return FindInTable(table, name);
    const TKey key = KeyOf(name);
    const TEntry& entry = entries_[Slot(key)];
    if (entry.Key.First == key.First && entry.Key.Last == key.Last && entry.Key.Size == key.Size)
      return entry.Id;
    return FindAndRemember(table, name, key);
  }
  // The id of name, interning it in table when new.
  int Intern(TXmlNameTable& table, std::string_view name) {
    const int id = Find(table, name);
    return id >= 0 ? id : InternNew(table, name);
  }

 private:
  static constexpr std::size_t kMaxKeyed = 16;
  static constexpr std::size_t kEntries = 256;

  // Every byte of a name of 1 to 16 bytes is in First or Last, so with the length the key
  // tells names apart exactly.
  struct TKey {
    std::uint64_t First;
    std::uint64_t Last;
    std::uint32_t Size;  // 0 marks an empty entry: no name is empty
  };
  struct TEntry {
    TKey Key;
    std::int32_t Id;
  };

  static TKey KeyOf(std::string_view name) noexcept {
    const char* p = name.data();
    const std::size_t n = name.size();
    if (n >= 8)
      return {LoadBytes<std::uint64_t>(p), LoadBytes<std::uint64_t>(p + n - 8), std::uint32_t(n)};
    if (n >= 4) {
      const std::uint64_t first = LoadBytes<std::uint32_t>(p);
      return {first | std::uint64_t(LoadBytes<std::uint32_t>(p + n - 4)) << 32, 0,
              std::uint32_t(n)};
    }
    const auto byte = [p](std::size_t i) {
      return std::uint64_t(static_cast<unsigned char>(p[i]));
    };
    return {byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16, 0, std::uint32_t(n)};
  }
  static std::size_t Slot(const TKey& key) noexcept {
    const std::uint64_t mixed = key.First ^ (key.Last << 1) ^ key.Size;
    return std::size_t((mixed * 0x9E3779B97F4A7C15ull) >> 56);
  }
  void UseTable(const TXmlNameTable& table) noexcept {
    Forget();
    table_ = &table;
  }
  void Forget() noexcept;
  int FindInTable(const TXmlNameTable& table, std::string_view name) const;
  int FindAndRemember(const TXmlNameTable& table, std::string_view name, const TKey& key);
  void Remember(std::string_view name, int id) noexcept;
  int InternNew(TXmlNameTable& table, std::string_view name);

  const TXmlNameTable* table_ = nullptr;
  std::array<TEntry, kEntries> entries_{};  // whole keys set: lookups compare all of them
};

}  // namespace xmldom
