// Counting and taking child elements by name without a selection: every answer must be the one
// SelectNodes gives at that moment, whatever the finder remembers from earlier calls.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "XmlDom/XmlNamedChildFinder.h"
#include "XmlTestSupport.h"

using namespace xmldom;

namespace {

class NamedChildFinder : public TXmlTest {
 protected:
  Ref<IXmlDocument> doc_ = MakeXmlDocument();

  // r elements numbered by their attribute n, among other children of every kind: a processing
  // instruction and a text share nothing but their place, and the instruction even its name.
  void Load(int records) {
    std::string xml = "<root>";
    for (int i = 1; i <= records; ++i) {
      xml += "<r n='" + std::to_string(i) + "'/>";
      if (i % 2) xml += "<other/>text<?r not an element?><!--c-->";
    }
    doc_->LoadXML(xml + "</root>");
  }
  TXmlNode& Root() { return NodeOf(doc_->GetDocumentElement().Get()); }
  int Id(const char* name) { return Root().SelectionNameId(name); }

  // What the finder answers for parent's children named name, item by item in the order given,
  // must be what a fresh selection holds.
  void ExpectAsSelected(TXmlNamedChildFinder& finder, TXmlNode& parent, const char* name,
                        const std::vector<int>& items) {
    const int id = parent.SelectionNameId(name);
    const Ref<IXmlNodeList> selected = parent.SelectNodes(name);
    const Ref<IXmlNodeList> children = parent.GetChildNodes();
    for (int item : items) {
      const TXmlNamedChildFinder::TFound found = finder.Find(parent, id, item);
      if (item < 0 || item >= selected->GetCount()) {
        EXPECT_FALSE(found) << name << " item " << item;
        continue;
      }
      ASSERT_TRUE(found) << name << " item " << item;
      EXPECT_EQ(found.Node, &NodeOf(selected->GetItem(item).Get())) << name << " item " << item;
      // A node may stand twice among the children: where it was found is what counts.
      ASSERT_GE(found.ChildIndex, 0);
      ASSERT_LT(found.ChildIndex, children->GetCount());
      EXPECT_EQ(&NodeOf(children->GetItem(found.ChildIndex).Get()), found.Node)
          << name << " item " << item;
    }
    EXPECT_EQ(finder.Count(parent, id), selected->GetCount()) << name;
    EXPECT_EQ(finder.Any(parent, id), selected->GetCount() > 0) << name;
  }
};

TEST_F(NamedChildFinder, AnswersAsASelectionInAnyOrder) {
  Load(40);
  TXmlNamedChildFinder finder;
  std::vector<int> forward, backward;
  for (int i = -1; i <= 41; ++i) forward.push_back(i);
  for (int i = 41; i >= -1; --i) backward.push_back(i);
  ExpectAsSelected(finder, Root(), "r", forward);
  ExpectAsSelected(finder, Root(), "r", backward);
  ExpectAsSelected(finder, Root(), "r", {5, 2, 5, 0, 39, 38, 1, 20, 40, 20, 19, 21, 0});
  ExpectAsSelected(finder, Root(), "other", {0, 19, 20, 3, 3, 2});
  ExpectAsSelected(finder, Root(), "missing", {0, 1, -1});
  // Counted first, then taken; and a parent without children at all.
  TXmlNamedChildFinder counting;
  EXPECT_EQ(counting.Count(Root(), Id("r")), 40);
  ExpectAsSelected(counting, Root(), "r", {39, 0, 40, 12});
  TXmlNode& leaf = NodeOf(Root().SelectSingleNode("r").Get());
  ExpectAsSelected(counting, leaf, "r", {0});
}

// The item the Lingo loop of a script asks for, out of order: 5, then 2, then 5 again.
TEST_F(NamedChildFinder, AnItemAskedOutOfOrderIsTheSameNodeAgain) {
  Load(9);
  TXmlNamedChildFinder finder;
  const int id = Id("r");
  TXmlNode* fifth = finder.Find(Root(), id, 4).Node;
  ASSERT_NE(fifth, nullptr);
  EXPECT_EQ(fifth->GetTextAttr("n", ""), "5");
  EXPECT_EQ(finder.Find(Root(), id, 1).Node->GetTextAttr("n", ""), "2");
  EXPECT_EQ(finder.Find(Root(), id, 4).Node, fifth);
}

// Between two calls the children change through the library; each change must be seen, the
// remembered place being before, at or after it.
TEST_F(NamedChildFinder, EveryChangeToTheChildrenIsSeen) {
  const auto changes = std::vector<std::function<void(IXmlNode&)>>{
      [](IXmlNode& root) { root.RemoveChild(root.SelectNodes("r")->GetItem(1).Get()); },
      [](IXmlNode& root) { root.RemoveChild(root.SelectNodes("r")->GetItem(4).Get()); },
      [](IXmlNode& root) {
        root.InsertBefore(root.GetOwnerDocument()->CreateElement("r").Get(),
                          root.GetChildNodes()->GetItem(0).Get());
      },
      [](IXmlNode& root) { root.AddChildElement("r"); },
      [](IXmlNode& root) {
        const Ref<IXmlNodeList> rs = root.SelectNodes("r");
        root.ReplaceChild(root.GetOwnerDocument()->CreateElement("x").Get(), rs->GetItem(2).Get());
      },
      [](IXmlNode& root) {
        // By name, and the r elements last to first.
        root.GetChildNodes()->SortItems([](IXmlNode* a, IXmlNode* b) {
          if (const int byName = a->GetNodeName().compare(b->GetNodeName())) return byName;
          return b->GetIntAttr("n", 0) - a->GetIntAttr("n", 0);
        });
      },
      [](IXmlNode& root) { root.GetChildNodes()->Delete(0); },
      [](IXmlNode& root) { root.GetChildNodes()->Insert(root.CloneNode(false).Get(), 3); },
      [](IXmlNode& root) { root.ClearChildren(); },
      [](IXmlNode& root) { root.SetText("text instead"); },
      // The first r again at the end: the same node twice among the children.
      [](IXmlNode& root) { root.AppendChild(root.SelectNodes("r")->GetItem(0).Get()); },
  };
  for (std::size_t change = 0; change < changes.size(); ++change) {
    SCOPED_TRACE(change);
    Load(12);
    TXmlNamedChildFinder finder;
    ExpectAsSelected(finder, Root(), "r", {0, 1, 2, 3, 4});
    changes[change](Root().Self());
    ExpectAsSelected(finder, Root(), "r", {4, 5, 3, 12, 11, 0});
    changes[change](Root().Self());
    ExpectAsSelected(finder, Root(), "r", {3, 4, 0});
  }
}

TEST_F(NamedChildFinder, FindersOnOneDocumentEachSeeTheChanges) {
  Load(10);
  TXmlNamedChildFinder first, second;
  const int id = Id("r");
  EXPECT_EQ(first.Find(Root(), id, 6).Node->GetTextAttr("n", ""), "7");
  EXPECT_EQ(second.Find(Root(), id, 2).Node->GetTextAttr("n", ""), "3");
  EXPECT_EQ(first.Count(Root(), id), 10);
  Root().RemoveChild(Root().SelectNodes("r")->GetItem(0).Get());
  ExpectAsSelected(second, Root(), "r", {3, 2, 9, 8});
  ExpectAsSelected(first, Root(), "r", {7, 6, 9, 8});
}

// Loads replace the children of the same document node; a new root may well be made where the
// old one was. Neither a load nor one that fails half-way leaves an old answer standing.
TEST_F(NamedChildFinder, LoadsAndFailedLoadsForgetWhatWasFound) {
  TXmlNamedChildFinder finder;
  Load(10);
  const int id = Id("r");
  EXPECT_EQ(finder.Count(Root(), id), 10);
  ASSERT_TRUE(finder.Find(Root(), id, 7));
  ExpectAsSelected(finder, NodeOf(doc_.Get()), "root", {0});
  Load(6);
  ExpectAsSelected(finder, Root(), "r", {7, 5, 6, 0});
  ExpectAsSelected(finder, NodeOf(doc_.Get()), "root", {0});
  EXPECT_NE(ErrorOf([&] { doc_->LoadXML("<root><r/><r/><r/><r"); }), "");
  ExpectAsSelected(finder, Root(), "r", {5, 3, 2, 0});
  EXPECT_NE(ErrorOf([&] { doc_->LoadXML("<root/><x"); }), "");
  ExpectAsSelected(finder, NodeOf(doc_.Get()), "root", {0, 1});
  ExpectAsSelected(finder, Root(), "r", {0, 2});
}

// A node's children as GetChildNodes lists them, counted and taken without making the list;
// only taking the text child of an element's held value turns the value into that child.
TEST_F(NamedChildFinder, ListedChildrenAreReadWithoutMakingTheList) {
  doc_->LoadXML("<root><only>text</only><empty/><two>a<b/></two><held/><blank/></root>");
  const Ref<IXmlElement> held = doc_->GetDocumentElement()->SelectSingleNode("held")->ToElement();
  held->SetNodeValue(XmlValue::FromInt32(42));
  doc_->GetDocumentElement()->SelectSingleNode("blank")->SetText("");
  const long listsBefore = TXmlNodeList::LiveCount();
  const std::vector<int> expected = {1, 0, 2, 1, 0};
  const TXmlChildren elements = Root().Children();
  ASSERT_EQ(elements.Count(), 5);
  for (int i = 0; i < elements.Count(); ++i)
    EXPECT_EQ(elements.Item(i)->ListedChildCount(), expected[std::size_t(i)]) << i;
  EXPECT_EQ(TXmlNodeList::LiveCount(), listsBefore);
  EXPECT_EQ(elements.Item(0)->ListedChild(0).GetText(), "text");
  EXPECT_EQ(elements.Item(2)->ListedChild(1).GetNodeName(), "b");
  EXPECT_EQ(TXmlNodeList::LiveCount(), listsBefore);
  TXmlNode& text = elements.Item(3)->ListedChild(0);
  EXPECT_EQ(text.GetNodeType(), kTextNode);
  EXPECT_EQ(text.GetText(), "42");
  EXPECT_EQ(held->GetChildNodes()->GetItem(0).Get(), &text.Self());
}

}  // namespace
