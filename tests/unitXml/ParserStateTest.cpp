// The object as Lingo first meets it: its method table, a new instance's answers, and the
// rules of the error state.

#include <vector>

#include "ParserFixture.h"
#include "common/Messages.h"

namespace {

constexpr MoaClassID kParserClassID = MakeMoaID("740B13D1-F782-4932-84B5-20B457FF7239");

constexpr std::string_view kMethodTable =
    "xtra zelXMLParser\n"
    "new object me\n"
    "forget object me\n"
    "xtraVersion object me\n"
    "errorMsg object me\n"
    "isNoError object me\n"
    "errorDialog object me, integer dialog\n"
    "errorLog object me, string logFile, integer logSave\n"
    "loadFromFile object me, string xmlFile\n"
    "loadFromText object me, string xmlString\n"
    "getNodeName object me\n"
    "getXML object me\n"
    "startXML object me\n"
    "selectSingleNode object me, string nodeName\n"
    "nodeCount object me, string nodeName\n"
    "selectNode object me, string nodeName, integer item\n"
    "childCount object me\n"
    "selectChild object me, integer item\n"
    "parentNode object me\n"
    "nextNode object me\n"
    "pathNode object me, string nodePath\n"
    "getText object me\n"
    "getTextAttr object me, string attrName\n"
    "getBoolAttr object me, string attrName\n"
    "getIntAttr object me, string attrName\n"
    "getDoubleAttr object me, string attrName\n"
    "testPL object me, list attr\n"
    "testL object me, list attr\n";

const std::string kNoCurrentNode(msg::kNoCurrentNode.View());
const std::string kNotSupported(msg::kNotSupported.View());

TEST_F(ParserTest, RegistersItsMethodTableByteForByte) {
  const dxhost::THostDictionary* entry = host.RegistryEntry(kParserClassID, kIID_IMoaScriptCall);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->String("msgTable").value_or(""), kMethodTable);
  const dxhost::TScriptClass* parserClass = host.FindScriptClass("zelXMLParser");
  ASSERT_TRUE(parserClass);
  ASSERT_EQ(parserClass->Methods.size(), 27u);
  EXPECT_EQ(parserClass->Methods[0], "new");
  EXPECT_EQ(parserClass->Methods[1], "forget");
  EXPECT_EQ(parserClass->Methods[2], "xtraVersion");
  EXPECT_EQ(parserClass->Methods[26], "testL");
}

TEST_F(ParserTest, EachSelectorReachesItsMethod) {
  EXPECT_EQ(Call(0), "<Void>");  // new and forget reach no published method
  EXPECT_EQ(Call(1), "<Void>");
  EXPECT_EQ(host.Values().TypeOf(host.Call(parser, 2).Raw()), kMoaValuePropertyList);
  EXPECT_EQ(Call(3), "\"\"");
  EXPECT_EQ(Call(4), "1");
  EXPECT_EQ(Call(5, {I(1)}), "<Void>");
  EXPECT_EQ(Call(6, {S(""), I(0)}), "<Void>");
  EXPECT_EQ(Call(7, {S("no such file.xml")}), "0");
  EXPECT_EQ(Call(4), "0");
  const char* xml = "<r a='7' f='1.5'><c>t</c><c/></r>";
  EXPECT_EQ(Call(8, {S(xml)}), "1");
  EXPECT_EQ(Call(9), "\"r\"");
  EXPECT_EQ(Call(10).substr(0, 5), "\"\r\n<r");
  EXPECT_EQ(Call(12, {S("c")}), "1");
  EXPECT_EQ(Call(11), "<Void>");
  EXPECT_EQ(Call(9), "\"r\"") << "startXML went back to the document element";
  // The rest, each from the document element, with an answer of its own.
  const struct {
    MoaLong Selector;
    std::vector<dxhost::THostValue> Args;
    std::string Answer;
  } cases[] = {
      {13, {S("c")}, "2"},
      {14, {S("c"), I(2)}, "1"},
      {15, {}, "2"},
      {16, {I(1)}, "1"},
      {17, {}, "1"},
      {18, {}, "<Void>"},
      {19, {S("c")}, "1"},
      {20, {}, "\"t\""},
      {21, {S("a")}, "\"7\""},
      {22, {S("a")}, "1"},
      {23, {S("a")}, "7"},
      {24, {S("f")}, "1.5000"},
      {25, {host.Values().PropertyList({{Sym("a"), I(1)}})}, "[#a: 1]"},
      {26, {host.Values().List({I(1)})}, "[1]"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Call(8, {S(xml)}), "1");
    EXPECT_EQ(host.Text(host.Call(parser, c.Selector, c.Args)), c.Answer) << c.Selector;
  }
  EXPECT_EQ(Call(27), "<Void>");  // past the table: nothing happens
  EXPECT_EQ(Call(-1), "<Void>");
  EXPECT_TRUE(IsNoError());
}

