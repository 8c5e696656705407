// Trees through binary XML: what is written, and that reading gives back an equal tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BinaryTestSupport.h"
#include "XmlTestSupport.h"

using namespace xmldom;

namespace {

using namespace binary_testing;

class BinaryTree : public TXmlTest {
 protected:
  Ref<TXmlNameTable> table_ = MakeLoose<TXmlNameTable>();
  Ref<IXmlDocument> doc_ = MakeXmlDocument({}, {}, {}, table_.Get());

  // A document with every node kind, typed values, attributes on the declaration and Cyrillic
  // names.
  void BuildRichDocument() {
    auto root = doc_->InitDocument("1.0", "", "корень");
    auto declaration = doc_->GetChildNodes()->GetItem(0);
    declaration->SetText("");
    declaration->SetTextAttr("version", "1.0");
    declaration->SetTextAttr("encoding", "windows-1251");
    root->SetIntAttr("count", 7);
    root->SetBoolAttr("flag", true);
    root->SetDoubleAttr("ratio", 0.25);
    root->SetTextAttr("имя", "значение");
    root->SetValueAttr("wide", XmlValue::FromWideString(u"\x0416"));
    root->AddChildElement("number")->SetNodeValue(XmlValue::FromInt32(5));
    root->AddChildElement("nothing");
    auto list = root->AddChildElement("list");
    list->AddChildText("text & more");
    list->AddChildCDATA(" raw <data> ");
    list->AddChildComment(" a comment ");
    list->AddChildElement("item")->SetTextAttr("id", "1");
    list->AddChildElement("item")->SetValueAttr("id", XmlValue::FromInt64(1));
    list->AddChildInstruction("pi", "some data");
    root->AddChildText("")->SetNodeValue(XmlValue::FromDateTime(45000.25));
    root->AddChildElement("bytes")->SetNodeValue(XmlValue::FromByteArray(std::string("\0\1", 2)));
    doc_->AddChildComment("after");
  }
};

TEST_F(BinaryTree, AnEmptyDocumentIsTheHeaderTheFiveNamesAndTwoZeroCounts) {
  std::string expected(kBinXmlSignature);
  expected += std::string(4, '\0');
  const char* names[] = {"#text", "#cdata-section", "#comment", "#document", "xml"};
  expected += '\x05';
  for (const char* name : names) expected += char(std::strlen(name)) + std::string(name);
  expected += std::string("\x90\x00", 2);  // 4096 buckets
  std::vector<std::pair<int, int>> buckets;
  for (int id = 0; id < 5; ++id) buckets.emplace_back(TXmlNameTable::Hash(names[id]) % 4096, id);
  std::sort(buckets.begin(), buckets.end());
  expected += char(buckets.size());
  for (auto [index, id] : buckets) {
    expected += Compact(index) + '\x01';
    expected += std::string(reinterpret_cast<const char*>(&id), 4);
  }
  expected += std::string(2, '\0');
  ASSERT_EQ(buckets.size(), 5u);  // the five names hash apart
  EXPECT_EQ(ToBinary(doc_.Get()), expected);

  auto loaded = FromBinary(expected);
  EXPECT_EQ(loaded->GetChildNodes()->GetCount(), 0);
  EXPECT_EQ(loaded->GetAttributeCount(), 0);
  EXPECT_EQ(loaded->GetXML(), "");
}

TEST_F(BinaryTree, ARichDocumentReadsBackEqualWithAndWithoutUtf16Strings) {
  BuildRichDocument();
  const std::string original = Describe(doc_.Get());
  const std::string narrow = ToBinary(doc_.Get());
  const std::string wide = ToBinary(doc_.Get(), kBinXmlWideStrings);
  EXPECT_NE(narrow, wide);
  for (const std::string& bytes : {narrow, wide}) {
    auto loaded = FromBinary(bytes);
    EXPECT_EQ(Describe(loaded.Get()), original);
    EXPECT_EQ(loaded->GetXML(), doc_->GetXML());
    // The stored table keeps the ids, and its buckets find every stored name.
    TXmlNameTable& loadedTable = NodeOf(loaded.Get()).NameTable();
    EXPECT_EQ(loadedTable.Names(), table_->Names());
    for (int id = 0; id < table_->NameCount(); ++id)
      EXPECT_EQ(loadedTable.FindName(table_->NameView(id)), id);
    EXPECT_EQ(loadedTable.NameCount(), table_->NameCount());
  }
  // Written again, the loaded documents give the same bytes.
  EXPECT_EQ(ToBinary(FromBinary(wide).Get()), narrow);
  EXPECT_EQ(ToBinary(FromBinary(narrow).Get(), kBinXmlWideStrings), wide);
}

TEST_F(BinaryTree, StreamReadingGivesTheSameTreeWhateverTheBlockSize) {
  BuildRichDocument();
  // Windows that end at every place of the records: inside a header, a length, a text.
  for (std::uint32_t options : {0u, kBinXmlWideStrings}) {
    const std::string bytes = ToBinary(doc_.Get(), options);
    for (std::size_t block : {1u, 2u, 7u, 13u, 29u, 100u, 65536u})
      EXPECT_EQ(Describe(FromBinaryStream(bytes, block).Get()), Describe(doc_.Get()))
          << block << " " << options;
  }
}

// An element that holds a text alone is read with it in one piece, the text's bytes included:
// texts of every length round trip, from window or stream, and the nodes change and go one
// by one afterwards.
TEST_F(BinaryTree, ElementsHoldingATextAloneRoundTripAtEveryLength) {
  std::string xml = "<r>";
  for (std::size_t n : {1u, 7u, 8u, 9u, 16u, 17u, 64u, 65u, 127u, 128u, 400u, 430u, 500u, 600u})
    xml += "<t>" + std::string(n, char('a' + n % 26)) + "</t>";
  xml += "<t/><u a='1'>x</u></r>";
  doc_->LoadXML(xml);
  for (std::uint32_t options : {0u, kBinXmlWideStrings}) {
    const std::string bytes = ToBinary(doc_.Get(), options);
    for (auto loaded : {FromBinary(bytes), FromBinaryStream(bytes, 5)}) {
      EXPECT_EQ(loaded->GetXML(), doc_->GetXML()) << options;
      auto root = loaded->GetDocumentElement();
      Ref<IXmlNodeList> items = root->GetChildNodes();
      for (int i = 0; i < items->GetCount(); i += 2) items->GetItem(i)->SetText("changed");
      for (int i = items->GetCount() - 1; i >= 0; i -= 3)
        root->RemoveChild(items->GetItem(i).Get());
      EXPECT_EQ(ToBinary(FromBinary(ToBinary(loaded.Get(), options)).Get(), options),
                ToBinary(loaded.Get(), options));
    }
  }
}

TEST_F(BinaryTree, StreamWriterWritesTheSameBytesAsTheStringWriter) {
  BuildRichDocument();
  for (std::size_t block : {3u, 65536u}) {
    TMemoryStream stream("lead");
    stream.Seek(4);
    TStmXmlWriter writer(stream, block, kBinXmlWideStrings);
    WriteBinaryXml(writer, NodeOf(doc_.Get()));
    writer.Flush();
    EXPECT_EQ(stream.Bytes(),
              std::string("lead").append(ToBinary(doc_.Get(), kBinXmlWideStrings, block)));
  }
}

TEST_F(BinaryTree, AnElementKeepsItsValueOrItsChildrenAsHeld) {
  auto root = doc_->InitDocument("1.0", "", "r");
  auto number = root->AddChildElement("n");
  number->SetNodeValue(XmlValue::FromInt32(5));
  auto loaded = FromBinary(ToBinary(doc_.Get()));
  auto loadedNumber = loaded->GetDocumentElement()->SelectSingleNode("n");
  EXPECT_EQ(loadedNumber->GetValueType(), xvtInt32);
  EXPECT_FALSE(NodeOf(loadedNumber.Get()).Children().Exists());
  // Once its children were reached, the value is a text child and is written as one.
  number->GetChildNodes();
  loaded = FromBinary(ToBinary(doc_.Get()));
  loadedNumber = loaded->GetDocumentElement()->SelectSingleNode("n");
  EXPECT_EQ(loadedNumber->GetChildNodes()->GetCount(), 1);
  EXPECT_EQ(loadedNumber->GetChildNodes()->GetItem(0)->GetNodeValue(), XmlValue::FromString("5"));
  EXPECT_EQ(static_cast<TXmlElement&>(NodeOf(loadedNumber.Get())).Value().Type(), xvtEmpty);
}

TEST_F(BinaryTree, ChildListsAndAttributeArraysAreSizedToTheStoredCounts) {
  auto root = doc_->InitDocument("1.0", "", "r");
  auto sixtyFour = root->AddChildElement("a");
  for (int i = 0; i < 64; ++i) sixtyFour->AddChildElement("c");
  auto hundred = root->AddChildElement("b");
  for (int i = 0; i < 100; ++i) hundred->AddChildComment("c");
  for (int i = 0; i < 3; ++i) hundred->SetIntAttr(std::string(1, char('a' + i)), i);
  auto loaded = FromBinary(ToBinary(doc_.Get()));
  TXmlNode& a = NodeOf(loaded->GetDocumentElement()->SelectSingleNode("a").Get());
  TXmlNode& b = NodeOf(loaded->GetDocumentElement()->SelectSingleNode("b").Get());
  EXPECT_EQ(a.GetChildList().Capacity(), 64);
  EXPECT_EQ(b.GetChildList().Capacity(), 100);
  EXPECT_EQ(b.Attributes().Capacity(), 3);
  a.AddChildComment("x");
  b.AddChildComment("x");
  EXPECT_EQ(a.GetChildList().Capacity(), 80);
  EXPECT_EQ(b.GetChildList().Capacity(), 125);
}

TEST_F(BinaryTree, ProcessingInstructionsKeepAttributesAndChildren) {
  auto pi = doc_->AddChildInstruction("xml", "");
  pi->SetTextAttr("version", "1.0");
  pi->AddChildElement("inside")->SetTextAttr("k", "v");
  auto loaded = FromBinary(ToBinary(doc_.Get()));
  auto loadedPi = loaded->GetChildNodes()->GetItem(0);
  EXPECT_EQ(loadedPi->GetNodeType(), kProcessingInstructionNode);
  EXPECT_EQ(loadedPi->GetTextAttr("version", "?"), "1.0");
  EXPECT_EQ(loadedPi->GetChildNodes()->GetItem(0)->GetTextAttr("k", ""), "v");
  EXPECT_EQ(loaded->GetXML(), doc_->GetXML());
}

TEST_F(BinaryTree, ElementsOfTheEmptyNameRoundTrip) {
  doc_->AddChildElement("")->SetTextAttr("a", "b");
  auto loaded = FromBinary(ToBinary(doc_.Get()));
  EXPECT_EQ(loaded->GetChildNodes()->GetItem(0)->GetNodeNameIndex(), -1);
  EXPECT_EQ(Describe(loaded.Get()), Describe(doc_.Get()));
}

TEST_F(BinaryTree, ATableOfAnotherBucketCountKeepsItsCountAndItsLookups) {
  auto small = MakeLoose<TXmlNameTable>(16);
  auto doc = MakeXmlDocument("root", "1.0", "", small.Get());
  doc->GetDocumentElement()->AddChildElement("child");
  auto loaded = FromBinary(ToBinary(doc.Get()));
  TXmlNameTable& table = NodeOf(loaded.Get()).NameTable();
  EXPECT_EQ(table.BucketCount(), 16);
  EXPECT_EQ(table.InternName("child"), small->FindName("child"));
  EXPECT_EQ(table.NameCount(), small->NameCount());
}

TEST_F(BinaryTree, NamesStoredInTheWrongBucketAreStillFound) {
  doc_->AddChildElement("r");
  std::string bytes = ToBinary(doc_.Get());
  // Move the id of "r" (5) to another bucket: find its bucket record and change the index.
  const std::uint32_t right = TXmlNameTable::Hash("r") % 4096;
  const std::string record = Compact(int(right)) + '\x01' + std::string("\x05\0\0\0", 4);
  const std::size_t at = bytes.find(record);
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, record.size(),
                Compact(int(right) + 1) + record.substr(Compact(int(right)).size()));
  auto loaded = FromBinary(bytes);
  EXPECT_EQ(NodeOf(loaded.Get()).NameTable().InternName("r"), 5);
  EXPECT_EQ(loaded->SelectNodes("r")->GetCount(), 1);
}

