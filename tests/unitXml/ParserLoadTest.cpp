// Loading from files and strings, and what the loads leave behind when they fail.

#include "ParserFixture.h"
#include "XmlDom/XmlDom.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/File.h"

using namespace xmldom;

namespace {

using testing_support::ScratchFolder;
using testing_support::WriteWholeFile;

// What the library itself says when it loads text into a new document.
std::string LibraryLoadFailure(std::string_view xml) {
  try {
    MakeXmlDocument()->LoadXML(xml);
  } catch (const EXmlError& failure) {
    return failure.Message();
  }
  return "(loaded)";
}

#ifdef _WIN32
constexpr int kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND
#else
constexpr int kFileNotFound = 2;  // ENOENT
#endif

TEST_F(ParserTest, MissingFileNamesTheFullPathAndTheSystemsReason) {
  LoadText("<root><a/></root>");
  ASSERT_EQ(Call("selectSingleNode", {S("a")}), "1");
  const std::string path = ScratchFolder("missing") + "/none.xml";
  EXPECT_EQ(Call("loadFromFile", {S(path)}), "0");
  EXPECT_FALSE(IsNoError());
  EXPECT_EQ(ErrorMsg(),
            FormatText(msg::kCannotOpenFile,
                       {platform::FullPathName(path), platform::SystemErrorText(kFileNotFound)}));
  // The cursor keeps its node, cut loose from the document that went; the new document is
  // empty.
  EXPECT_EQ(NodeName(), "a");
  EXPECT_EQ(Call("parentNode"), "0");
  EXPECT_EQ(Call("startXML"), "<Void>");
  EXPECT_EQ(NodeName(), "");
  EXPECT_EQ(ErrorMsg(),
            FormatText(msg::kCannotOpenFile,
                       {platform::FullPathName(path), platform::SystemErrorText(kFileNotFound)}))
      << "startXML on an empty document is no failure";
}

TEST_F(ParserTest, FailedLoadKeepsTheOldDocumentElementWithoutItsParent) {
  LoadText("<root><a/></root>");
  EXPECT_EQ(Call("loadFromFile", {S(ScratchFolder("gone") + "/none.xml")}), "0");
  EXPECT_EQ(NodeName(), "root");
  EXPECT_EQ(Call("childCount"), "1") << "the node keeps its subtree";
  EXPECT_EQ(Call("parentNode"), "0");
}

TEST_F(ParserTest, RelativeFileNamesAreReportedWithTheirFullPath) {
  const std::string name = "no-such-relative-file.xml";
  EXPECT_EQ(Call("loadFromFile", {S(name)}), "0");
  EXPECT_EQ(ErrorMsg(),
            FormatText(msg::kCannotOpenFile,
                       {platform::FullPathName(name), platform::SystemErrorText(kFileNotFound)}));
}

TEST_F(ParserTest, SyntaxErrorsCarryTheFileNameOnlyWhenLoadedFromAFile) {
  const std::string bad = "<r>\n  <x a='1'>\n</r>";
  const std::string message = LibraryLoadFailure(bad);
  ASSERT_NE(message, "(loaded)");
  const std::string path = ScratchFolder("syntax") + "/bad.xml";
  WriteWholeFile(path, bad);
  EXPECT_EQ(Call("loadFromFile", {S(path)}), "0");
  EXPECT_EQ(ErrorMsg(), FormatText(msg::kWithFileName, {message, path}));
  EXPECT_EQ(Call("loadFromText", {S(bad)}), "0");
  EXPECT_EQ(ErrorMsg(), message);
}

TEST_F(ParserTest, LoadsAFileAndPutsTheCursorOnTheDocumentElement) {
  const std::string path = ScratchFolder("good") + "/good.xml";
  WriteWholeFile(path, "<?xml version=\"1.0\"?>\r\n<!-- c -->\r\n<cat><item id='1'/></cat>");
  EXPECT_EQ(Call("loadFromFile", {S(path)}), "1");
  EXPECT_EQ(NodeName(), "cat");
  EXPECT_EQ(Call("pathNode", {S("item")}), "1");
  EXPECT_EQ(Call("getIntAttr", {S("id")}), "1");
}

TEST_F(ParserTest, LoadsBinaryXmlFiles) {
  const Ref<IXmlDocument> document = MakeXmlDocument();
  document->LoadXML("<r><b n='2'>text</b></r>");
  const std::string path = ScratchFolder("binary") + "/doc.bxml";
  document->SaveAsBinary(path, 0);
  EXPECT_EQ(Call("loadFromFile", {S(path)}), "1") << ErrorMsg();
  EXPECT_EQ(Call("selectChild", {I(1)}), "1");
  EXPECT_EQ(Text("getText"), "text");
  EXPECT_EQ(Call("getIntAttr", {S("n")}), "2");
  // Damaged: the reader's message with the file name.
  const std::string bytes = testing_support::ReadWholeFile(path);
  WriteWholeFile(path, bytes.substr(0, bytes.size() - 3));
  EXPECT_EQ(Call("loadFromFile", {S(path)}), "0");
  std::string expected;
  try {
    MakeXmlDocument()->Load(path);
  } catch (const EXmlError& failure) {
    expected = failure.Message();
  }
  EXPECT_EQ(ErrorMsg(), expected);
  EXPECT_NE(expected.find(" (" + path + ")"), std::string::npos);
}

TEST_F(ParserTest, EmptyTextLoadsAnEmptyDocument) {
  EXPECT_EQ(Call("loadFromText", {S("")}), "1");
  EXPECT_EQ(NodeName(), "");
  EXPECT_EQ(Text("getXML"), "");
  EXPECT_EQ(Text("getText"), "");
  EXPECT_EQ(Call("startXML"), "<Void>");
  EXPECT_EQ(NodeName(), "");
  EXPECT_TRUE(IsNoError());
}

TEST_F(ParserTest, TextWithoutAnElementLeavesNoCurrentNode) {
  for (const char* xml : {"<!-- only a comment -->", "plain text", "<?pi data?>"}) {
    LoadText("<x/>");
    EXPECT_EQ(Call("loadFromText", {S(xml)}), "1") << xml;
    EXPECT_EQ(NodeName(), "") << xml;
    EXPECT_TRUE(IsNoError()) << xml;
  }
}

TEST_F(ParserTest, ElementWithAnEmptyChildHasNoText) {
  LoadText("<a><b/></a>");
  EXPECT_EQ(NodeName(), "a");
  EXPECT_EQ(Text("getText"), "");
}

TEST_F(ParserTest, UnclosedElementFailsButStaysInTheNewDocument) {
  LoadText("<p/>");
  const std::string unclosed = "<r><x>";
  EXPECT_EQ(Call("loadFromText", {S(unclosed)}), "0");
  EXPECT_EQ(ErrorMsg(), LibraryLoadFailure(unclosed));
  EXPECT_EQ(NodeName(), "p") << "the cursor keeps the node from before";
  EXPECT_EQ(Call("startXML"), "<Void>");
  EXPECT_EQ(NodeName(), "r") << "the parser had already added the element";
}

TEST_F(ParserTest, ASuccessfulLoadClearsAnEarlierFailure) {
  EXPECT_EQ(Call("loadFromText", {S("<a>")}), "0");
  EXPECT_FALSE(IsNoError());
  LoadText("<a/>");
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(ErrorMsg(), "");
}

TEST_F(ParserTest, XmlOfAnElementBeginsWithALineBreak) {
  const std::string xml = "<a x='1'><b>t</b><c/></a>";
  LoadText(xml);
  const std::string text = Text("getXML");
  EXPECT_EQ(text.substr(0, 4), "\r\n<a");
  const Ref<IXmlDocument> document = MakeXmlDocument();
  document->LoadXML(xml);
  EXPECT_EQ(text, document->GetDocumentElement()->GetXML());
  ASSERT_EQ(Call("selectChild", {I(1)}), "1");
  ASSERT_EQ(Call("selectChild", {I(1)}), "1");
  EXPECT_EQ(Text("getXML"), "t") << "a text node's XML is its escaped text";
  EXPECT_EQ(NodeName(), "#text");
}

// The cursor's node outlives the document a load lets go of, with its whole subtree: a walk
// inside it goes down, sideways and back up as it would have in the document.
TEST_F(ParserTest, TheCursorsNodeOutlivesItsDocumentWithItsWholeSubtree) {
  const std::string xml =
      "<r><keep k='1'><kid><deep>d</deep><deep2/></kid><kid2>t</kid2></keep></r>";
  const Ref<IXmlDocument> library = MakeXmlDocument();
  library->LoadXML(xml);
  const std::string keepXml = library->GetDocumentElement()->SelectSingleNode("keep")->GetXML();
  for (const std::string& loaded : {xml, library->ToBinaryString()}) {
    SCOPED_TRACE(loaded == xml ? "text" : "binary XML");
    LoadText(loaded);
    ASSERT_EQ(Call("selectSingleNode", {S("keep")}), "1");
    EXPECT_EQ(Call("loadFromText", {S("<r><c>")}), "0");
    EXPECT_EQ(Call("selectSingleNode", {S("kid")}), "1");
    EXPECT_EQ(Call("nextNode"), "<Void>");
    EXPECT_EQ(NodeName(), "kid2");
    EXPECT_EQ(Text("getText"), "t");
    EXPECT_EQ(Call("parentNode"), "1");
    EXPECT_EQ(NodeName(), "keep");
    EXPECT_EQ(Text("getXML"), keepXml);
    EXPECT_EQ(Call("getIntAttr", {S("k")}), "1");
    EXPECT_EQ(Call("parentNode"), "0") << "only the survivor's own parent link is cut";
    // Two levels down and back.
    EXPECT_EQ(Call("pathNode", {S("kid/deep")}), "1");
    EXPECT_EQ(NodeName(), "deep");
    EXPECT_EQ(Text("getText"), "d");
    EXPECT_EQ(Call("nextNode"), "<Void>");
    EXPECT_EQ(NodeName(), "deep2");
    EXPECT_EQ(Call("parentNode"), "1");
    EXPECT_EQ(Call("parentNode"), "1");
    EXPECT_EQ(NodeName(), "keep");
    EXPECT_EQ(Call("childCount"), "2");
  }
}

// A load lets go of the nodes the cursor came down through: the current node is cut loose from
// its former parent, which goes with the document.
TEST_F(ParserTest, ALoadLetsGoOfTheNodesAboveTheCursor) {
  LoadText("<r><a><b/></a></r>");
  ASSERT_EQ(Call("pathNode", {S("a/b")}), "1");
  EXPECT_EQ(Call("loadFromText", {S("<x>")}), "0");
  EXPECT_EQ(NodeName(), "b");
  EXPECT_EQ(Call("parentNode"), "0");
}

}  // namespace
