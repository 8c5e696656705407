// The name table section of binary XML.
#include <string>
#include <utility>
#include <vector>

#include "XmlDom/BinaryXml.h"
#include "XmlDom/XmlNameTable.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

// The names every table holds under ids 0 to 4.
constexpr std::string_view kPredefinedNames[] = {"#text", "#cdata-section", "#comment", "#document",
                                                 "xml"};

void CheckPredefinedNames(const std::vector<std::string>& names) {
  for (std::size_t id = 0; id < std::size(kPredefinedNames); ++id)
    if (id >= names.size() || names[id] != kPredefinedNames[id])
      throw EXmlError(FormatText(msg::kBinaryBadPredefinedName, {id, kPredefinedNames[id]}));
}

std::int32_t ReadBucketCount(TBinXmlReader& reader) {
  const std::int32_t count = reader.ReadInt();
  if (count < 1 || count > kMaxBinaryXmlBuckets)
    throw EXmlError(FormatText(msg::kBinaryBadBucketCount, {count}));
  return count;
}

// Reads the stored buckets only to check them: the buckets installed are made again from the
// names by the interning rule, which gives exactly the stored ones for every table this
// system writes and a table whose lookups work for any other.
void SkipStoredBuckets(TBinXmlReader& reader, std::int32_t bucketCount, std::size_t nameCount) {
  const std::int32_t stored = reader.ReadCount(2);
  for (std::int32_t i = 0; i < stored; ++i) {
    const std::int32_t index = reader.ReadInt();
    if (index < 0 || index >= bucketCount)
      throw EXmlError(FormatText(msg::kBinaryBadBucketIndex, {index}));
    const std::int32_t idCount = reader.ReadCount(4);
    for (std::int32_t k = 0; k < idCount; ++k) {
      std::int32_t id;
      reader.Read(&id, sizeof id);
      if (id < 0 || std::size_t(id) >= nameCount) RaiseBinaryBadNameId(id);
    }
  }
}

std::vector<std::vector<std::int32_t>> BucketsOf(const std::vector<std::string>& names,
                                                 std::int32_t bucketCount) {
  std::vector<std::vector<std::int32_t>> buckets(static_cast<std::size_t>(bucketCount));
  for (std::size_t id = 0; id < names.size(); ++id)
    buckets[TXmlNameTable::Hash(names[id]) % std::uint32_t(bucketCount)].push_back(
        std::int32_t(id));
  return buckets;
}

}  // namespace

void ReadXmlNameTable(TBinXmlReader& reader, TXmlNameTable& table) {
  const std::int32_t nameCount = reader.ReadCount(1);
  std::vector<std::string> names;
  names.reserve(std::size_t(nameCount));
  std::string scratch;
  for (std::int32_t i = 0; i < nameCount; ++i) names.emplace_back(reader.ReadStringView(scratch));
  CheckPredefinedNames(names);
  const std::int32_t bucketCount = ReadBucketCount(reader);
  SkipStoredBuckets(reader, bucketCount, names.size());
  auto buckets = BucketsOf(names, bucketCount);
  table.ReplaceArrays(std::move(names), std::move(buckets));
}

void WriteXmlNameTable(TBinXmlWriter& writer, const TXmlNameTable& table) {
  writer.WriteInt(table.NameCount());
  for (const std::string& name : table.Names()) writer.WriteString(name);
  const int bucketCount = table.BucketCount();
  writer.WriteInt(bucketCount);
  int filled = 0;
  for (int i = 0; i < bucketCount; ++i) filled += table.Bucket(i).empty() ? 0 : 1;
  writer.WriteInt(filled);
  for (int i = 0; i < bucketCount; ++i) {
    const std::vector<std::int32_t>& ids = table.Bucket(i);
    if (ids.empty()) continue;
    writer.WriteInt(i);
    writer.WriteInt(int(ids.size()));
    writer.Write(ids.data(), ids.size() * sizeof(std::int32_t));
  }
}

}  // namespace xmldom
