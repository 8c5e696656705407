// A node held while its document goes survives with its whole subtree: only its own parent link
// is cut. Trees come from the text reader, the binary reader and the create operations, so that
// every form children take is met (an only child linked straight from its element, a made list,
// an element's held value, attributes); the held node sits at depth 1, 2 or 3.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "XmlTestSupport.h"

using namespace xmldom;

namespace {

class Survivor : public TXmlTest {};

constexpr const char* kText =
    "<?xml version=\"1.0\"?>"
    "<r a=\"1\"><keep id=\"k\"><only>t</only>"
    "<list x=\"2\"><kid n=\"1\">one</kid><kid2/><![CDATA[ c ]]><!--m-->"
    "<g><gg>deep</gg><gg2 y=\"3\"/></g></list><v>5</v></keep><after/></r>";

Ref<IXmlDocument> FromText() {
  auto doc = MakeXmlDocument();
  doc->LoadXML(kText);
  return doc;
}

// The same tree built node by node: held values instead of text children, free nodes made by
// the document and appended.
Ref<IXmlDocument> FromCreateOperations() {
  auto doc = MakeXmlDocument();
  auto r = doc->InitDocument("1.0", "", "r");
  r->SetTextAttr("a", "1");
  auto keep = r->AddChildElement("keep");
  keep->SetTextAttr("id", "k");
  keep->AddChildElement("only")->SetText("t");
  Ref<IXmlElement> list = doc->CreateElement("list");
  list->SetIntAttr("x", 2);
  keep->AppendChild(list.Get());
  Ref<IXmlElement> kid = doc->CreateElement("kid");
  kid->SetIntAttr("n", 1);
  kid->SetText("one");
  list->AppendChild(kid.Get());
  list->AppendChild(doc->CreateElement("kid2").Get());
  list->AppendChild(doc->CreateCDATASection(" c ").Get());
  list->AppendChild(doc->CreateComment("m").Get());
  auto g = list->AddChildElement("g");
  g->AddChildElement("gg")->AppendChild(doc->CreateText("deep").Get());
  g->AddChildElement("gg2")->SetIntAttr("y", 3);
  keep->AddChildElement("v")->SetNodeValue(XmlValue::FromInt32(5));
  r->AddChildElement("after");
  return doc;
}

Ref<IXmlDocument> FromBinary(const Ref<IXmlDocument>& source) {
  auto doc = MakeXmlDocument();
  doc->LoadBinaryString(source->ToBinaryString());
  return doc;
}

struct TSource {
  const char* Name;
  std::function<Ref<IXmlDocument>()> Make;
};

const std::vector<TSource>& Sources() {
  static const std::vector<TSource> sources = {
      {"text reader", FromText},
      {"create operations", FromCreateOperations},
      {"binary reader, from text", [] { return FromBinary(FromText()); }},
      {"binary reader, from create operations", [] { return FromBinary(FromCreateOperations()); }},
  };
  return sources;
}

// The held nodes: the document element, a child of it, grandchildren in both child forms.
const std::vector<std::vector<const char*>> kPaths = {
    {}, {"keep"}, {"keep", "list"}, {"keep", "only"}, {"keep", "v"}};

Ref<IXmlNode> NodeAt(const Ref<IXmlDocument>& doc, const std::vector<const char*>& path) {
  Ref<IXmlNode> node = doc->GetDocumentElement();
  for (const char* name : path) node = node->SelectSingleNode(name);
  return node;
}

std::string PathName(const std::vector<const char*>& path) {
  std::string name = "r";
  for (const char* step : path) name.append("/").append(step);
  return name;
}

// What reading a node and its subtree through the interface finds: names, attributes, texts,
// and whether every child's parent and next sibling are where they belong.
void Describe(IXmlNode& node, std::string& out) {
  // Appended piece by piece: the 32-bit compiler's overlap check misreads literals chained
  // onto temporary strings.
  out.append(node.GetNodeName()).append("[").append(std::to_string(node.GetValueType()));
  out.append("]");
  for (int i = 0; i < node.GetAttributeCount(); ++i) {
    const std::string name = node.GetAttributeName(i);
    out.append(" ").append(name).append("=").append(node.GetTextAttr(name, "?"));
  }
  out.append(" '").append(node.GetText()).append("' {");
  const Ref<IXmlNodeList> children = node.GetChildNodes();
  for (int i = 0; i < children->GetCount(); ++i) {
    const Ref<IXmlNode> child = children->GetItem(i);
    if (child->GetParentNode().Get() != &node) out += "!parent ";
    const Ref<IXmlNode> next = child->GetNextSibling();
    const bool last = i + 1 == children->GetCount();
    if (last ? next != nullptr : next.Get() != children->GetItem(i + 1).Get()) out += "!sibling ";
    Describe(*child, out);
  }
  out += "}";
}

int CountNodes(IXmlNode& node) {
  int count = 1;
  const Ref<IXmlNodeList> children = node.GetChildNodes();
  for (int i = 0; i < children->GetCount(); ++i) count += CountNodes(*children->GetItem(i));
  return count;
}

std::string Described(IXmlNode& node) {
  std::string out;
  Describe(node, out);
  return out;
}

TEST_F(Survivor, AHeldNodeKeepsItsWholeSubtreeWhenItsDocumentGoes) {
  for (const TSource& source : Sources()) {
    for (const auto& path : kPaths) {
      SCOPED_TRACE(std::string(source.Name).append(", holding ").append(PathName(path)));
      const long before = TXmlNode::LiveCount();
      const long listsBefore = TXmlNodeList::LiveCount();
      {
        // A twin of the tree stays in its document, to compare with.
        const Ref<IXmlDocument> twinDoc = source.Make();
        const Ref<IXmlNode> twin = NodeAt(twinDoc, path);
        const std::string twinXml = twin->GetXML();
        const std::string twinText = twin->GetText();
        const std::string twinDescribed = Described(*twin);
        const long twinNodes = TXmlNode::LiveCount() - before;
        Ref<IXmlNode> held = NodeAt(source.Make(), path);
        ASSERT_NE(held, nullptr);
        EXPECT_EQ(held->GetParentNode(), nullptr);
        EXPECT_EQ(held->GetOwnerDocument(), nullptr);
        EXPECT_EQ(held->GetNextSibling(), nullptr);
        // Read before anything makes a child list or turns a value into a child.
        EXPECT_EQ(held->GetXML(), twinXml);
        EXPECT_EQ(held->GetText(), twinText);
        EXPECT_EQ(Described(*held), twinDescribed);
        EXPECT_EQ(TXmlNode::LiveCount() - before - twinNodes, CountNodes(*held))
            << "only the held node's subtree is left of its tree";
        held.Reset();
        EXPECT_EQ(TXmlNode::LiveCount() - before, twinNodes);
      }
      EXPECT_EQ(TXmlNode::LiveCount(), before) << "nothing is left alive";
      EXPECT_EQ(TXmlNodeList::LiveCount(), listsBefore);
    }
  }
}

TEST_F(Survivor, NodesHeldAtSeveralDepthsEachKeepTheirPlaceInTheSurvivingTree) {
  for (const TSource& source : Sources()) {
    SCOPED_TRACE(source.Name);
    const long before = TXmlNode::LiveCount();
    const long listsBefore = TXmlNodeList::LiveCount();
    Ref<IXmlNode> keep, gg, text;
    {
      const Ref<IXmlDocument> doc = source.Make();
      keep = NodeAt(doc, {"keep"});
      gg = NodeAt(doc, {"keep", "list", "g", "gg"});
      text = gg->GetChildNodes()->GetItem(0);
    }
    // The grandchild's former parent and grandparent live on in the held node's subtree.
    {
      const Ref<IXmlNode> g = gg->GetParentNode();
      ASSERT_NE(g, nullptr);
      EXPECT_EQ(g->GetNodeName(), "g");
      EXPECT_EQ(g->GetParentNode()->GetParentNode().Get(), keep.Get());
    }
    EXPECT_EQ(gg->GetNextSibling()->GetNodeName(), "gg2");
    EXPECT_EQ(gg->GetNextSibling()->GetIntAttr("y", 0), 3);
    EXPECT_EQ(text->GetParentNode().Get(), gg.Get());
    EXPECT_EQ(keep->GetParentNode(), nullptr);
    EXPECT_EQ(keep->GetTextAttr("id", ""), "k");
    EXPECT_EQ(keep->GetText(), "t one c deep 5");
    // Letting go of the top leaves each held node with its own subtree, cut from the rest.
    keep.Reset();
    EXPECT_EQ(gg->GetParentNode(), nullptr);
    EXPECT_EQ(text->GetParentNode().Get(), gg.Get());
    EXPECT_EQ(gg->GetText(), "deep");
    gg.Reset();
    EXPECT_EQ(text->GetParentNode(), nullptr);
    EXPECT_EQ(text->GetText(), "deep");
    text.Reset();
    EXPECT_EQ(TXmlNode::LiveCount(), before) << "nothing is left alive";
    EXPECT_EQ(TXmlNodeList::LiveCount(), listsBefore);
  }
}

TEST_F(Survivor, ASurvivorMovesIntoAnotherDocumentWhole) {
  for (const TSource& source : Sources()) {
    SCOPED_TRACE(source.Name);
    Ref<IXmlNode> keep = NodeAt(source.Make(), {"keep"});
    const std::string xml = keep->GetXML();
    auto other = MakeXmlDocument("top");
    other->GetDocumentElement()->AppendChild(keep.Get());
    EXPECT_EQ(keep->GetParentNode()->GetNodeName(), "top");
    EXPECT_EQ(keep->GetXML(), xml);
    EXPECT_EQ(other->GetDocumentElement()->GetText(), "t one c deep 5");
  }
}

}  // namespace
