#include "XmlDom/XmlNodeList.h"

#include <gtest/gtest.h>

#include <set>

#include "XmlDom/XmlElement.h"
#include "XmlTestSupport.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

class NodeList : public TXmlTest {
 protected:
  Ref<TXmlNameTable> table_ = MakeLoose<TXmlNameTable>();
  Ref<TXmlElement> NewElement(std::string_view name) {
    return MakeLoose<TXmlElement>(*table_, table_->InternName(name));
  }
};

TEST_F(NodeList, CapacityGrowsInSteps) {
  auto owner = NewElement("owner");
  TXmlNodeList& list = owner->GetChildList();
  std::vector<int> capacities;
  for (int i = 0; i < 100; ++i) {
    const int before = list.Capacity();
    owner->AddChildElement("c");
    if (list.Capacity() != before) capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
  owner->AddChildElement("c");
  for (int i = 101; i < 119; ++i) owner->AddChildElement("c");
  EXPECT_EQ(list.Capacity(), 147);
  list.ClearItems();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 147);
}

TEST_F(NodeList, ListsSizedExactlyGrowByTheStepOfTheirSize) {
  for (auto [count, grown] : {std::pair{64, 80}, std::pair{100, 125}}) {
    auto owner = NewElement("owner");
    TXmlNodeList& list = owner->GetChildList();
    list.SetCapacity(count);
    for (int i = 0; i < count; ++i) owner->AddChildElement("c");
    EXPECT_EQ(list.Capacity(), count);
    owner->AddChildElement("c");
    EXPECT_EQ(list.Capacity(), grown);
  }
}

TEST_F(NodeList, IndexesAreCheckedWithTheListMessage) {
  auto owner = NewElement("owner");
  owner->AddChildElement("a");
  Ref<IXmlNodeList> list = owner->GetChildNodes();
  const std::string outOfRange(msg::kListIndexOutOfRange.View());
  EXPECT_EQ(ErrorOf([&] { list->GetItem(1); }), outOfRange);
  EXPECT_EQ(ErrorOf([&] { list->GetItem(-1); }), outOfRange);
  EXPECT_EQ(ErrorOf([&] { list->Delete(1); }), outOfRange);
  auto extra = NewElement("x");
  EXPECT_EQ(ErrorOf([&] { list->Insert(extra.Get(), 2); }), outOfRange);
  EXPECT_EQ(ErrorOf([&] { list->Insert(extra.Get(), -2); }), outOfRange);
  EXPECT_EQ(ErrorOf([&] { list->Add(nullptr); }), msg::kInvalidTypecast);
  EXPECT_EQ(list->GetCount(), 1);
  list->Insert(extra.Get(), 1);
  EXPECT_EQ(list->GetItem(1)->GetNodeName(), "x");
}

TEST_F(NodeList, OwnedListSetsAndClearsParents) {
  auto owner = NewElement("owner");
  auto a = NewElement("a"), b = NewElement("b");
  Ref<IXmlNodeList> list = owner->GetChildNodes();
  list->Add(a.Get());
  list->Insert(b.Get(), 0);
  EXPECT_EQ(a->Parent(), owner.Get());
  EXPECT_EQ(list->IndexOf(a.Get()), 1);
  EXPECT_EQ(list->IndexOf(nullptr), -1);
  EXPECT_EQ(list->Remove(a.Get()), 1);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(list->Remove(a.Get()), -1);
  list->Delete(0);
  EXPECT_EQ(b->Parent(), nullptr);
  EXPECT_EQ(a->RefCount(), 1);
  EXPECT_EQ(b->RefCount(), 1);
}

TEST_F(NodeList, FreeListsLeaveParentsAlone) {
  auto owner = NewElement("owner");
  auto child = owner->AddChildElement("c");
  auto list = MakeLoose<TXmlNodeList>();
  list->Add(child.Get());
  list->Clear();
  EXPECT_EQ(&NodeOf(child->GetParentNode().Get()), owner.Get());
}

TEST_F(NodeList, SortingOrdersByTheComparison) {
  auto owner = NewElement("owner");
  for (const char* name : {"d", "b", "e", "a", "c", "b"}) owner->AddChildElement(name);
  Ref<IXmlNodeList> list = owner->GetChildNodes();
  list->SortItems(
      [](IXmlNode* x, IXmlNode* y) { return x->GetNodeName().compare(y->GetNodeName()); });
  std::string order;
  for (int i = 0; i < list->GetCount(); ++i) order += list->GetItem(i)->GetNodeName();
  EXPECT_EQ(order, "abbcde");
  EXPECT_EQ(list->GetItem(0)->GetParentNode().Get(), static_cast<IXmlNode*>(owner.Get()));
}

TEST_F(NodeList, SortingEdgeCasesKeepTheItems) {
  auto owner = NewElement("owner");
  Ref<IXmlNodeList> list = owner->GetChildNodes();
  int calls = 0;
  list->SortItems([&](IXmlNode*, IXmlNode*) { return ++calls, 0; });
  EXPECT_EQ(calls, 0);
  for (int i = 0; i < 50; ++i)
    owner->AddChildElement(std::string(1, 'n').append(std::to_string(i)));
  std::set<IXmlNode*> before;
  for (int i = 0; i < 50; ++i) before.insert(list->GetItem(i).Get());
  // All equal, and comparisons that contradict themselves: the same items, no overrun.
  list->SortItems([](IXmlNode*, IXmlNode*) { return 0; });
  list->SortItems([](IXmlNode*, IXmlNode*) { return -1; });
  list->SortItems([](IXmlNode*, IXmlNode*) { return 1; });
  std::set<IXmlNode*> after;
  for (int i = 0; i < list->GetCount(); ++i) after.insert(list->GetItem(i).Get());
  EXPECT_EQ(list->GetCount(), 50);
  EXPECT_EQ(after, before);
}

TEST_F(NodeList, ChildListOutlivingItsOwnerNeverReachesIt) {
  Ref<IXmlNodeList> list;
  Ref<IXmlElement> child;
  {
    auto owner = NewElement("owner");
    child = owner->AddChildElement("c");
    list = owner->GetChildNodes();
  }
  EXPECT_EQ(list->GetCount(), 1);
  EXPECT_EQ(child->GetParentNode(), nullptr);
  // Now free-standing: adding and removing touch no parent.
  auto other = NewElement("o");
  list->Add(other.Get());
  EXPECT_EQ(other->Parent(), nullptr);
  EXPECT_EQ(list->Remove(child.Get()), 0);
  EXPECT_EQ(NodeOf(child.Get()).RefCount(), 1);
}

TEST_F(NodeList, NodeInTwoListsHasTheLaterOwnerAsParent) {
  auto first = NewElement("first"), second = NewElement("second");
  auto child = first->AddChildElement("c");
  second->AppendChild(child.Get());
  EXPECT_EQ(first->GetChildNodes()->GetCount(), 1);
  EXPECT_EQ(child->GetParentNode().Get(), static_cast<IXmlNode*>(second.Get()));
  // Leaving the first list does not take the parent the second one gave.
  first->GetChildNodes()->Clear();
  EXPECT_EQ(child->GetParentNode().Get(), static_cast<IXmlNode*>(second.Get()));
}

}  // namespace