TEST_F(BinaryTree, NodesOfNoStorableKindAreRefusedWhenWriting) {
  auto other = MakeXmlDocument({}, {}, {}, table_.Get());
  doc_->AddChildElement("r")->AppendChild(other.Get());
  EXPECT_EQ(ErrorOf([&] { ToBinary(doc_.Get()); }), msg::kBinaryWriteBadNodeType.View());
}

// The reader takes the common records (names, counts and lengths under 128, the string code)
// by their exact bytes; any other encoding of the same numbers must read the same tree.
TEST_F(BinaryTree, LongerFormsOfSmallNumbersReadAsTheShortOnes) {
  const int e = table_->InternName("e"), a = table_->InternName("a");
  std::string prefix = ToBinary(doc_.Get());
  prefix.resize(prefix.size() - 2);  // the document's two zero counts
  using TForm = std::string (*)(std::int32_t);
  const TForm shortForm = Compact;
  const TForm twoBytes = [](std::int32_t n) { return std::string{char(0x80 | n >> 8), char(n)}; };
  const TForm fiveBytes = [](std::int32_t n) {
    return '\xFF' + std::string(reinterpret_cast<const char*>(&n), 4);
  };
  // <e a="vv"><e/>text</e>, then <e>text</e>: each number written in the given form.
  auto section = [&](TForm form) {
    const std::string value = form(xvtString) + form(2) + "vv";
    const std::string text = '\x03' + form(xvtString) + form(4) + "text";
    return form(0) + form(2) +                                                       // the document
           '\x01' + form(e) + form(xvtEmpty) + form(1) + form(a) + value +           // <e a="vv">
           form(2) + '\x01' + form(e) + form(xvtEmpty) + form(0) + form(0) + text +  // <e/>text
           '\x01' + form(e) + form(xvtEmpty) + form(0) + form(1) + text;             // <e>text</e>
  };
  auto root = doc_->AddChildElement("e");
  root->SetTextAttr("a", "vv");
  root->AddChildElement("e");
  root->AddChildText("text");
  doc_->AddChildElement("e")->AddChildText("text");
  ASSERT_EQ(ToBinary(doc_.Get()), prefix + section(shortForm));
  const std::string expected = Describe(doc_.Get());
  for (TForm form : {twoBytes, fiveBytes}) {
    const std::string bytes = prefix + section(form);
    EXPECT_EQ(Describe(FromBinary(bytes).Get()), expected);
    for (std::size_t block : {1u, 7u, 64u})
      EXPECT_EQ(Describe(FromBinaryStream(bytes, block).Get()), expected);
  }
}

// Numbers on both sides of the one-byte form: name ids, attribute counts and text lengths of
// 127 and 128.
TEST_F(BinaryTree, NumbersAroundTheOneByteFormRoundTrip) {
  auto root = doc_->AddChildElement("root");
  std::vector<std::string> names;
  for (int i = 0; i < 130; ++i) {
    names.push_back(std::string("n").append(std::to_string(i)));
    table_->InternName(names.back());
  }
  for (std::size_t count : {127u, 128u}) {
    auto element = root->AddChildElement(names[count - 6]);  // ids 126, 127
    for (std::size_t i = 0; i < count; ++i) element->SetTextAttr(names[i], std::string(i, 'v'));
    element->SetText(std::string(count, 't'));
    root->AddChildElement(names[count - 4])->AddChildText(std::string(count, 'u'));
  }
  const std::string bytes = ToBinary(doc_.Get());
  EXPECT_EQ(Describe(FromBinary(bytes).Get()), Describe(doc_.Get()));
  EXPECT_EQ(Describe(FromBinaryStream(bytes, 16).Get()), Describe(doc_.Get()));
}

}  // namespace
