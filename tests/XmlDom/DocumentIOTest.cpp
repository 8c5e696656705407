// The document's loads and saves: files, streams, strings and module resources; the file name
// added to failures; round trips through both text layouts and binary XML.
#include <gtest/gtest.h>

#include "ParseTestSupport.h"
#include "XmlDom/BinXmlReader.h"
#include "XmlTestSupport.h"
#include "common/RecordDocument.h"
#include "common/TestSupport.h"
#include "platform/File.h"

using namespace xmldom;

using namespace parse_test;
using testing_support::ReadWholeFile;
using testing_support::ScratchFolder;
using testing_support::WriteWholeFile;

namespace {

class DocumentIO : public TXmlTest {
 protected:
  std::string folder_ =
      ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  Ref<IXmlDocument> doc_ = MakeXmlDocument();

  std::string Write(const std::string& name, const std::string& content) const {
    const std::string path = folder_ + "/" + name;
    WriteWholeFile(path, content);
    return path;
  }
};

TEST_F(DocumentIO, FileLoadsNameTheFileInTheirFailures) {
  const std::string text = "<a>\r\n<b x=1/></a>";
  const std::string path = Write("bad.xml", text);
  const std::string message = FormatText(msg::kStringConstantExpected, {1, 6});
  EXPECT_EQ(ErrorOf([&] { doc_->Load(path); }), FormatText(msg::kWithFileName, {message, path}));
  // What was read before the failure stays.
  EXPECT_EQ(OutlineChildren(*doc_), "a{b}");
  EXPECT_EQ(ErrorOf([&] { doc_->LoadXML(text); }), message);
  // Opening failures are not wrapped: their message names the file already.
  const std::string missing = folder_ + "/missing.xml";
  const std::string error = ErrorOf([&] { doc_->Load(missing); });
  EXPECT_EQ(error.rfind("Cannot open file \"", 0), 0u);
  EXPECT_EQ(error.find(" (" + missing + ")"), std::string::npos);
}

TEST_F(DocumentIO, FileLoadsNeedTheFileToThemselves) {
  const std::string path = Write("held.xml", "<a/>");
  {
    platform::TFile holder = platform::TFile::OpenRead(path);
    EXPECT_EQ(ErrorOf([&] { doc_->Load(path); }).rfind("Cannot open file", 0), 0u);
  }
  doc_->Load(path);
  EXPECT_EQ(OutlineChildren(*doc_), "a");
}

TEST_F(DocumentIO, StreamsAreReadFromTheirPosition) {
  TMemoryStream text("<r><x/></r>");
  doc_->Load(text);
  EXPECT_EQ(OutlineChildren(*doc_), "r{x}");
  TMemoryStream afterLeadingBytes("0123456789<root><x/></root>");
  afterLeadingBytes.Seek(10);
  doc_->Load(afterLeadingBytes);
  EXPECT_EQ(OutlineChildren(*doc_), "root{x}");
  TMemoryStream binary("leading " + MakeXmlDocument("b")->ToBinaryString());
  binary.Seek(8);
  doc_->Load(binary);
  EXPECT_EQ(doc_->GetDocumentElement()->GetNodeName(), "b");
}

TEST_F(DocumentIO, TheSignatureDecidesBetweenTextAndBinary) {
  // A stream must hold more than the signature to be binary; the signature alone is text.
  TMemoryStream signatureOnly{std::string(kBinXmlSignature)};
  EXPECT_EQ(ErrorOf([&] { doc_->Load(signatureOnly); }),
            FormatText(msg::kNameMustStartWithLetter, {0, 1}));
  // A string that starts with it is binary, even the signature alone.
  EXPECT_EQ(ErrorOf([&] { doc_->LoadXML(kBinXmlSignature); }), msg::kDataReadError.View());
  EXPECT_EQ(ErrorOf([&] { doc_->LoadXML("< binary-xml"); }),
            FormatText(msg::kNameMustStartWithLetter, {0, 1}));
  auto source = MakeXmlDocument();
  source->LoadXML("<r a='1'><!--c--><x>t</x></r>");
  doc_->LoadXML(source->ToBinaryString());
  EXPECT_EQ(OutlineChildren(*doc_), "r[a=1]{!\"c\" x{\"t\"}}");
}

TEST_F(DocumentIO, SavesWriteTheDocumentsXml) {
  TMemoryStream empty;
  doc_->Save(empty);
  EXPECT_EQ(empty.Bytes(), "");
  doc_->LoadXML("<r><a>t</a></r>");
  TMemoryStream stream("head:");
  stream.Seek(5);
  doc_->Save(stream);
  EXPECT_EQ(stream.Bytes(), "head:\r\n<r>\r\n\t<a>t</a>\r\n</r>");
  // A file is emptied before it is written.
  const std::string path = Write("saved.xml", std::string(1000, 'x'));
  doc_->Save(path);
  EXPECT_EQ(ReadWholeFile(path), doc_->GetXML());
  auto loaded = MakeXmlDocument();
  loaded->Load(path);
  EXPECT_EQ(loaded->GetXML(), doc_->GetXML());
  // Binary files in both string forms.
  for (int options : {0, 1}) {
    doc_->SaveAsBinary(path, options);
    loaded->Load(path);
    EXPECT_EQ(loaded->GetXML(), doc_->GetXML()) << "options " << options;
  }
}

TEST_F(DocumentIO, ResourcesLoadWhenTheyExist) {
  doc_->LoadXML("<kept/>");
  doc_->LoadFromResource("XMLDOC", "MISSING");
  doc_->LoadFromResource("NOTYPE", "SAMPLE");
  doc_->LoadFromResource("XMLDOC", "EMPTY");
  EXPECT_EQ(OutlineChildren(*doc_), "kept");
  doc_->LoadFromResource("XMLDOC", "SAMPLE");
  const std::string sample = "?xml\"\"[version=1.0] sample[kind=resource]{item{\"one\"}}";
  EXPECT_EQ(OutlineChildren(*doc_), sample);
  // Names compare without regard to case; "#10" names the numbered type 10.
  doc_->LoadXML("<kept/>");
  doc_->LoadFromResource("#10", "sample_rc");
  EXPECT_EQ(OutlineChildren(*doc_), sample);
}

TEST_F(DocumentIO, DocumentTextJoinsItsElementsAndText) {
  doc_->LoadXML("<!--c--><a>a</a><?p d?><b>b</b>");
  EXPECT_EQ(doc_->GetText(), "a b");
}

TEST_F(DocumentIO, KeepWhitespaceSetLaterChangesOnlyTheLayout) {
  doc_->LoadXML("<r>\n  <a/>\n</r>");
  EXPECT_EQ(doc_->GetXML(), "\r\n<r>\r\n\t<a/>\r\n</r>");
  doc_->SetKeepWhitespace(true);
  EXPECT_EQ(doc_->GetXML(), "<r><a/></r>");
  EXPECT_EQ(doc_->GetDocumentElement()->GetChildNodes()->GetCount(), 1);
}

// Processing instructions whose data begins with whitespace are written back as they were
// read, however often a document goes through a load and a save.
TEST_F(DocumentIO, ProcessingInstructionsSurviveLoadAndSave) {
  const std::string text =
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<?one data?>\r\n<?tab\tdata?>\r\n"
      "<?brk\r\ndata?>\r\n<r><?bare?></r>";
  for (const bool compact : {true, false}) {
    auto original = MakeXmlDocument();
    original->SetKeepWhitespace(compact);
    original->LoadXML(text);
    original->GetDocumentElement()->AddChildInstruction("made", "x");
    const std::string first = original->GetXML();
    if (compact)
      EXPECT_EQ(first,
                "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<?one data?>\r\n"
                "<?tab\tdata?>\r\n<?brk\r\ndata?>\r\n<r><?bare?><?made x?></r>");
    else
      EXPECT_EQ(first,
                "<?xml version=\"1.0\" encoding=\"windows-1251\"?><?one data?><?tab\tdata?>"
                "<?brk\r\ndata?>\r\n<r><?bare?><?made x?></r>");
    auto again = MakeXmlDocument();
    again->SetKeepWhitespace(compact);
    again->LoadXML(first);
    EXPECT_EQ(again->GetXML(), first) << "compact " << compact;
    again->LoadXML(again->GetXML());
    EXPECT_EQ(again->GetXML(), first) << "compact " << compact;
    again->LoadBinaryString(original->ToBinaryString());
    EXPECT_EQ(again->GetXML(), first) << "compact " << compact;
  }
}

// Joins adjacent text nodes: a DOCTYPE between two text runs leaves no node, and the texts
// around it come back as one.
void JoinAdjacentTexts(TXmlNode& node) {
  TXmlNodeList* children = node.ExistingChildList();
  if (!children) return;
  for (int i = 0; i < children->Count(); ++i) {
    TXmlNode* child = children->Item(i);
    if (child->GetNodeType() == kTextNode && i > 0 &&
        children->Item(i - 1)->GetNodeType() == kTextNode) {
      TXmlNode* previous = children->Item(i - 1);
      previous->SetText(previous->GetText() + child->GetText());
      children->RemoveAt(i--);
    } else {
      JoinAdjacentTexts(*child);
    }
  }
}

void ExpectCompactTextParsesBackEqual(const std::string& text) {
  auto first = MakeXmlDocument();
  first->SetKeepWhitespace(true);
  first->LoadXML(text);
  const std::string compact = first->GetXML();
  auto second = MakeXmlDocument();
  second->SetKeepWhitespace(true);
  second->LoadXML(compact);
  JoinAdjacentTexts(NodeOf(first.Get()));
  // Compared whole, not printed: the outlines of real documents are megabytes long.
  EXPECT_TRUE(OutlineChildren(*second) == OutlineChildren(*first));
  EXPECT_TRUE(second->GetXML() == compact);
}

TEST_F(DocumentIO, CompactTextParsesBackToAnEqualTree) {
  ExpectCompactTextParsesBackEqual(testing_support::GenerateRecordDocument(300000));
  ExpectCompactTextParsesBackEqual(
      "<r a='&quot;&lt;\t&#10;&apos;' b=\"'\">&lt;&amp;&gt; &#65;<![CDATA[]]]]><!-- --></r>");
  const std::string mime = ReadWholeFile("/usr/share/mime/packages/freedesktop.org.xml");
  if (!mime.empty()) ExpectCompactTextParsesBackEqual(mime);
}

}  // namespace
