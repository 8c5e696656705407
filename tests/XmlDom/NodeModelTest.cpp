#include "XmlDom/XmlNode.h"

#include <gtest/gtest.h>

#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlTreeWalk.h"
#include "XmlTestSupport.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

class NodeModel : public TXmlTest {
 protected:
  Ref<TXmlNameTable> table_ = MakeLoose<TXmlNameTable>();
  Ref<IXmlDocument> doc_ = MakeXmlDocument({}, {}, {}, table_.Get());
  Ref<IXmlElement> NewElement(std::string_view name) { return doc_->CreateElement(name); }
};

TEST_F(NodeModel, KindsAnswerTheirTypeNameAndInterface) {
  auto e = NewElement("e");
  auto t = doc_->CreateText("t");
  auto c = doc_->CreateCDATASection("c");
  auto m = doc_->CreateComment("m");
  auto p = doc_->CreateProcessingInstruction("pi", "d");
  const std::pair<IXmlNode*, std::pair<int, const char*>> expected[] = {
      {e.Get(), {1, "e"}},        {t.Get(), {3, "#text"}}, {c.Get(), {4, "#cdata-section"}},
      {m.Get(), {8, "#comment"}}, {p.Get(), {7, "pi"}},    {doc_.Get(), {9, "#document"}}};
  for (const auto& [node, typeAndName] : expected) {
    EXPECT_EQ(node->GetNodeType(), typeAndName.first);
    EXPECT_EQ(node->GetNodeName(), typeAndName.second);
    EXPECT_EQ(node->ToElement().Get() != nullptr, node == e.Get());
    EXPECT_EQ(node->ToText().Get() != nullptr, node == t.Get());
    EXPECT_EQ(node->ToCDATASection().Get() != nullptr, node == c.Get());
    EXPECT_EQ(node->ToComment().Get() != nullptr, node == m.Get());
    EXPECT_EQ(node->ToInstruction().Get() != nullptr, node == p.Get());
    EXPECT_EQ(&node->ImplementingNode()->Self(), node);
    EXPECT_EQ(node->SourceLine(), 0);
    EXPECT_EQ(node->GetParentNode(), nullptr);
  }
  EXPECT_EQ(p->GetText(), "d");
}

