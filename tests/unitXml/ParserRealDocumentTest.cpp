// A real document walked to every node with the Lingo methods, against what the library
// itself reports for the same file.

#include <filesystem>
#include <string>

#include "ParserFixture.h"
#include "XmlDom/XmlDom.h"

using namespace xmldom;

namespace {

#ifdef _WIN32
const std::string kMimeDatabase = "Z:\\usr\\share\\mime\\packages\\freedesktop.org.xml";
#else
const std::string kMimeDatabase = "/usr/share/mime/packages/freedesktop.org.xml";
#endif

void Describe(std::string& trace, const std::string& name, int children, const std::string& type,
              const std::string& lang, const std::string& text) {
  trace += name + " " + std::to_string(children) + " [" + type + "][" + lang + "]";
  if (children == 0) trace += " " + text;
  trace += '\n';
}

void LibraryWalk(IXmlNode& node, std::string& trace) {
  const Ref<IXmlNodeList> children = node.GetChildNodes();
  Describe(trace, node.GetNodeName(), children->GetCount(), node.GetTextAttr("type", {}),
           node.GetTextAttr("xml:lang", {}), node.GetText());
  for (int i = 0; i < children->GetCount(); ++i) LibraryWalk(*children->GetItem(i), trace);
}

class RealDocumentTest : public ParserTest {
 protected:
  // Down to the first child, along the siblings with nextNode, back up with parentNode.
  void LingoWalk(std::string& trace) {
    const int children = std::stoi(Call("childCount"));
    Describe(trace, NodeName(), children, Text("getTextAttr", {S("type")}),
             Text("getTextAttr", {S("xml:lang")}), children ? "" : Text("getText"));
    if (children == 0) return;
    ASSERT_EQ(Call("selectChild", {I(1)}), "1");
    LingoWalk(trace);
    for (int i = 2; i <= children; ++i) {
      Call("nextNode");
      LingoWalk(trace);
    }
    ASSERT_EQ(Call("parentNode"), "1");
  }
};

TEST_F(RealDocumentTest, EveryNodeOfTheMimeDatabaseReadsAsTheLibraryReadsIt) {
  if (!std::filesystem::exists(kMimeDatabase)) GTEST_SKIP() << kMimeDatabase << " is missing";
  ASSERT_EQ(Call("loadFromFile", {S(kMimeDatabase)}), "1") << ErrorMsg();
  const Ref<IXmlDocument> document = MakeXmlDocument({}, "1.0", {}, nullptr);
  document->Load(kMimeDatabase);
  std::string expected, actual;
  LibraryWalk(*document->GetDocumentElement(), expected);
  LingoWalk(actual);
  EXPECT_EQ(NodeName(), "mime-info");
  EXPECT_TRUE(IsNoError()) << ErrorMsg();
  EXPECT_GT(expected.size(), 100000u);
  EXPECT_TRUE(actual == expected)
      << "the walks part at byte "
      << std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first -
             actual.begin();
  // Straight down a path, and the count of a name.
  ASSERT_EQ(Call("startXML"), "<Void>");
  const std::string count = Call("nodeCount", {S("mime-type")});
  EXPECT_EQ(count,
            std::to_string(document->GetDocumentElement()->SelectNodes("mime-type")->GetCount()));
  EXPECT_GT(std::stoi(count), 500);
  EXPECT_EQ(Call("pathNode", {S("mime-type/comment")}), "1");
  EXPECT_EQ(Text("getText"), document->GetDocumentElement()
                                 ->SelectSingleNode("mime-type")
                                 ->SelectSingleNode("comment")
                                 ->GetText());
}

}  // namespace
