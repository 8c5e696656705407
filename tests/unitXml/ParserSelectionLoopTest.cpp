// Scripts select children by name in loops, and the instance remembers where it found the last
// one. Whatever it remembers, every answer must be the one a fresh look at the children gives:
// items out of order, a second instance on the same text, loads that fail, values held by
// elements of binary XML.

#include <string>
#include <vector>

#include "ParserFixture.h"
#include "XmlDom/XmlDom.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

const std::string kIndexOutOfRange(msg::kListIndexOutOfRange.View());

// count r elements numbered by their attribute n, the odd ones followed by other children of
// every kind, a processing instruction named r among them.
std::string Records(int count, const std::string& prefix = "") {
  std::string xml = "<root>";
  for (int i = 1; i <= count; ++i) {
    xml += "<r n='" + prefix + std::to_string(i) + "'><name>" + std::to_string(i) + "</name></r>";
    if (i % 2) xml += "<other/>text<?r pi?><!--c-->";
  }
  return xml + "</root>";
}

class SelectionLoopTest : public ParserTest {
 protected:
  // selectNode from the root: the n of the item, or "" when it failed as out of range.
  std::string Item(dxhost::TXtraInstance& instance, MoaLong item) {
    const std::string moved = host.Text(host.Call(instance, "selectNode", {S("r"), I(item)}));
    if (moved != "1") {
      EXPECT_EQ(host.Values().Find(host.Call(instance, "errorMsg").Raw())->Text, kIndexOutOfRange);
      return "";
    }
    const dxhost::THostValue n = host.Call(instance, "getTextAttr", {S("n")});
    const std::string text = host.Values().Find(n.Raw())->Text;
    EXPECT_EQ(host.Text(host.Call(instance, "parentNode")), "1");
    return text;
  }
  std::string Item(MoaLong item) { return Item(parser, item); }
};

TEST_F(SelectionLoopTest, ItemsInAnyOrderAreTheSameNodes) {
  LoadText(Records(30));
  EXPECT_EQ(Call("nodeCount", {S("r")}), "30");
  std::vector<MoaLong> items = {5, 2, 5};
  for (MoaLong i = 1; i <= 31; ++i) items.push_back(i);
  for (MoaLong i = 31; i >= 0; --i) items.push_back(i);
  for (MoaLong i : {17, 3, 29, 30, 1, -1, 2147483647, 16, 15}) items.push_back(i);
  for (MoaLong item : items)
    EXPECT_EQ(Item(item), item >= 1 && item <= 30 ? std::to_string(item) : "") << item;
  EXPECT_EQ(Call("nodeCount", {S("r")}), "30");
  EXPECT_EQ(Call("nodeCount", {S("other")}), "15");
  EXPECT_EQ(Call("selectSingleNode", {S("r")}), "1");
  EXPECT_EQ(Text("getTextAttr", {S("n")}), "1");
}

// The place of a node found by name is where nextNode goes on from, and the paths and lookups
// inside each record leave the loop's own place alone.
TEST_F(SelectionLoopTest, LoopsWithWorkInsideEachItemStayInStep) {
  LoadText(Records(12));
  for (MoaLong i = 1; i <= 12; ++i) {
    ASSERT_EQ(Call("selectNode", {S("r"), I(i)}), "1");
    ASSERT_EQ(Call("pathNode", {S("name")}), "1");
    EXPECT_EQ(Text("getText"), std::to_string(i));
    ASSERT_EQ(Call("parentNode"), "1");
    EXPECT_EQ(Call("nodeCount", {S("name")}), "1");
    ASSERT_EQ(Call("parentNode"), "1");
  }
  ASSERT_EQ(Call("selectNode", {S("r"), I(5)}), "1");
  Call("nextNode");
  EXPECT_EQ(NodeName(), "other");
  Call("nextNode");
  EXPECT_EQ(NodeName(), "#text");
  EXPECT_TRUE(IsNoError());
}

// Without any element of the name the item is not read: nothing is recorded, however wrong the
// item, also after the instance counted or found that name before.
TEST_F(SelectionLoopTest, TheItemIsReadOnlyWhereThereIsSomethingToChoose) {
  LoadText(Records(3));
  EXPECT_EQ(Call("nodeCount", {S("x")}), "0");
  EXPECT_EQ(Call("selectNode", {S("x"), I(0)}), "0");
  EXPECT_EQ(Call("selectNode", {S("x"), S("not a number")}), "0");
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(Call("selectNode", {S("r"), I(0)}), "0");
  EXPECT_EQ(ErrorMsg(), kIndexOutOfRange);
  ASSERT_EQ(Call("selectNode", {S("r"), I(3)}), "1");
  EXPECT_EQ(Call("selectNode", {S("r"), I(0)}), "0") << "no r below r";
  EXPECT_EQ(Call("selectChild", {I(1)}), "1");
  EXPECT_EQ(NodeName(), "name");
}

