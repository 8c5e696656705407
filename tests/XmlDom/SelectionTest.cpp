// Selection by name, child lookup and value paths: direct children only, names matched by id.
#include <gtest/gtest.h>

#include "XmlTestSupport.h"
#include "common/FormatText.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

class Selection : public TXmlTest {
 protected:
  Ref<TXmlNameTable> table_ = MakeLoose<TXmlNameTable>();
  Ref<IXmlDocument> doc_ = MakeXmlDocument("root", "1.0", "", table_.Get());
  Ref<IXmlElement> root_ = doc_->GetDocumentElement();

  // root holds item, item, other and a text, in that order.
  void AddItems() {
    root_->AddChildElement("item")->SetTextAttr("n", "1");
    root_->AddChildElement("item")->SetTextAttr("n", "2");
    root_->AddChildElement("other");
    root_->AddChildText("text");
  }
};

TEST_F(Selection, SelectNodesListsTheNamedChildElementsInOrder) {
  AddItems();
  auto items = root_->SelectNodes("item");
  ASSERT_EQ(items->GetCount(), 2);
  EXPECT_EQ(items->GetItem(0)->GetTextAttr("n", ""), "1");
  EXPECT_EQ(items->GetItem(1)->GetTextAttr("n", ""), "2");
  EXPECT_EQ(root_->SelectNodes("Item")->GetCount(), 0);
  EXPECT_EQ(root_->SelectSingleNode("item")->GetTextAttr("n", ""), "1");
  EXPECT_EQ(root_->SelectSingleNode("Item"), nullptr);
  // The expression form takes elements only; the id form takes any node of that name.
  EXPECT_EQ(ErrorOf([&] { root_->SelectNodes("#text"); }), msg::kNotSupported.View());
  EXPECT_EQ(root_->SelectNodes(kTextNameId)->GetCount(), 1);
  EXPECT_EQ(root_->SelectNodes(table_->InternName("item"))->GetCount(), 2);
}

TEST_F(Selection, OnlyASingleNameIsAnExpression) {
  AddItems();
  const size_t namesBefore = size_t(table_->NameCount());
  for (const char* expression : {"a/b", "*", "@id", "item[1]", "", "item ", " item", "1a", "-a",
                                 ".a", "a b", "a,b", "//item", "a\x01"})
    EXPECT_EQ(ErrorOf([&] { root_->SelectSingleNode(expression); }), msg::kNotSupported.View())
        << expression;
  EXPECT_EQ(ErrorOf([&] { root_->SelectNodes("a/b"); }), msg::kNotSupported.View());
  EXPECT_EQ(ErrorOf([&] { root_->GetPathValue("a/b"); }), msg::kNotSupported.View());
  EXPECT_EQ(ErrorOf([&] { root_->SetPathValue("*", XmlValue::FromInt32(1)); }),
            msg::kNotSupported.View());
  // A refused expression changes neither the tree nor the name table.
  EXPECT_EQ(size_t(table_->NameCount()), namesBefore);
  EXPECT_EQ(root_->GetChildNodes()->GetCount(), 4);
  for (const char* expression :
       {"_x", "a-b", "a.b", "ns:item", "x1", "\xFD\xEB\xE5\xEC\xE5\xED\xF2", "_", "\xC0_1"})
    EXPECT_EQ(ErrorOf([&] { root_->SelectSingleNode(expression); }), "") << expression;
}

TEST_F(Selection, GrandchildrenAreNeverFound) {
  AddItems();
  EXPECT_EQ(doc_->SelectNodes("root")->GetCount(), 1);
  EXPECT_EQ(doc_->SelectNodes("item")->GetCount(), 0);
  EXPECT_EQ(doc_->SelectSingleNode("item"), nullptr);
  EXPECT_EQ(doc_->GetNamedChildText("item", "none"), "none");
}

