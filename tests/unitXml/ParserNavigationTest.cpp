// Moving the cursor: selection by name and position, parent, next sibling, paths.

#include <climits>
#include <string>

#include "ParserFixture.h"
#include "XmlDom/XmlDom.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

const std::string kNotSupported(msg::kNotSupported.View());
const std::string kIndexOutOfRange(msg::kListIndexOutOfRange.View());
const std::string kNoCurrentNode(msg::kNoCurrentNode.View());

// <root><a><b/><b/></a><c/></root>, the b elements told apart by an attribute.
class NavigationTest : public ParserTest {
 protected:
  void SetUp() override {
    ParserTest::SetUp();
    if (!HasFatalFailure()) LoadText("<root><a><b i='1'/><b i='2'/></a><c/></root>");
  }
  void ToA() { ASSERT_EQ(Call("selectSingleNode", {S("a")}), "1"); }
  std::string WhichB() { return Text("getTextAttr", {S("i")}); }
};

TEST_F(NavigationTest, CountsLookAtDirectChildrenOnly) {
  EXPECT_EQ(Call("nodeCount", {S("a")}), "1");
  EXPECT_EQ(Call("nodeCount", {S("b")}), "0");
  EXPECT_EQ(Call("childCount"), "2");
  EXPECT_TRUE(IsNoError());
}

TEST_F(NavigationTest, PathsWalkDownFromTheCurrentNode) {
  for (const char* path : {"a/b", "/a/b/", "a//b"}) {
    ASSERT_EQ(Call("startXML"), "<Void>");
    EXPECT_EQ(Call("pathNode", {S(path)}), "1") << path;
    EXPECT_EQ(NodeName(), "b") << path;
    EXPECT_EQ(WhichB(), "1") << path;
  }
  EXPECT_TRUE(IsNoError());
}

TEST_F(NavigationTest, PathThatDoesNotMatchStopsWhereItGot) {
  EXPECT_EQ(Call("pathNode", {S("root/a")}), "0");
  EXPECT_EQ(NodeName(), "root");
  EXPECT_EQ(Call("pathNode", {S("a/x")}), "0");
  EXPECT_EQ(NodeName(), "a");
  EXPECT_TRUE(IsNoError());
}

TEST_F(NavigationTest, EmptySegmentIsASelectionFailureAfterTheStepsBeforeIt) {
  EXPECT_EQ(Call("pathNode", {S("a///b")}), "0");
  EXPECT_EQ(ErrorMsg(), kNotSupported);
  EXPECT_EQ(NodeName(), "a");
}

TEST_F(NavigationTest, PathsWithoutSegmentsSucceedInPlace) {
  for (const char* path : {"", "/", "//", "///"}) {
    EXPECT_EQ(Call("pathNode", {S(path)}), "1") << path;
    EXPECT_EQ(NodeName(), "root") << path;
  }
  ASSERT_EQ(Call("selectChild", {I(2)}), "1");
  ASSERT_EQ(Call("nextNode"), "<Void>");
  EXPECT_EQ(Call("pathNode", {S("")}), "1") << "no segment needs no current node";
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(Call("pathNode", {S("a")}), "0");
  EXPECT_EQ(ErrorMsg(), kNoCurrentNode);
}

TEST_F(NavigationTest, SelectNodeTakesTheNthElementOfThatName) {
  ToA();
  EXPECT_EQ(Call("selectNode", {S("b"), I(2)}), "1");
  EXPECT_EQ(WhichB(), "2");
  ASSERT_EQ(Call("parentNode"), "1");
  EXPECT_EQ(Call("selectNode", {S("b"), I(3)}), "0");
  EXPECT_EQ(ErrorMsg(), kIndexOutOfRange);
  EXPECT_EQ(NodeName(), "a");
  LoadText("<root><a><b/></a></root>");
  ToA();
  EXPECT_EQ(Call("selectNode", {S("x"), I(0)}), "0");
  EXPECT_TRUE(IsNoError()) << "nothing selected: the item is never looked at";
}

TEST_F(NavigationTest, ItemsOutsideTheListFailWithoutMoving) {
  for (MoaLong item : {0, -1, 3, INT_MIN, INT_MAX}) {
    LoadText("<root><a><b i='1'/><b i='2'/></a><c/></root>");
    ToA();
    EXPECT_EQ(Call("selectChild", {I(item)}), "0") << item;
    EXPECT_EQ(ErrorMsg(), kIndexOutOfRange) << item;
    EXPECT_EQ(Call("selectNode", {S("b"), I(item)}), "0") << item;
    EXPECT_EQ(NodeName(), "a") << item;
  }
}

TEST_F(NavigationTest, SelectChildTakesAnyNodeByPosition) {
  ToA();
  EXPECT_EQ(Call("selectChild", {I(1)}), "1");
  EXPECT_EQ(WhichB(), "1");
  EXPECT_EQ(Call("selectChild", {I(5)}), "0");
  EXPECT_TRUE(IsNoError()) << "a node without children has nothing to select";
  LoadText("<r>text<!--note--><?pi data?><![CDATA[raw]]><e/></r>");
  const char* names[] = {"#text", "#comment", "pi", "#cdata-section", "e"};
  for (int i = 1; i <= 5; ++i) {
    ASSERT_EQ(Call("startXML"), "<Void>");
    EXPECT_EQ(Call("selectChild", {I(i)}), "1");
    EXPECT_EQ(NodeName(), names[i - 1]);
  }
}

