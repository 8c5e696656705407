// Damaged binary XML: every refusal with its message, every truncation, random corruption.
// Nothing may crash, leak, or allocate what a damaged count asks for.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "AllocationProbe.h"
#include "BinaryTestSupport.h"
#include "XmlTestSupport.h"
#include "common/FormatText.h"

using namespace xmldom;

namespace {

using namespace binary_testing;

const std::vector<std::string> kNames = {"#text", "#cdata-section", "#comment", "#document", "xml",
                                         "a"};

// The bucket section (bucket count onwards) that the interning rule gives names.
std::string BucketSection(const std::vector<std::string>& names, int bucketCount = 4096) {
  std::vector<std::vector<std::int32_t>> buckets(static_cast<std::size_t>(bucketCount));
  for (std::size_t id = 0; id < names.size(); ++id)
    buckets[TXmlNameTable::Hash(names[id]) % std::uint32_t(bucketCount)].push_back(
        std::int32_t(id));
  std::string section = Compact(bucketCount);
  std::string records;
  int filled = 0;
  for (int index = 0; index < bucketCount; ++index) {
    if (buckets[std::size_t(index)].empty()) continue;
    ++filled;
    records += Compact(index) + Compact(int(buckets[std::size_t(index)].size()));
    for (std::int32_t id : buckets[std::size_t(index)])
      records.append(reinterpret_cast<const char*>(&id), 4);
  }
  return section + Compact(filled) + records;
}

std::string NameList(const std::vector<std::string>& names) {
  std::string list = Compact(int(names.size()));
  for (const std::string& name : names) list += Compact(int(name.size())) + name;
  return list;
}

// A whole file: header, the names, the bucket section and the document content.
std::string File(const std::string& content, const std::vector<std::string>& names = kNames,
                 const std::string& buckets = BucketSection(kNames)) {
  return std::string(kBinXmlSignature) + std::string(4, '\0') + NameList(names) + buckets + content;
}

// Document content with one element child named by id, holding the rest.
std::string OneElement(std::int32_t id, const std::string& rest = std::string(3, '\0')) {
  return std::string("\x00\x01\x01", 3) + Compact(id) + rest;
}

std::string LoadError(const std::string& bytes) {
  return ErrorOf([&] { FromBinary(bytes); });
}

class BinaryBadInput : public TXmlTest {};

TEST_F(BinaryBadInput, AWellFormedFileOfTheseHelpersLoads) {
  auto doc = FromBinary(File(OneElement(5)));
  EXPECT_EQ(doc->GetDocumentElement()->GetNodeName(), "a");
}

TEST_F(BinaryBadInput, TheFirstFiveNamesMustBeThePredefinedOnes) {
  auto names = kNames;
  names[1] = "#cdata";
  EXPECT_EQ(LoadError(File("", names, BucketSection(names))),
            FormatText(msg::kBinaryBadPredefinedName, {1, "#cdata-section"}));
  const std::vector<std::string> few = {"#text", "#cdata-section"};
  EXPECT_EQ(LoadError(File("", few, BucketSection(few))),
            FormatText(msg::kBinaryBadPredefinedName, {2, "#comment"}));
  EXPECT_EQ(LoadError(File("", {}, BucketSection({}))),
            FormatText(msg::kBinaryBadPredefinedName, {0, "#text"}));
}

TEST_F(BinaryBadInput, BucketCountsOutsideOneToTheLimitAreRefused) {
  for (int count : {0, -1, kMaxBinaryXmlBuckets + 1, 0x7FFFFFFF})
    EXPECT_EQ(LoadError(File("", kNames, Compact(count) + std::string(1, '\0'))),
              FormatText(msg::kBinaryBadBucketCount, {count}));
  EXPECT_EQ(LoadError(File(std::string(2, '\0'), kNames, BucketSection(kNames, 1))), "");
  EXPECT_EQ(
      LoadError(File(std::string(2, '\0'), kNames, BucketSection(kNames, kMaxBinaryXmlBuckets))),
      "");
}

TEST_F(BinaryBadInput, BucketIndexesAndStoredIdsMustBeInRange) {
  const std::string id5("\x05\0\0\0", 4);
  for (int index : {4096, 40000, -1})
    EXPECT_EQ(LoadError(File("", kNames, Compact(4096) + "\x01" + Compact(index) + "\x01" + id5)),
              FormatText(msg::kBinaryBadBucketIndex, {index}));
  for (std::int32_t id : {6, -1, 0x7FFFFFFF}) {
    const std::string raw(reinterpret_cast<const char*>(&id), 4);
    EXPECT_EQ(LoadError(File("", kNames, Compact(4096) + "\x01\x07\x01" + raw)),
              FormatText(msg::kBinaryBadNameId, {id}));
  }
}

TEST_F(BinaryBadInput, ARefusedNameTableLeavesTheTableAsItWas) {
  auto names = kNames;
  names.push_back("b");
  const std::string bytes =
      File("", names, Compact(4096) + std::string("\x01\x07\x01\x09\0\0\0", 7));
  auto table = MakeLoose<TXmlNameTable>();
  TStrXmlReader reader(bytes);
  EXPECT_EQ(ErrorOf([&] { ReadXmlNameTable(reader, *table); }),
            FormatText(msg::kBinaryBadNameId, {9}));
  EXPECT_EQ(table->NameCount(), 5);
  EXPECT_EQ(table->InternName("b"), 5);
}

TEST_F(BinaryBadInput, NameIdsOfNodesAndAttributesMustBeInTheTable) {
  EXPECT_EQ(LoadError(File(OneElement(6))), FormatText(msg::kBinaryBadNameId, {6}));
  EXPECT_EQ(LoadError(File(OneElement(-2))), FormatText(msg::kBinaryBadNameId, {-2}));
  // An attribute named 6 on the element.
  EXPECT_EQ(LoadError(File(OneElement(5, std::string("\x00\x01\x06\x00\x00", 5)))),
            FormatText(msg::kBinaryBadNameId, {6}));
  // An instruction whose target is 40000.
  EXPECT_EQ(LoadError(File(std::string("\x00\x01\x07", 3) + Compact(40000) + std::string(3, '\0'))),
            FormatText(msg::kBinaryBadNameId, {40000}));
  // A document attribute named 7.
  EXPECT_EQ(LoadError(File(std::string("\x01\x07\x00\x00", 4))),
            FormatText(msg::kBinaryBadNameId, {7}));
}

TEST_F(BinaryBadInput, UnknownNodeTypesAreRefused) {
  for (int type : {0, 2, 5, 6, 9, 10, 255})
    EXPECT_EQ(LoadError(File(std::string("\x00\x01", 2) + char(type) + std::string(8, '\0'))),
              msg::kBinaryReadBadNodeType.View())
        << type;
}

TEST_F(BinaryBadInput, CountsBeyondTheRemainingBytesAreRefusedUnread) {
  allocation_probe::ResetLargest();
  // Children, attributes, names, bucket records and bucket ids that the file cannot hold.
  const std::string huge = Compact(0x7FFFFFFF);
  EXPECT_EQ(LoadError(File(std::string(1, '\0') + huge + std::string(10, '\0'))),
            msg::kDataReadError.View());
  EXPECT_EQ(LoadError(File(huge + std::string(10, '\0'))), msg::kDataReadError.View());
  EXPECT_EQ(LoadError(File(OneElement(5, std::string(1, '\0') + Compact(5000) + "\x05"))),
            msg::kDataReadError.View());
  EXPECT_EQ(LoadError(std::string(kBinXmlSignature) + std::string(4, '\0') + huge),
            msg::kDataReadError.View());
  EXPECT_EQ(LoadError(File("", kNames, Compact(4096) + huge)), msg::kDataReadError.View());
  EXPECT_EQ(
      LoadError(File("", kNames, Compact(4096) + "\x01\x07" + Compact(3) + std::string(8, '\0'))),
      msg::kDataReadError.View());
  EXPECT_LT(allocation_probe::Largest(), std::size_t(1) << 20);
}

// A small document with every kind of record, as the truncation and corruption tests start
// from.
std::string SmallValidFile(std::uint32_t options) {
  auto doc = MakeXmlDocument("r", "1.0", "", MakeLoose<TXmlNameTable>().Get());
  auto root = doc->GetDocumentElement();
  root->SetTextAttr("k", "v");
  root->SetIntAttr("n", 300);
  root->AddChildElement("e")->SetNodeValue(XmlValue::FromFloat64(1.5));
  root->AddChildText("text");
  root->AddChildCDATA("cdata");
  root->AddChildComment("comment");
  root->AddChildInstruction("pi", "data");
  root->AddChildElement("w")->SetNodeValue(XmlValue::FromWideString(u"wide"));
  return ToBinary(doc.Get(), options);
}

TEST_F(BinaryBadInput, EveryTruncationFailsWithTheDataReadError) {
  for (std::uint32_t options : {0u, kBinXmlWideStrings}) {
    const std::string file = SmallValidFile(options);
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
      const std::string prefix = file.substr(0, cut);
      EXPECT_EQ(LoadError(prefix), msg::kDataReadError.View()) << cut;
      EXPECT_EQ(ErrorOf([&] { FromBinaryStream(prefix, 4); }), msg::kDataReadError.View()) << cut;
    }
    // Cut short by one byte, the document keeps what was read before the failure.
    Ref<IXmlDocument> doc = NewBinaryTarget();
    ErrorOf([&] { ReadBinaryInto(doc.Get(), file.substr(0, file.size() - 1)); });
    ASSERT_NE(doc->GetDocumentElement(), nullptr);
    EXPECT_GE(doc->GetDocumentElement()->GetChildNodes()->GetCount(), 5);
  }
}