// A node of another implementation of the interface: the library refuses it wherever it takes a
// node, since none of its own is behind it.
class TImpostor final : public IXmlElement {
 public:
  void AddRef() const noexcept override { ++count_; }
  void Release() const noexcept override { --count_; }
  TXmlNode* ImplementingNode() noexcept override { return nullptr; }
  int SourceLine() override { return {}; }
  int SourcePos() override { return {}; }
  Ref<IXmlNameTable> NodeNameTable() override { return {}; }
  std::string GetNodeName() override { return {}; }
  int GetNodeNameIndex() override { return {}; }
  TXmlNodeType GetNodeType() override { return kElementNode; }
  std::string GetText() override { return {}; }
  void SetText(std::string_view) override {}
  int GetValueType() override { return {}; }
  XmlValue GetNodeValue() override { return {}; }
  void SetNodeValue(const XmlValue&) override {}
  std::string GetXML() override { return {}; }
  Ref<IXmlNode> CloneNode(bool) override { return {}; }
  Ref<IXmlNode> GetParentNode() override { return {}; }
  Ref<IXmlDocument> GetOwnerDocument() override { return {}; }
  Ref<IXmlNode> GetNextSibling() override { return {}; }
  Ref<IXmlNodeList> GetChildNodes() override { return {}; }
  void AppendChild(IXmlNode*) override {}
  void InsertBefore(IXmlNode*, IXmlNode*) override {}
  void ReplaceChild(IXmlNode*, IXmlNode*) override {}
  int RemoveChild(IXmlNode*) override { return {}; }
  Ref<IXmlElement> AddChildElement(int) override { return {}; }
  Ref<IXmlElement> AddChildElement(std::string_view) override { return {}; }
  Ref<IXmlText> AddChildText(std::string_view) override { return {}; }
  Ref<IXmlCDATASection> AddChildCDATA(std::string_view) override { return {}; }
  Ref<IXmlComment> AddChildComment(std::string_view) override { return {}; }
  Ref<IXmlProcessingInstruction> AddChildInstruction(int, std::string_view) override { return {}; }
  Ref<IXmlProcessingInstruction> AddChildInstruction(std::string_view, std::string_view) override {
    return {};
  }
  std::string GetNamedChildText(std::string_view, std::string_view) override { return {}; }
  std::string GetNamedChildText(int, std::string_view) override { return {}; }
  void SetNamedChildText(std::string_view, std::string_view) override {}
  void SetNamedChildText(int, std::string_view) override {}
  Ref<IXmlNode> RequireChild(int) override { return {}; }
  Ref<IXmlNode> RequireChild(std::string_view) override { return {}; }
  Ref<IXmlNode> GetOrAddChild(int) override { return {}; }
  Ref<IXmlNode> GetOrAddChild(std::string_view) override { return {}; }
  void ClearChildren() override {}
  Ref<IXmlNodeList> SelectNodes(std::string_view) override { return {}; }
  Ref<IXmlNodeList> SelectNodes(int) override { return {}; }
  Ref<IXmlNode> SelectSingleNode(std::string_view) override { return {}; }
  Ref<IXmlElement> FindChildByAttr(std::string_view, std::string_view, const XmlValue&) override {
    return {};
  }
  Ref<IXmlNodeList> FindChildrenByAttr(std::string_view, std::string_view,
                                       const XmlValue&) override {
    return {};
  }
  int GetAttributeCount() override { return {}; }
  int GetAttributeNameIndex(int) override { return {}; }
  std::string GetAttributeName(int) override { return {}; }
  void RemoveAttribute(std::string_view) override {}
  void RemoveAttribute(int) override {}
  void ClearAttributes() override {}
  bool HasAttribute(int) override { return {}; }
  bool HasAttribute(std::string_view) override { return {}; }
  int GetAttributeType(int) override { return {}; }
  int GetAttributeType(std::string_view) override { return {}; }
  XmlValue GetValueAttr(int, const XmlValue&) override { return {}; }
  XmlValue GetValueAttr(std::string_view, const XmlValue&) override { return {}; }
  void SetValueAttr(int, const XmlValue&) override {}
  void SetValueAttr(std::string_view, const XmlValue&) override {}
  XmlValue RequireValueAttr(int) override { return {}; }
  XmlValue RequireValueAttr(std::string_view) override { return {}; }
  std::string RequireTextAttr(int) override { return {}; }
  std::string RequireTextAttr(std::string_view) override { return {}; }
  std::string GetTextAttr(int, std::string_view) override { return {}; }
  std::string GetTextAttr(std::string_view, std::string_view) override { return {}; }
  void SetTextAttr(int, std::string_view) override {}
  void SetTextAttr(std::string_view, std::string_view) override {}
  bool GetBoolAttr(int, bool) override { return {}; }
  bool GetBoolAttr(std::string_view, bool) override { return {}; }
  void SetBoolAttr(int, bool) override {}
  void SetBoolAttr(std::string_view, bool) override {}
  int GetIntAttr(int, int) override { return {}; }
  int GetIntAttr(std::string_view, int) override { return {}; }
  void SetIntAttr(int, int) override {}
  void SetIntAttr(std::string_view, int) override {}
  TXmlDateTime GetDateAttr(int, TXmlDateTime) override { return {}; }
  TXmlDateTime GetDateAttr(std::string_view, TXmlDateTime) override { return {}; }
  void SetDateAttr(int, TXmlDateTime) override {}
  void SetDateAttr(std::string_view, TXmlDateTime) override {}
  double GetDoubleAttr(int, double) override { return {}; }
  double GetDoubleAttr(std::string_view, double) override { return {}; }
  double RequireDoubleAttr(int) override { return {}; }
  double RequireDoubleAttr(std::string_view) override { return {}; }
  void SetDoubleAttr(int, double) override {}
  void SetDoubleAttr(std::string_view, double) override {}
  int GetHexNumberAttr(std::string_view, int) override { return {}; }
  int GetHexNumberAttr(int, int) override { return {}; }
  void SetHexNumberAttr(std::string_view, int, int) override {}
  void SetHexNumberAttr(int, int, int) override {}
  int GetChoiceAttr(std::string_view, const std::vector<std::string>&, int) override { return {}; }
  int GetChoiceAttr(int, const std::vector<std::string>&, int) override { return {}; }
  int RequireChoiceAttr(std::string_view, const std::vector<std::string>&) override { return {}; }
  int RequireChoiceAttr(int, const std::vector<std::string>&) override { return {}; }
  void SetTextAsCDATA(std::string_view) override {}
  void SetTextAsBase64(const void*, int, int) override {}
  std::string GetTextFromBase64() override { return {}; }
  std::string GetDirectText() override { return {}; }
  XmlValue GetPathValue(std::string_view) override { return {}; }
  void SetPathValue(std::string_view, const XmlValue&) override {}
  Ref<IXmlElement> ToElement() override { return {}; }
  Ref<IXmlText> ToText() override { return {}; }
  Ref<IXmlCDATASection> ToCDATASection() override { return {}; }
  Ref<IXmlComment> ToComment() override { return {}; }
  Ref<IXmlProcessingInstruction> ToInstruction() override { return {}; }