TEST_F(Selection, ASelectionKeepsItsNodesWhenTheTreeChanges) {
  AddItems();
  auto items = root_->SelectNodes("item");
  auto first = items->GetItem(0);
  root_->RemoveChild(first.Get());
  root_->RemoveChild(items->GetItem(1).Get());
  EXPECT_EQ(items->GetCount(), 2);
  EXPECT_EQ(items->GetItem(0), first);
  EXPECT_EQ(first->GetParentNode(), nullptr);
  // Selecting never sets parents.
  auto other = root_->SelectNodes("other");
  EXPECT_EQ(other->GetItem(0)->GetParentNode().Get(), static_cast<IXmlNode*>(root_.Get()));
}

TEST_F(Selection, SelectingAnUnseenNameInternsIt) {
  const int before = table_->NameCount();
  EXPECT_EQ(root_->SelectNodes("unseen")->GetCount(), 0);
  EXPECT_EQ(table_->NameCount(), before + 1);
  EXPECT_EQ(table_->InternName("unseen"), before);
}

TEST_F(Selection, SelectingReachesAHeldValueAsATextChild) {
  root_->SetNodeValue(XmlValue::FromInt32(5));
  EXPECT_EQ(root_->SelectNodes(kTextNameId)->GetCount(), 1);
  EXPECT_EQ(root_->GetChildNodes()->GetItem(0)->GetText(), "5");
}

TEST_F(Selection, NamedChildLookupsReadTheExistingChildren) {
  AddItems();
  root_->SelectSingleNode("other")->AddChildText("other text");
  EXPECT_EQ(root_->GetNamedChildText("other", "def"), "other text");
  EXPECT_EQ(root_->GetNamedChildText("missing", "def"), "def");
  EXPECT_EQ(root_->GetNamedChildText(kTextNameId, ""), "text");
  // A held value is not turned into a child by a lookup.
  auto number = root_->AddChildElement("number");
  number->SetNodeValue(XmlValue::FromInt32(7));
  EXPECT_EQ(number->GetNamedChildText(kTextNameId, "no child"), "no child");
  EXPECT_EQ(ErrorOf([&] { number->RequireChild("#text"); }),
            FormatText(msg::kChildNotFound, {"#text"}));
  EXPECT_EQ(number->GetValueType(), xvtInt32);
}

TEST_F(Selection, RequireChildNamesTheMissingChild) {
  AddItems();
  EXPECT_EQ(root_->RequireChild("other")->GetNodeName(), "other");
  EXPECT_EQ(ErrorOf([&] { root_->RequireChild("\xEF\xF3\xF1\xF2\xEE"); }),
            FormatText(msg::kChildNotFound, {"\xEF\xF3\xF1\xF2\xEE"}));
  EXPECT_EQ(ErrorOf([&] { root_->RequireChild(table_->InternName("ghost")); }),
            FormatText(msg::kChildNotFound, {"ghost"}));
}

TEST_F(Selection, SetNamedChildTextAddsOnceAndThenChangesThatChild) {
  root_->SetNamedChildText("title", "first");
  root_->SetNamedChildText("title", "second");
  ASSERT_EQ(root_->GetChildNodes()->GetCount(), 1);
  EXPECT_EQ(root_->GetNamedChildText("title", ""), "second");
  // On an element with children, the text replaces them.
  auto title = root_->SelectSingleNode("title");
  title->AddChildElement("inner");
  root_->SetNamedChildText("title", "third");
  EXPECT_FALSE(NodeOf(title.Get()).HasChildItems());
  EXPECT_EQ(title->GetText(), "third");
  // A new child goes after a held value turned into a text child.
  auto holder = root_->AddChildElement("holder");
  holder->SetNodeValue(XmlValue::FromInt32(1));
  holder->SetNamedChildText("x", "y");
  auto children = holder->GetChildNodes();
  ASSERT_EQ(children->GetCount(), 2);
  EXPECT_EQ(children->GetItem(0)->GetText(), "1");
  EXPECT_EQ(children->GetItem(1)->GetText(), "y");
}