TEST_F(ParserTest, NewInstanceHasNoDocumentNoNodeAndNoError) {
  EXPECT_EQ(Call("errorMsg"), "\"\"");
  EXPECT_EQ(Call("isNoError"), "1");
  EXPECT_EQ(Call("getNodeName"), "\"\"");
  EXPECT_EQ(Call("getXML"), "\"\"");
  EXPECT_EQ(Call("getText"), "\"\"");
  EXPECT_EQ(Call("getTextAttr", {S("a")}), "\"\"");
  EXPECT_EQ(Call("getIntAttr", {S("a")}), "0");
  EXPECT_TRUE(IsNoError()) << "readers without a node record nothing";
  EXPECT_EQ(Call("nodeCount", {S("a")}), "0");
  EXPECT_EQ(ErrorMsg(), kNoCurrentNode);
}

TEST_F(ParserTest, EveryMethodThatNeedsANodeOrDocumentFailsWithoutOne) {
  const std::pair<const char*, std::string> cases[] = {
      {"selectSingleNode", "0"}, {"nodeCount", "0"},  {"selectNode", "0"},   {"childCount", "0"},
      {"selectChild", "0"},      {"parentNode", "0"}, {"nextNode", "<Void>"}};
  for (const auto& [method, failure] : cases) {
    LoadText("<a/>");
    ASSERT_EQ(Call("selectChild", {I(1)}), "0");  // a has no children: no failure
    ASSERT_EQ(Call("nextNode"), "<Void>");        // leaves no current node
    ASSERT_TRUE(IsNoError());
    EXPECT_EQ(Call(method, {S("a"), I(1)}), failure) << method;
    EXPECT_EQ(ErrorMsg(), kNoCurrentNode) << method;
  }
  parser = host.New("zelXMLParser");
  EXPECT_EQ(Call("startXML"), "<Void>");
  EXPECT_EQ(ErrorMsg(), std::string(msg::kNoDocument.View()));
  EXPECT_EQ(Call("loadFromText", {S("")}), "1");
  EXPECT_EQ(Call("pathNode", {S("a")}), "0");
  EXPECT_TRUE(IsNoError()) << "an empty document stops pathNode before the cursor is needed";
}

TEST_F(ParserTest, ErrorStateIsClearedOnlyByLoadsAndTheVersionReport) {
  LoadText("<r><a/></r>");
  EXPECT_EQ(Call("selectSingleNode", {S("a/b")}), "0");
  EXPECT_EQ(ErrorMsg(), kNotSupported);
  // Successes of other methods leave the failure in place.
  EXPECT_EQ(Call("selectSingleNode", {S("a")}), "1");
  EXPECT_EQ(Call("startXML"), "<Void>");
  EXPECT_FALSE(IsNoError());
  EXPECT_FALSE(IsNoError()) << "reading the state does not change it";
  // The last failure wins.
  EXPECT_EQ(Call("selectChild", {I(9)}), "0");
  EXPECT_EQ(ErrorMsg(), std::string(msg::kListIndexOutOfRange.View()));
  // The list methods never touch it.
  EXPECT_EQ(Call("testL", {host.Values().List({I(1), I(2)})}), "[1, 2]");
  EXPECT_EQ(ErrorMsg(), std::string(msg::kListIndexOutOfRange.View()));
  EXPECT_EQ(host.Values().TypeOf(host.Call(parser, "xtraVersion").Raw()), kMoaValuePropertyList);
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(Call("nodeCount", {S("*")}), "0");
  EXPECT_FALSE(IsNoError());
  LoadText("<r/>");
  EXPECT_TRUE(IsNoError());
}

TEST_F(ParserTest, MethodNamesMatchWithoutRegardToCase) {
  EXPECT_EQ(Call("LOADFROMTEXT", {S("<Root/>")}), "1");
  EXPECT_EQ(Call("getnodename"), "\"Root\"");
}

TEST_F(ParserTest, ListTestMethodsShowTheListAndHandItBack) {
  const dxhost::THostValue properties =
      host.Values().PropertyList({{Sym("a"), I(1)}, {Sym("b"), S("x")}});
  EXPECT_EQ(Call("testPL", {properties}), "[#a: 1, #b: \"x\"]");
  EXPECT_EQ(Call("testL", {host.Values().List(
                              {I(1), host.Values().Float(2.5), Sym("c"), host.Values().List({})})}),
            "[1, 2.5000, #c, []]");
  EXPECT_EQ(Call("testPL", {host.Values().PropertyList({})}), "[:]");
  const auto boxes = testing_support::TakeCapturedBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].Caption, "Info");
  EXPECT_EQ(boxes[0].Text, "[#a: 1, #b: \"x\"]");
  EXPECT_EQ(boxes[1].Text, "[1, 2.5000, #c, []]");
  EXPECT_EQ(boxes[2].Text, "[:]");
  // Another kind reads as no list: nothing shown, the host's result stays.
  EXPECT_EQ(Call("testPL", {host.Values().List({I(1)})}), "<Void>");
  EXPECT_EQ(Call("testL", {properties}), "<Void>");
  EXPECT_EQ(Call("testL", {S("[1]")}), "<Void>");
  EXPECT_TRUE(testing_support::TakeCapturedBoxes().empty());
  EXPECT_TRUE(IsNoError());
}

}  // namespace
