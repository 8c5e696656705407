#include "XmlDom/XmlNameTable.h"

#include <gtest/gtest.h>

#include "XmlDom/XmlDocument.h"
#include "XmlTestSupport.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

TEST(NameTable, PredefinedNamesHoldTheFirstFiveIds) {
  auto table = MakeLoose<TXmlNameTable>();
  EXPECT_EQ(table->InternName("#text"), 0);
  EXPECT_EQ(table->InternName("#cdata-section"), 1);
  EXPECT_EQ(table->InternName("#comment"), 2);
  EXPECT_EQ(table->InternName("#document"), 3);
  EXPECT_EQ(table->InternName("xml"), 4);
  EXPECT_EQ(table->NameCount(), 5);
  EXPECT_EQ(table->BucketCount(), 4096);
}

TEST(NameTable, EmptyNameIsMinusOneAndNegativeIdsAreEmpty) {
  auto table = MakeLoose<TXmlNameTable>();
  EXPECT_EQ(table->InternName(""), -1);
  EXPECT_EQ(table->NameCount(), 5);
  EXPECT_EQ(table->NameOfIndex(-1), "");
  EXPECT_EQ(ErrorOf([&] { table->NameOfIndex(5); }), msg::kListIndexOutOfRange.View());
}

TEST(NameTable, InterningIsExactAndStable) {
  auto table = MakeLoose<TXmlNameTable>();
  const int item = table->InternName("Item");
  EXPECT_EQ(item, 5);
  EXPECT_EQ(table->InternName("item"), 6);
  EXPECT_EQ(table->InternName("Item"), item);
  EXPECT_EQ(table->NameOfIndex(item), "Item");
  EXPECT_EQ(table->FindName("item"), 6);
  EXPECT_EQ(table->FindName("unseen"), -1);
  EXPECT_EQ(table->NameCount(), 7);
}

TEST(NameTable, IdsGoToTheBucketOfTheirHash) {
  // h = h * 33 + byte: "a" is 97, "ab" is 97 * 33 + 98 = 3299.
  EXPECT_EQ(TXmlNameTable::Hash("a"), 97u);
  EXPECT_EQ(TXmlNameTable::Hash("ab"), 3299u);
  EXPECT_EQ(TXmlNameTable::Hash("\xFF"), 255u);
  auto table = MakeLoose<TXmlNameTable>(16);
  const int a = table->InternName("a");    // 97 % 16 = 1
  const int q = table->InternName("q");    // 113 % 16 = 1
  const int ab = table->InternName("ab");  // 3299 % 16 = 3
  // "xml" hashes to 134385, also bucket 1, and came first.
  EXPECT_EQ(table->Bucket(1), (std::vector<std::int32_t>{kXmlNameId, a, q}));
  EXPECT_EQ(table->Bucket(3).back(), ab);
  // A long name wraps the 32-bit hash.
  const std::string longName(40, 'z');
  std::uint32_t h = 0;
  for (char c : longName) h = h * 33u + std::uint32_t(static_cast<unsigned char>(c));
  EXPECT_EQ(TXmlNameTable::Hash(longName), h);
}

TEST(NameTable, FreshTablesKeepTheirNamesApart) {
  auto first = MakeLoose<TXmlNameTable>();
  auto second = MakeLoose<TXmlNameTable>();
  const int xmlBucket = int(TXmlNameTable::Hash("xml") % 4096);
  const int itemBucket = int(TXmlNameTable::Hash("item") % 4096);
  EXPECT_EQ(first->InternName("xml"), kXmlNameId);
  EXPECT_EQ(first->InternName("item"), 5);
  EXPECT_EQ(first->Bucket(itemBucket).back(), 5);
  EXPECT_EQ(first->Bucket(xmlBucket).front(), kXmlNameId);
  // Neither the other table nor a later one sees the name.
  auto third = MakeLoose<TXmlNameTable>();
  for (auto* table : {second.Get(), third.Get()}) {
    EXPECT_EQ(table->FindName("item"), -1);
    EXPECT_EQ(table->FindName("#document"), kDocumentNameId);
    EXPECT_EQ(table->BucketCount(), 4096);
    EXPECT_EQ(table->Bucket(xmlBucket).front(), kXmlNameId);
    EXPECT_TRUE(table->Bucket(itemBucket).empty() || table->Bucket(itemBucket).back() < 5);
  }
  EXPECT_EQ(second->InternName("other"), 5);
  EXPECT_EQ(first->NameOfIndex(5), "item");
}

TEST(NameTable, StoredArraysAreInstalledAndChecked) {
  auto table = MakeLoose<TXmlNameTable>();
  std::vector<std::string> names{"#text", "#cdata-section", "#comment", "#document", "xml", "r"};
  std::vector<std::vector<std::int32_t>> buckets(4096);
  for (int id = 0; id < 6; ++id) buckets[TXmlNameTable::Hash(names[id]) % 4096].push_back(id);
  auto damaged = buckets;
  damaged[0].push_back(6);
  EXPECT_EQ(ErrorOf([&] { table->ReplaceArrays(names, damaged); }), msg::kDataReadError.View());
  EXPECT_EQ(table->NameCount(), 5);
  table->ReplaceArrays(names, buckets);
  EXPECT_EQ(table->InternName("r"), 5);
  EXPECT_EQ(table->NameCount(), 6);
}

TEST(NameTable, SharedTableLivesUntilReleased) {
  TXmlNameTable& shared = SharedNameTable();
  EXPECT_EQ(&SharedNameTable(), &shared);
  EXPECT_EQ(shared.InternName("xml"), 4);
}

// A table of the library's own, made through the public factory, is the one a document made on
// it interns into; the shared table never sees those names. Any other implementation of the
// interface is refused before a document is made.
TEST(NameTable, DocumentsUseATableOfTheirOwnAndRefuseForeignOnes) {
  Ref<IXmlNameTable> table = MakeXmlNameTable();
  Ref<IXmlDocument> doc = MakeXmlDocument("own-table-root", "1.0", "", table.Get());
  EXPECT_EQ(doc->NodeNameTable(), table);
  EXPECT_EQ(doc->GetDocumentElement()->GetNodeNameIndex(), table->InternName("own-table-root"));
  EXPECT_EQ(SharedNameTable().FindName("own-table-root"), -1);
  EXPECT_EQ(MakeXmlDocument()->NodeNameTable().Get(), &SharedNameTable());

  class TForeignTable final : public IXmlNameTable {
   public:
    void AddRef() const noexcept override {}
    void Release() const noexcept override {}
    int InternName(std::string_view) override { return 0; }
    std::string NameOfIndex(int) override { return {}; }
  } foreign;
  EXPECT_EQ(ErrorOf([&] { MakeXmlDocument("root", "1.0", "", &foreign); }), msg::kInvalidTypecast);
}

}  // namespace