 private:
  mutable int count_ = 0;
};

TEST_F(NodeModel, ForeignObjectsAreInvalidTypecasts) {
  auto e = NewElement("e");
  TImpostor impostor;
  EXPECT_EQ(ErrorOf([&] { e->AppendChild(&impostor); }), msg::kInvalidTypecast);
  EXPECT_EQ(ErrorOf([&] { e->AppendChild(nullptr); }), msg::kInvalidTypecast);
  EXPECT_EQ(ErrorOf([&] { e->RemoveChild(&impostor); }), msg::kInvalidTypecast);
  EXPECT_FALSE(NodeOf(e.Get()).HasChildItems());
}

TEST_F(NodeModel, ElementValueBecomesATextChildWhenChildrenAreReached) {
  auto e = NewElement("e");
  e->SetNodeValue(XmlValue::FromInt32(5));
  EXPECT_EQ(e->GetValueType(), 3);
  EXPECT_EQ(e->GetText(), "5");
  EXPECT_EQ(e->GetNodeValue(), XmlValue::FromInt32(5));
  Ref<IXmlNodeList> children = e->GetChildNodes();
  ASSERT_EQ(children->GetCount(), 1);
  EXPECT_EQ(children->GetItem(0)->GetNodeType(), kTextNode);
  EXPECT_EQ(children->GetItem(0)->GetText(), "5");
  EXPECT_EQ(children->GetItem(0)->GetValueType(), 256);
  EXPECT_TRUE(static_cast<TXmlElement&>(*e).Value().IsEmpty());
  EXPECT_EQ(e->GetValueType(), 256);
  EXPECT_EQ(e->GetNodeValue(), XmlValue::FromString("5"));
}

TEST_F(NodeModel, NullAndEmptyValuesMakeNoTextChild) {
  auto e = NewElement("e");
  e->SetNodeValue(XmlValue::FromString(""));
  EXPECT_EQ(e->GetChildNodes()->GetCount(), 0);
  e->SetNodeValue(XmlValue::Null());
  EXPECT_EQ(e->GetChildNodes()->GetCount(), 0);
  EXPECT_EQ(e->GetValueType(), 1);
}

TEST_F(NodeModel, SettingTextOrValueReplacesChildren) {
  auto e = NewElement("e");
  auto child = e->AddChildElement("c");
  e->SetText("x");
  EXPECT_EQ(e->GetChildNodes()->GetCount(), 1);  // the text x, turned into a child again
  EXPECT_EQ(child->GetParentNode(), nullptr);
  e->SetNodeValue(XmlValue::FromFloat64(0.5));
  EXPECT_EQ(e->GetText(), "0.5");
  EXPECT_EQ(e->GetValueType(), 5);
}

TEST_F(NodeModel, TextJoinsElementTextAndCDataChildren) {
  auto e = NewElement("e");
  e->AddChildText("a");
  e->AddChildComment("skipped");
  e->AddChildText("b");
  EXPECT_EQ(e->GetText(), "a b");
  auto inner = e->AddChildElement("inner");
  inner->AddChildText("c");
  inner->AddChildInstruction("pi", "skipped");
  inner->AddChildCDATA("  d  ");
  e->AddChildText("");
  e->AddChildElement("empty");
  EXPECT_EQ(e->GetText(), "a b c d");
  auto onlyEmpty = NewElement("o");
  onlyEmpty->AddChildText("");
  EXPECT_EQ(onlyEmpty->GetText(), "");
}

