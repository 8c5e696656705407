// Documents through binary XML: text to binary to text, loads that tell binary from text, and
// the name table a binary load brings.
#include <gtest/gtest.h>

#include "BinaryTestSupport.h"
#include "XmlTestSupport.h"
#include "common/FormatText.h"
#include "common/RecordDocument.h"
#include "common/TestSupport.h"

using namespace xmldom;

namespace {

using namespace binary_testing;

const char kSample[] =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
    "<!-- leading comment -->\r\n"
    "<catalogue xmlns:x=\"urn:x\" count=\"2\">\r\n"
    "  <item id=\"1\" name=\"&lt;first&gt; &amp; &quot;best&quot;\">plain text</item>\r\n"
    "  <item id=\"2\"><![CDATA[raw <cdata> & "
    "more]]><x:note>\xF2\xE5\xEA\xF1\xF2</x:note></item>\r\n"
    "  <?process some data?>\r\n"
    "  <\xFD\xEB\xE5\xEC\xE5\xED\xF2 \xE0\xF2\xF0=\"\xE7\xED\xE0\xF7\"/>\r\n"
    "  <empty></empty>\r\n"
    "</catalogue>\r\n";

class BinaryDocument : public TXmlTest {
 protected:
  // text read, written as binary with options, read back into a new document.
  static Ref<IXmlDocument> ThroughBinary(std::string_view text, int options, bool keep = false) {
    auto original = MakeXmlDocument();
    original->SetKeepWhitespace(keep);
    original->LoadXML(text);
    TMemoryStream stream;
    original->SaveAsBinary(stream, options);
    auto loaded = MakeXmlDocument();
    loaded->SetKeepWhitespace(keep);
    loaded->LoadBinaryString(stream.Bytes());
    EXPECT_EQ(Describe(loaded.Get()), Describe(original.Get()));
    return loaded;
  }

  static std::string TextOf(std::string_view text, bool keep = false) {
    auto doc = MakeXmlDocument();
    doc->SetKeepWhitespace(keep);
    doc->LoadXML(text);
    return doc->GetXML();
  }
};

TEST_F(BinaryDocument, TextToBinaryToTextGivesTheSameText) {
  for (bool keep : {false, true})
    for (int options : {0, 1}) {
      EXPECT_EQ(ThroughBinary(kSample, options, keep)->GetXML(), TextOf(kSample, keep))
          << keep << options;
    }
}

TEST_F(BinaryDocument, AGeneratedRecordDocumentSurvivesBothOptions) {
  const std::string text = testing_support::GenerateRecordDocument(300 * 1000);
  const std::string expected = TextOf(text);
  EXPECT_EQ(ThroughBinary(text, 0)->GetXML(), expected);
  EXPECT_EQ(ThroughBinary(text, 1)->GetXML(), expected);
}

TEST_F(BinaryDocument, TheSharedMimeDatabaseSurvivesTheRoundTrip) {
  const std::string text =
      testing_support::ReadWholeFile("/usr/share/mime/packages/freedesktop.org.xml");
  if (text.empty()) GTEST_SKIP() << "freedesktop.org.xml is not installed";
  EXPECT_EQ(ThroughBinary(text, 0)->GetXML(), TextOf(text));
}

TEST_F(BinaryDocument, AnEmptyDocumentIsTheHeaderTheNamesAndTwoZeroCounts) {
  auto doc = MakeXmlDocument({}, {}, {}, MakeLoose<TXmlNameTable>().Get());
  const std::string bytes = doc->ToBinaryString();
  EXPECT_EQ(bytes.substr(0, 18), std::string(kBinXmlSignature) + std::string(4, '\0'));
  EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string(2, '\0'));
  auto loaded = MakeXmlDocument();
  loaded->LoadXML(bytes);
  EXPECT_EQ(loaded->GetChildNodes()->GetCount(), 0);
  EXPECT_EQ(loaded->GetXML(), "");
}

TEST_F(BinaryDocument, LoadsTellBinaryFromTextByTheSignature) {
  auto doc = MakeXmlDocument();
  // Exactly the signature as a string is binary, and too short to be read.
  EXPECT_EQ(ErrorOf([&] { doc->LoadXML(kBinXmlSignature); }), msg::kDataReadError.View());
  // As a stream of 14 bytes it is text, which the parser refuses.
  TMemoryStream signatureOnly{std::string(kBinXmlSignature)};
  const std::string parserError = ErrorOf([&] { doc->Load(signatureOnly); });
  EXPECT_NE(parserError, "");
  EXPECT_NE(parserError, msg::kDataReadError.View());
  // Shorter strings are text.
  doc->LoadXML("<a/>");
  EXPECT_EQ(doc->GetDocumentElement()->GetNodeName(), "a");
}

TEST_F(BinaryDocument, AStreamCutShortByOneByteFailsAndKeepsWhatWasRead) {
  auto source = MakeXmlDocument();
  source->LoadXML(kSample);
  const std::string bytes = source->ToBinaryString();
  TMemoryStream cut(bytes.substr(0, bytes.size() - 1));
  auto doc = MakeXmlDocument();
  EXPECT_EQ(ErrorOf([&] { doc->Load(cut); }), msg::kDataReadError.View());
  ASSERT_NE(doc->GetDocumentElement(), nullptr);
  EXPECT_EQ(doc->GetDocumentElement()->GetNodeName(), "catalogue");
}

TEST_F(BinaryDocument, FilesSavedAsBinaryLoadAndDamagedOnesNameTheFile) {
  const std::string folder = testing_support::ScratchFolder("binary_document");
  const std::string path = folder + "/saved.bin";
  auto source = MakeXmlDocument();
  source->LoadXML(kSample);
  source->SaveAsBinary(path, 1);
  auto doc = MakeXmlDocument();
  doc->Load(path);
  EXPECT_EQ(Describe(doc.Get()), Describe(source.Get()));
  const std::string bytes = testing_support::ReadWholeFile(path);
  testing_support::WriteWholeFile(path, bytes.substr(0, bytes.size() / 2));
  EXPECT_EQ(ErrorOf([&] { doc->Load(path); }),
            FormatText(msg::kWithFileName, {msg::kDataReadError.View(), path}));
}

TEST_F(BinaryDocument, ABinaryLoadBringsItsOwnNameTable) {
  auto source = MakeXmlDocument("root", "1.0", "", MakeLoose<TXmlNameTable>().Get());
  const std::string bytes = source->ToBinaryString();
  auto doc = MakeXmlDocument("old", "1.0", "", MakeLoose<TXmlNameTable>().Get());
  auto oldTable = doc->NodeNameTable();
  const int oldId = oldTable->InternName("old");
  doc->LoadBinaryString(bytes);
  auto newTable = doc->NodeNameTable();
  EXPECT_NE(newTable, oldTable);
  EXPECT_EQ(newTable->InternName("root"), source->NodeNameTable()->InternName("root"));
  // "old" is not in the file: it comes into the new table as a new name.
  EXPECT_EQ(newTable->InternName("old"), NodeOf(source.Get()).NameTable().NameCount());
  EXPECT_EQ(oldTable->InternName("old"), oldId);
}

}  // namespace
