#include <gtest/gtest.h>

#include "XmlDom/XmlElement.h"
#include "XmlTestSupport.h"
#include "platform/Thread.h"

using namespace xmldom;

namespace {

class NodeLifetime : public TXmlTest {};

constexpr std::size_t kHostStack = 1 << 20;  // what a host thread may have on Windows

TEST_F(NodeLifetime, TreesLiveWhileTheirRootIsHeld) {
  const long before = TXmlNode::LiveCount();
  Ref<IXmlElement> kept;
  {
    auto doc = MakeXmlDocument("root");
    kept = doc->GetDocumentElement()->AddChildElement("kept");
    kept->AddChildText("t");
    EXPECT_EQ(TXmlNode::LiveCount(), before + 5);
  }
  // The document went with the declaration and the root; the held node keeps its own child.
  EXPECT_EQ(TXmlNode::LiveCount(), before + 2);
  EXPECT_EQ(kept->GetParentNode(), nullptr);
  EXPECT_EQ(kept->GetOwnerDocument(), nullptr);
  EXPECT_EQ(kept->GetText(), "t");
}

TEST_F(NodeLifetime, AMillionNestedElementsComeAndGoOnAHostSizedStack) {
  bool finished = false;
  ASSERT_TRUE(platform::RunWithStackSize(kHostStack, [&] {
    const long before = TXmlNode::LiveCount();
    auto table = MakeLoose<TXmlNameTable>();
    auto doc = MakeXmlDocument({}, {}, {}, table.Get());
    doc->SetKeepWhitespace(true);
    Ref<IXmlElement> node = doc->AddChildElement("a");
    for (int i = 1; i < 1000000; ++i) node = node->AddChildElement("a");
    node->SetText("deep");
    node.Reset();
    EXPECT_EQ(TXmlNode::LiveCount(), before + 1000001);
    EXPECT_EQ(doc->GetText(), "deep");
    // Moving the chain onto another table, copying it and writing it are as flat as
    // destroying it.
    auto otherDoc = MakeXmlDocument();
    auto copy = doc->GetDocumentElement()->CloneNode(true);
    otherDoc->AppendChild(copy.Get());
    EXPECT_EQ(copy->GetText(), "deep");
    const std::string xml = doc->GetXML();
    EXPECT_EQ(xml.size(), 1000000u * 7 + 4);
    EXPECT_EQ(xml.substr(0, 6), "<a><a>");
    copy.Reset();
    otherDoc.Reset();
    doc.Reset();
    EXPECT_EQ(TXmlNode::LiveCount(), before);
    finished = true;
  }));
  EXPECT_TRUE(finished);
}

TEST_F(NodeLifetime, AWideTreeGoesTooAndHeldChildrenSurvive) {
  auto doc = MakeXmlDocument("root");
  auto root = doc->GetDocumentElement();
  for (int i = 0; i < 10000; ++i) root->AddChildElement("item")->SetIntAttr("n", i);
  Ref<IXmlNode> survivor = root->GetChildNodes()->GetItem(5000);
  root.Reset();
  doc.Reset();
  EXPECT_EQ(survivor->GetParentNode(), nullptr);
  EXPECT_EQ(survivor->GetIntAttr("n", -1), 5000);
}

}  // namespace