TEST_F(Selection, GetOrAddChildReturnsTheSameNodeTheSecondTime) {
  auto first = root_->GetOrAddChild("settings");
  auto second = root_->GetOrAddChild("settings");
  EXPECT_EQ(first, second);
  EXPECT_EQ(root_->GetChildNodes()->GetCount(), 1);
  EXPECT_EQ(root_->GetOrAddChild(table_->InternName("settings")), first);
  EXPECT_EQ(first->GetNodeType(), kElementNode);
}

TEST_F(Selection, FindChildByAttrComparesValues) {
  root_->AddChildElement("row")->SetTextAttr("id", "10");
  root_->AddChildElement("row")->SetIntAttr("id", 20);
  root_->AddChildElement("row")->SetTextAttr("id", "abc");
  root_->AddChildElement("col")->SetTextAttr("id", "10");
  EXPECT_EQ(root_->FindChildByAttr("row", "id", XmlValue::FromInt32(10))->GetTextAttr("id", ""),
            "10");
  EXPECT_EQ(root_->FindChildByAttr("row", "id", XmlValue::FromString("20"))->GetIntAttr("id", 0),
            20);
  EXPECT_EQ(root_->FindChildByAttr("row", "id", XmlValue::FromString("ABC")), nullptr);
  EXPECT_NE(root_->FindChildByAttr("row", "id", XmlValue::FromString("abc")), nullptr);
  EXPECT_EQ(root_->FindChildByAttr("row", "id", XmlValue::FromInt32(30)), nullptr);
  EXPECT_EQ(root_->FindChildByAttr("row", "missing", XmlValue()), nullptr);
  auto tens = root_->FindChildrenByAttr("row", "id", XmlValue::FromFloat64(10.0));
  ASSERT_EQ(tens->GetCount(), 1);
  EXPECT_EQ(tens->GetItem(0)->GetParentNode().Get(), static_cast<IXmlNode*>(root_.Get()));
  EXPECT_EQ(root_->FindChildrenByAttr("col", "id", XmlValue::FromString("10"))->GetCount(), 1);
}

TEST_F(Selection, FindingWithoutChildrenInternsNothing) {
  auto leaf = doc_->CreateElement("leaf");
  const int before = table_->NameCount();
  EXPECT_EQ(leaf->FindChildByAttr("new1", "new2", XmlValue()), nullptr);
  EXPECT_EQ(table_->NameCount(), before);
  auto none = leaf->FindChildrenByAttr("new1", "new2", XmlValue());
  EXPECT_EQ(none->GetCount(), 0);
  EXPECT_EQ(table_->NameCount(), before);
  EXPECT_FALSE(NodeOf(leaf.Get()).Children().Exists());
}

TEST_F(Selection, PathValuesReachTheNodeItsAttributesAndItsChildElements) {
  EXPECT_EQ(root_->GetPathValue("@missing"), XmlValue::FromString(""));
  EXPECT_EQ(root_->GetPathValue("missing"), XmlValue::FromString(""));
  root_->SetPathValue("@a", XmlValue::FromInt32(3));
  EXPECT_EQ(root_->GetPathValue("@a"), XmlValue::FromInt32(3));
  EXPECT_EQ(ErrorOf([&] { root_->SetPathValue("@", XmlValue::FromInt32(3)); }),
            msg::kAttributeNameMissing.View());
  EXPECT_EQ(root_->GetPathValue("@"), XmlValue::FromString(""));
  root_->SetPathValue("child", XmlValue::FromFloat64(2.5));
  EXPECT_EQ(root_->GetChildNodes()->GetCount(), 1);
  EXPECT_EQ(root_->GetPathValue("child"), XmlValue::FromFloat64(2.5));
  root_->SetPathValue("child", XmlValue::FromBoolean(true));
  EXPECT_EQ(root_->GetChildNodes()->GetCount(), 1);
  EXPECT_EQ(root_->GetPathValue("child").Type(), xvtBoolean);
  auto leaf = doc_->CreateElement("leaf");
  leaf->SetPathValue("", XmlValue::FromInt16(4));
  EXPECT_EQ(leaf->GetPathValue(""), XmlValue::FromInt16(4));
  EXPECT_EQ(leaf->GetValueType(), xvtInt16);
}

}  // namespace