TEST_F(NodeModel, DocumentTextJoinsAndSetTextReplaces) {
  doc_->AddChildComment("c");
  doc_->AddChildElement("a")->SetText("a");
  doc_->AddChildElement("b")->SetText("b");
  EXPECT_EQ(doc_->GetText(), "a b");
  doc_->SetText("only");
  EXPECT_EQ(doc_->GetChildNodes()->GetCount(), 1);
  EXPECT_EQ(doc_->GetChildNodes()->GetItem(0)->GetNodeType(), kTextNode);
  EXPECT_EQ(doc_->GetText(), "only");
}

TEST_F(NodeModel, CharacterDataIsTrimmedUnlessWhitespaceIsKept) {
  auto c = doc_->AddChildCDATA("  x  ");
  auto free = doc_->CreateComment("\t\r\n y \x01");
  EXPECT_EQ(c->GetText(), "x");
  EXPECT_EQ(free->GetText(), "y");
  doc_->SetKeepWhitespace(true);
  EXPECT_EQ(c->GetText(), "  x  ");
  EXPECT_EQ(free->GetText(), "y");  // in no document
  c->SetText(" z ");
  EXPECT_EQ(c->GetNodeValue(), XmlValue::FromString(" z "));
  c->SetNodeValue(XmlValue::FromInt32(-3));
  EXPECT_EQ(c->GetText(), "-3");
}

TEST_F(NodeModel, SiblingsAndOwners) {
  auto e = doc_->AddChildElement("e");
  auto a = e->AddChildElement("a");
  auto b = e->AddChildText("b");
  EXPECT_EQ(a->GetNextSibling().Get(), static_cast<IXmlNode*>(b.Get()));
  EXPECT_EQ(b->GetNextSibling(), nullptr);
  EXPECT_EQ(doc_->GetNextSibling(), nullptr);
  EXPECT_EQ(b->GetOwnerDocument().Get(), doc_.Get());
  EXPECT_EQ(doc_->GetOwnerDocument().Get(), doc_.Get());
  EXPECT_EQ(NewElement("free")->GetOwnerDocument(), nullptr);
  EXPECT_EQ(doc_->GetDocumentElement().Get(), e.Get());
}

TEST_F(NodeModel, InsertReplaceAndRemove) {
  auto e = NewElement("e");
  auto a = e->AddChildElement("a");
  auto x = NewElement("x"), y = NewElement("y"), z = NewElement("z");
  e->InsertBefore(x.Get(), a.Get());
  e->InsertBefore(y.Get(), z.Get());  // z is no child: appended
  e->InsertBefore(z.Get(), nullptr);
  EXPECT_EQ(e->GetXML(), "\r\n<e>\r\n\t<x/>\r\n\t<a/>\r\n\t<y/>\r\n\t<z/>\r\n</e>");
  EXPECT_EQ(e->RemoveChild(NewElement("stranger").Get()), -1);
  EXPECT_EQ(e->RemoveChild(a.Get()), 1);
  EXPECT_EQ(a->GetParentNode(), nullptr);
  e->ReplaceChild(a.Get(), y.Get());
  EXPECT_EQ(y->GetParentNode(), nullptr);
  EXPECT_EQ(a->GetParentNode().Get(), static_cast<IXmlNode*>(e.Get()));
  e->ReplaceChild(y.Get(), NewElement("stranger").Get());
  e->ReplaceChild(a.Get(), a.Get());
  EXPECT_EQ(e->GetChildNodes()->GetCount(), 3);
  EXPECT_EQ(e->GetChildNodes()->IndexOf(a.Get()), 1);
}