TEST_F(SelectionLoopTest, AnotherInstanceOnTheSameTextKeepsItsOwnPlace) {
  const std::string xml = Records(20);
  LoadText(xml);
  dxhost::TXtraInstance other = host.New("zelXMLParser");
  ASSERT_TRUE(other);
  ASSERT_EQ(host.Text(host.Call(other, "loadFromText", {S(xml)})), "1");
  for (MoaLong i = 1; i <= 20; ++i) {
    EXPECT_EQ(Item(i), std::to_string(i));
    EXPECT_EQ(Item(other, 21 - i), std::to_string(21 - i));
  }
  EXPECT_EQ(Item(7), "7");
  ASSERT_EQ(host.Text(host.Call(other, "loadFromText", {S(Records(4, "other "))})), "1");
  EXPECT_EQ(Item(other, 2), "other 2");
  EXPECT_EQ(Item(8), "8");
  EXPECT_EQ(Item(other, 8), "");
  EXPECT_EQ(Call("nodeCount", {S("r")}), "20");
}

// A failed load has replaced the document, but the cursor keeps the node it was on, with its
// children, until it leaves it; after startXML the loop runs over what was read before the
// failure.
TEST_F(SelectionLoopTest, AFailedLoadLeavesNoOldAnswer) {
  LoadText(Records(10));
  EXPECT_EQ(Item(4), "4");
  EXPECT_EQ(Call("loadFromText", {S("<root><r n='a'/><r n='b'/><r")}), "0");
  EXPECT_EQ(Call("nodeCount", {S("r")}), "10");
  ASSERT_EQ(Call("selectNode", {S("r"), I(5)}), "1");
  EXPECT_EQ(Text("getTextAttr", {S("n")}), "5");
  EXPECT_EQ(Call("parentNode"), "1") << "the cursor holds the old root it came down from";
  EXPECT_EQ(Call("nodeCount", {S("r")}), "10");
  ASSERT_EQ(Call("startXML"), "<Void>");
  EXPECT_EQ(Call("nodeCount", {S("r")}), "2");
  EXPECT_EQ(Item(2), "b");
  EXPECT_EQ(Item(4), "");
  EXPECT_EQ(Call("loadFromText", {S("<root><r n='c'/><")}), "0");
  ASSERT_EQ(Call("startXML"), "<Void>");
  EXPECT_EQ(Item(1), "c");
  EXPECT_EQ(Item(2), "");
}

// Binary XML may give an element a value instead of children: it is listed as one text child,
// which selecting it makes.
TEST_F(SelectionLoopTest, AHeldValueCountsAsItsTextChild) {
  const Ref<IXmlDocument> document = MakeXmlDocument("root");
  const Ref<IXmlElement> root = document->GetDocumentElement();
  root->AddChildElement("v")->SetNodeValue(XmlValue::FromInt32(42));
  root->AddChildElement("blank")->SetNodeValue(XmlValue::FromString(""));
  root->AddChildElement("v")->AddChildText("text");
  LoadText(document->ToBinaryString());
  EXPECT_EQ(Call("nodeCount", {S("v")}), "2");
  for (const char* name : {"v", "blank"}) {
    ASSERT_EQ(Call("selectSingleNode", {S(name)}), "1");
    EXPECT_EQ(Call("childCount"), name == std::string("v") ? "1" : "0") << name;
    EXPECT_EQ(Call("selectNode", {S("x"), I(1)}), "0");
    ASSERT_EQ(Call("parentNode"), "1");
  }
  ASSERT_EQ(Call("selectNode", {S("v"), I(1)}), "1");
  EXPECT_EQ(Call("selectChild", {I(2)}), "0");
  EXPECT_EQ(ErrorMsg(), kIndexOutOfRange);
  ASSERT_EQ(Call("selectChild", {I(1)}), "1");
  EXPECT_EQ(NodeName(), "#text");
  EXPECT_EQ(Text("getText"), "42");
  Call("nextNode");
  EXPECT_EQ(NodeName(), "");
  ASSERT_EQ(Call("startXML"), "<Void>");
  EXPECT_EQ(Text("getXML"), document->GetDocumentElement()->GetXML());
}

}  // namespace