// What a load of bytes gives: its failure ("" for none) and the tree it kept.
struct TDamagedLoad {
  std::string Error;
  Ref<IXmlDocument> Document = NewBinaryTarget();
};

TDamagedLoad LoadFromString(const std::string& bytes) {
  TDamagedLoad load;
  load.Error = ErrorOf([&] { ReadBinaryInto(load.Document.Get(), bytes); });
  return load;
}

// Blocks of 7 bytes never hold a whole record, so this reader takes every field on its own.
TDamagedLoad LoadFromStream(const std::string& bytes) {
  TDamagedLoad load;
  TMemoryStream stream(bytes);
  stream.Seek(std::int64_t(kBinXmlSignature.size()));
  load.Error = ErrorOf([&] {
    TStmXmlReader reader(stream, 7);
    ReadBinaryXml(reader, NodeOf(load.Document.Get()));
  });
  return load;
}

// Loads bytes that may be damaged: success, or EXmlError and nothing else. The string reader,
// which takes the common records whole, and the stream reader, which never can, fail alike and
// keep the same tree. What loads must write out as a file that loads and writes out as the very
// same bytes.
void LoadDamaged(const std::string& bytes) {
  allocation_probe::ResetLargest();
  const TDamagedLoad fromString = LoadFromString(bytes);
  const TDamagedLoad fromStream = LoadFromStream(bytes);
  // The names and buckets are proportionate to the input; the bucket array is at most the
  // largest count taken.
  ASSERT_LT(allocation_probe::Largest(), std::size_t(4) << 20);
  ASSERT_EQ(fromString.Error, fromStream.Error);
  ASSERT_EQ(fromString.Document->GetXML(), fromStream.Document->GetXML());
  if (fromString.Error.empty()) {
    const std::string written = ToBinary(fromString.Document.Get());
    ASSERT_EQ(ToBinary(FromBinary(written).Get()), written);
  }
}

TEST_F(BinaryBadInput, RandomCorruptionsFailCleanly) {
  std::mt19937 random(20240229);
  for (std::uint32_t options : {0u, kBinXmlWideStrings}) {
    const std::string file = SmallValidFile(options);
    for (int round = 0; round < 2000; ++round) {
      std::string bytes = file;
      const int edits = 1 + int(random() % 4);
      for (int e = 0; e < edits; ++e) {
        const std::size_t at = kBinXmlSignature.size() + random() % (bytes.size() - 14);
        switch (random() % 4) {
          case 0:  // a random byte
            bytes[at] = char(random());
            break;
          case 1:  // one bit
            bytes[at] = char(bytes[at] ^ (1 << (random() % 8)));
            break;
          case 2:  // a byte that starts a long compact integer
            bytes[at] = char(0xFF);
            break;
          default:  // a byte more
            bytes.insert(at, 1, char(random()));
            break;
        }
      }
      ASSERT_NO_FATAL_FAILURE(LoadDamaged(bytes)) << round;
    }
  }
}

}  // namespace