TEST_F(NodeModel, ReplacingWithAGrandchildKeepsItAlive) {
  auto e = NewElement("e");
  auto child = e->AddChildElement("child");
  IXmlNode* grandchild = child->AddChildElement("grandchild").Get();  // held by the tree only
  child.Reset();
  e->ReplaceChild(grandchild, e->GetChildNodes()->GetItem(0).Get());
  EXPECT_EQ(e->GetChildNodes()->GetItem(0)->GetNodeName(), "grandchild");
  EXPECT_EQ(grandchild->GetParentNode().Get(), static_cast<IXmlNode*>(e.Get()));
}

TEST_F(NodeModel, NodesCannotBecomeTheirOwnAncestors) {
  auto e = NewElement("e");
  auto c = e->AddChildElement("c");
  auto g = c->AddChildElement("g");
  const std::string refused(msg::kNotSupported.View());
  EXPECT_EQ(ErrorOf([&] { e->AppendChild(e.Get()); }), refused);
  EXPECT_EQ(ErrorOf([&] { g->AppendChild(e.Get()); }), refused);
  EXPECT_EQ(ErrorOf([&] { g->InsertBefore(c.Get(), nullptr); }), refused);
  EXPECT_EQ(ErrorOf([&] { g->GetChildNodes()->Add(e.Get()); }), refused);
  EXPECT_EQ(ErrorOf([&] { c->ReplaceChild(e.Get(), g.Get()); }), refused);
  // Through a node that two lists hold, whose parent link names only the later one.
  auto other = NewElement("other");
  other->AppendChild(g.Get());
  EXPECT_EQ(ErrorOf([&] { g->AppendChild(c.Get()); }), refused);
  EXPECT_EQ(e->GetChildNodes()->GetCount(), 1);
  EXPECT_EQ(g->GetChildNodes()->GetCount(), 0);
}

TEST_F(NodeModel, AppendedNodesMoveOntoTheOwnersNameTable) {
  auto otherTable = MakeLoose<TXmlNameTable>();
  otherTable->InternName("unused");
  auto otherDoc = MakeXmlDocument({}, {}, {}, otherTable.Get());
  auto moved = otherDoc->CreateElement("moved");
  moved->SetTextAttr("attr", "v");
  auto inner = moved->AddChildElement("inner");
  moved->AddChildInstruction("target", "data");
  moved->AddChildText("t");
  const int movedIdBefore = moved->GetNodeNameIndex();
  auto host = doc_->AddChildElement("host");
  host->AppendChild(moved.Get());
  EXPECT_EQ(&NodeOf(moved.Get()).NameTable(), table_.Get());
  EXPECT_NE(moved->GetNodeNameIndex(), movedIdBefore);
  EXPECT_EQ(moved->GetNodeName(), "moved");
  EXPECT_EQ(moved->GetAttributeName(0), "attr");
  EXPECT_EQ(moved->GetAttributeNameIndex(0), table_->FindName("attr"));
  EXPECT_EQ(inner->GetNodeName(), "inner");
  EXPECT_EQ(moved->GetChildNodes()->GetItem(1)->GetNodeName(), "target");
  EXPECT_EQ(moved->GetChildNodes()->GetItem(2)->GetNodeName(), "#text");
  // Every name of the old table was interned, in id order.
  EXPECT_NE(table_->FindName("unused"), -1);
  EXPECT_EQ(host->GetXML(),
            "\r\n<host>\r\n\t<moved attr=\"v\">\r\n\t\t<inner/><?target data?>t\r\n\t</moved>\r\n"
            "</host>");
}

TEST_F(NodeModel, NodeOnAThirdTableInsideAMovedSubtreeKeepsItsNames) {
  auto tableB = MakeLoose<TXmlNameTable>(), tableC = MakeLoose<TXmlNameTable>();
  tableC->InternName("padding");
  auto docB = MakeXmlDocument({}, {}, {}, tableB.Get());
  auto docC = MakeXmlDocument({}, {}, {}, tableC.Get());
  auto top = docB->CreateElement("top");
  auto shared = top->AddChildElement("shared");
  docC->CreateElement("holder")->AppendChild(shared.Get());  // shared now on table C
  doc_->AppendChild(top.Get());
  EXPECT_EQ(shared->GetNodeName(), "shared");
  EXPECT_EQ(top->GetNodeName(), "top");
}