TEST_F(NavigationTest, ParentOfTheDocumentElementIsTheDocument) {
  EXPECT_EQ(Call("parentNode"), "1");
  EXPECT_EQ(NodeName(), "#document");
  EXPECT_EQ(Call("parentNode"), "0");
  EXPECT_EQ(NodeName(), "#document");
  EXPECT_EQ(Call("pathNode", {S("root/a")}), "1") << "from the document, paths start at the root";
  EXPECT_TRUE(IsNoError());
}

TEST_F(NavigationTest, NextNodeRunsOffTheEndIntoNoNode) {
  ASSERT_EQ(Call("pathNode", {S("a/b")}), "1");
  EXPECT_EQ(Call("nextNode"), "<Void>");
  EXPECT_EQ(WhichB(), "2");
  EXPECT_EQ(Call("nextNode"), "<Void>");
  EXPECT_EQ(NodeName(), "");
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(Call("childCount"), "0");
  EXPECT_EQ(ErrorMsg(), kNoCurrentNode);
  EXPECT_EQ(Call("startXML"), "<Void>");
  EXPECT_EQ(NodeName(), "root");
}

TEST_F(NavigationTest, NamesMatchExactlyAndArePlainNames) {
  EXPECT_EQ(Call("selectSingleNode", {S("A")}), "0");
  EXPECT_TRUE(IsNoError());
  for (const char* expression : {"a/b", "", "*", "@i", "1a", "a b"}) {
    LoadText("<root><a/></root>");
    EXPECT_EQ(Call("selectSingleNode", {S(expression)}), "0") << expression;
    EXPECT_EQ(ErrorMsg(), kNotSupported) << expression;
    LoadText("<root><a/></root>");
    EXPECT_EQ(Call("nodeCount", {S(expression)}), "0") << expression;
    EXPECT_EQ(ErrorMsg(), kNotSupported) << expression;
  }
}

TEST_F(ParserTest, LongPathsAreWalkedWhole) {
  // 60 levels of a 9-character name: a path of 599 characters, and one name of 300.
  const std::string name = "level-one";
  const std::string longName(300, 'n');
  std::string xml, path;
  for (int i = 0; i < 60; ++i) {
    xml += "<" + name + ">";
    path += (i ? "/" : "") + name;
  }
  xml += "<" + longName + "/>";
  for (int i = 0; i < 60; ++i) xml += "</" + name + ">";
  LoadText("<root>" + xml + "</root>");
  EXPECT_EQ(Call("pathNode", {S("/" + path + "/" + longName + "/")}), "1");
  EXPECT_EQ(NodeName(), longName);
  int depth = 0;
  while (Call("parentNode") == "1") ++depth;
  EXPECT_EQ(depth, 62);  // 60 levels, root and the document
}

// A walk along many siblings meets the same nodes as the library's own child list, however
// the cursor got where it is.
TEST_F(ParserTest, NextNodeVisitsEverySiblingInOrder) {
  std::string xml = "<r>";
  for (int i = 0; i < 600; ++i)
    xml += i % 3 ? "<e n='" + std::to_string(i) + "'/>" : "<!--" + std::to_string(i) + "-->";
  xml += "</r>";
  LoadText(xml);
  const Ref<IXmlDocument> document = MakeXmlDocument();
  document->LoadXML(xml);
  const Ref<IXmlNodeList> children = document->GetDocumentElement()->GetChildNodes();
  ASSERT_EQ(Call("selectChild", {I(1)}), "1");
  for (int i = 0; i < children->GetCount(); ++i) {
    ASSERT_EQ(NodeName(), children->GetItem(i)->GetNodeName()) << i;
    ASSERT_EQ(Text("getText"), children->GetItem(i)->GetText()) << i;
    Call("nextNode");
  }
  EXPECT_EQ(NodeName(), "");
  // From a node reached by name, by path or by going back up.
  ASSERT_EQ(Call("startXML"), "<Void>");
  ASSERT_EQ(Call("selectSingleNode", {S("e")}), "1");
  Call("nextNode");
  EXPECT_EQ(Text("getTextAttr", {S("n")}), "2");
  ASSERT_EQ(Call("startXML"), "<Void>");
  ASSERT_EQ(Call("selectNode", {S("e"), I(4)}), "1");  // the sixth child
  Call("nextNode");
  EXPECT_EQ(Text("getText"), "6");
  ASSERT_EQ(Call("selectChild", {I(600)}), "0");
  ASSERT_EQ(Call("parentNode"), "1");
  ASSERT_EQ(Call("selectChild", {I(599)}), "1");
  Call("nextNode");
  EXPECT_EQ(Text("getTextAttr", {S("n")}), "599");
  Call("nextNode");
  EXPECT_EQ(NodeName(), "");
  EXPECT_TRUE(IsNoError());
}

}  // namespace