TEST_F(NodeModel, CloningCopiesWhatEachKindDefines) {
  auto e = doc_->AddChildElement("e");
  e->SetIntAttr("n", 1);
  e->AddChildElement("c")->SetText("t");
  auto shallow = e->CloneNode(false);
  EXPECT_EQ(shallow->GetXML(), "\r\n<e n=\"1\"/>");
  auto deep = e->CloneNode(true);
  EXPECT_EQ(deep->GetXML(), e->GetXML());
  EXPECT_EQ(deep->GetParentNode(), nullptr);
  EXPECT_EQ(deep->GetAttributeType("n"), 3);
  auto declaration = doc_->AddChildInstruction("xml", "");
  declaration->SetTextAttr("version", "1.0");
  auto pi = declaration->CloneNode(true);
  EXPECT_EQ(pi->GetAttributeCount(), 0);
  EXPECT_EQ(pi->GetNodeName(), "xml");
  doc_->SetKeepWhitespace(true);
  auto docCopy = doc_->CloneNode(true);
  EXPECT_FALSE(static_cast<TXmlDocument&>(NodeOf(docCopy.Get())).KeepWhitespace());
  EXPECT_EQ(docCopy->GetChildNodes()->GetCount(), 2);
  EXPECT_EQ(&NodeOf(docCopy.Get()).NameTable(), table_.Get());
  auto valued = NewElement("v");
  valued->SetNodeValue(XmlValue::FromInt32(7));
  EXPECT_EQ(valued->CloneNode(true)->GetValueType(), 3);
}

TEST_F(NodeModel, IdsOutsideTheTableAreRejected) {
  const std::string outOfRange(msg::kListIndexOutOfRange.View());
  EXPECT_EQ(ErrorOf([&] { doc_->CreateElement(99); }), outOfRange);
  EXPECT_EQ(ErrorOf([&] { doc_->AddChildElement(-2); }), outOfRange);
  EXPECT_EQ(ErrorOf([&] { doc_->AddChildInstruction(99, "d"); }), outOfRange);
  EXPECT_EQ(doc_->CreateElement(-1)->GetNodeName(), "");
}

TEST_F(NodeModel, DocumentsInitialiseWithDeclarationAndRoot) {
  auto root = doc_->InitDocument("1.0", "", "r");
  ASSERT_EQ(doc_->GetChildNodes()->GetCount(), 2);
  auto declaration = doc_->GetChildNodes()->GetItem(0);
  EXPECT_EQ(declaration->GetNodeName(), "xml");
  EXPECT_EQ(declaration->GetText(), "version=\"1.0\" encoding=\"windows-1251\"");
  EXPECT_EQ(doc_->GetDocumentElement().Get(), root.Get());
  EXPECT_EQ(doc_->GetXML(), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<r/>");
  auto made = MakeXmlDocument("root", "1.1", "utf-8");
  EXPECT_EQ(made->GetXML(), "<?xml version=\"1.1\" encoding=\"utf-8\"?>\r\n<root/>");
  EXPECT_EQ(&NodeOf(made.Get()).NameTable(), &SharedNameTable());
  EXPECT_EQ(MakeXmlDocument()->GetXML(), "");
  EXPECT_EQ(MakeXmlDocument()->GetDocumentElement(), nullptr);
}

}  // namespace

// The walk behind writing, cloning and joining texts: document order, each node's depth, a
// leave after the children of every node entered with true, and nothing below a node entered
// with false; an only child and a made child list are walked alike.
TEST_F(NodeModel, TheTreeWalkVisitsInDocumentOrder) {
  doc_->LoadXML("<r><a><b>one</b><skip><x/></skip></a><c>two<d/></c></r>");
  struct TTrace {
    std::string Out;
    bool Enter(TXmlNode& node, std::size_t depth) {
      Out.append(node.GetNodeName()).append("@").append(std::to_string(depth)).append(" ");
      return node.GetNodeName() != "skip";
    }
    void Leave(TXmlNode& node) { Out.append("/").append(node.GetNodeName()).append(" "); }
  } trace;
  WalkXmlTree(NodeOf(doc_->GetDocumentElement().Get()), trace);
  EXPECT_EQ(trace.Out, "r@0 a@1 b@2 #text@3 /#text /b skip@2 /a c@1 #text@2 /#text d@2 /d /c /r ");
}
