// Documents keep their content in a store of their own that goes at once when nothing outside
// holds any of it; these tests hold, move, clone and reload content around that moment and
// check that what a script still holds stays whole and that nothing is left behind.

#include "XmlDom/XmlNodeStore.h"

#include <algorithm>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlPlacedValue.h"
#include "XmlTestSupport.h"

namespace {

using namespace xmldom;

// Nothing of the library is made without naming its store: `new` alone does not compile.
template <class T, class... Args>
concept MadeByPlainNew = requires(Args&&... args) {
  new T(std::forward<Args>(args)...);
};
static_assert(!MadeByPlainNew<TXmlElement, TXmlNameTable&, int>);
static_assert(!MadeByPlainNew<TXmlNodeList>);
static_assert(!MadeByPlainNew<TXmlNameTable>);
// Nor on the stack: every constructor wants the key that only the store makes.
static_assert(!std::is_default_constructible_v<TXmlStoreKey>);
static_assert(!std::is_constructible_v<TXmlElement, TXmlNameTable&, int>);
static_assert(!std::is_constructible_v<TXmlNodeList>);
static_assert(!std::is_constructible_v<TXmlNameTable>);
// Every hold goes through the library's own AddRef, which tells the store: the bare count
// cannot be reached.
static_assert(!std::is_convertible_v<TXmlElement*, TRefCounted*>);
static_assert(!std::is_convertible_v<IXmlNode*, TRefCounted*>);

// Nor is a placed value: only the placing functions, given a store, make one, and a value whose
// bytes a store keeps cannot be made as a plain XmlValue.
static_assert(!std::is_constructible_v<TXmlPlacedValue, XmlValue>);
static_assert(!std::is_constructible_v<TXmlPlacedValue, const XmlValue&>);
static_assert(!std::is_copy_constructible_v<TXmlPlacedValue>);
template <class V>
concept MakesPlacedValues = requires {
  V::Placed(xvtString, "", 0u);
};
static_assert(!MakesPlacedValues<XmlValue>);

class NodeStore : public TXmlTest {
 protected:
  // Values long enough to be kept in the store rather than inside the value.
  static std::string Catalog() {
    std::string xml = "<catalog title='a catalogue of long titles'>";
    for (int i = 0; i < 200; ++i) {
      const std::string n = std::to_string(i);
      xml += "<item id='" + n + "' note='note number " + n + " is long'>text of item " + n +
             "<!--comment " + n + "--><sub/></item>";
    }
    return xml + "</catalog>";
  }

  static Ref<IXmlDocument> Loaded() {
    auto doc = MakeXmlDocument();
    doc->LoadXML(Catalog());
    return doc;
  }

  static Ref<IXmlNode> Item(IXmlDocument& doc, int index) {
    return doc.GetDocumentElement()->GetChildNodes()->GetItem(index);
  }
};

TEST_F(NodeStore, AnUnheldDocumentTakesItsWholeContentWithIt) {
  const long before = TXmlNode::LiveCount();
  auto doc = Loaded();
  EXPECT_GT(TXmlNode::LiveCount(), before + 600);
  // Clearing, reloading and dropping each let the whole content go.
  doc->ClearChildren();
  EXPECT_EQ(TXmlNode::LiveCount(), before + 1);
  doc->LoadXML(Catalog());
  doc->LoadXML(Catalog());
  EXPECT_EQ(doc->GetDocumentElement()->GetChildNodes()->GetCount(), 200);
  doc.Reset();
  EXPECT_EQ(TXmlNode::LiveCount(), before);
}

TEST_F(NodeStore, HeldContentOutlivesItsDocumentWithItsValuesAndSubtree) {
  auto doc = Loaded();
  Ref<IXmlNode> item = Item(*doc, 150);
  const std::string xml = item->GetXML();
  doc.Reset();
  EXPECT_EQ(item->GetParentNode(), nullptr);
  EXPECT_EQ(item->GetTextAttr("note", ""), "note number 150 is long");
  EXPECT_EQ(item->GetText(), "text of item 150");
  EXPECT_EQ(item->GetXML(), xml);
  // The held node still changes like any other.
  item->SetTextAttr("note", "a note rewritten after the document went");
  item->AddChildElement("added")->SetText("a text long enough to need a piece");
  EXPECT_EQ(item->GetChildNodes()->GetCount(), 4);
  EXPECT_EQ(item->GetTextAttr("note", ""), "a note rewritten after the document went");
}

TEST_F(NodeStore, ContentMovedOrClonedIntoAnotherDocumentOutlivesTheFirst) {
  auto first = Loaded();
  auto second = MakeXmlDocument("other");
  auto root = second->GetDocumentElement();
  root->AppendChild(Item(*first, 10).Get());
  root->AppendChild(Item(*first, 20)->CloneNode(true).Get());
  // Appending does not take a node out of its former parent's list; it only gets a new parent.
  EXPECT_EQ(first->GetDocumentElement()->GetChildNodes()->GetCount(), 200);
  first->LoadXML("<replaced/>");
  first.Reset();
  Ref<IXmlNodeList> moved = root->GetChildNodes();
  ASSERT_EQ(moved->GetCount(), 2);
  EXPECT_EQ(moved->GetItem(0)->GetTextAttr("id", ""), "10");
  EXPECT_EQ(moved->GetItem(1)->GetText(), "text of item 20");
  EXPECT_EQ(moved->GetItem(0)->GetParentNode().Get(), root.Get());
  // Moving it back out and dropping everything leaves nothing behind (the fixture checks).
  root->RemoveChild(moved->GetItem(0).Get());
  EXPECT_EQ(moved->GetCount(), 1);
}

TEST_F(NodeStore, AHeldChildListOfADocumentFollowsItsReloads) {
  auto doc = Loaded();
  Ref<IXmlNodeList> children = doc->GetChildNodes();
  ASSERT_EQ(children->GetCount(), 1);
  doc->LoadXML("<?xml version=\"1.0\"?><again>the second load</again>");
  ASSERT_EQ(children->GetCount(), 2);
  EXPECT_EQ(children->GetItem(1)->GetText(), "the second load");
  EXPECT_EQ(children->GetItem(1)->GetParentNode().Get(), static_cast<IXmlNode*>(doc.Get()));
  doc->ClearChildren();
  EXPECT_EQ(children->GetCount(), 0);
}

TEST_F(NodeStore, AFailedLoadKeepsWhatItReadAndLeavesNothingWhenDropped) {
  auto doc = MakeXmlDocument();
  std::string xml = Catalog();
  xml.resize(xml.size() / 2);
  EXPECT_NE(ErrorOf([&] { doc->LoadXML(xml + "<item id=1/>"); }), "");
  ASSERT_NE(doc->GetDocumentElement(), nullptr);
  EXPECT_GT(doc->GetDocumentElement()->GetChildNodes()->GetCount(), 50);
  Ref<IXmlNode> kept = Item(*doc, 3);
  doc.Reset();
  EXPECT_EQ(kept->GetTextAttr("note", ""), "note number 3 is long");
}

// Nodes below node, node included, as they are (reading them makes none).
int NodesIn(const TXmlNode& node) {
  int count = 1;
  for (const TXmlNode* child : node.Children()) count += NodesIn(*child);
  return count;
}

// The child lists made in the tree at node.
long ListsIn(TXmlNode& node) {
  long count = node.ExistingChildList() ? 1 : 0;
  for (TXmlNode* child : node.Children()) count += ListsIn(*child);
  return count;
}

// The readers count the nodes and child lists they make together and tell the store when they
// end: whether the load is whole or fails half-way, the live counts are the tree's, and dropping
// it leaves none.
TEST_F(NodeStore, EveryLoadCountsTheNodesAndListsItMadeWholeOrFailed) {
  const long nodesBefore = TXmlNode::LiveCount();
  const long listsBefore = TXmlNodeStore::LiveLists();
  const auto expectCounted = [&](IXmlDocument& doc, const char* after) {
    EXPECT_EQ(TXmlNode::LiveCount() - nodesBefore, NodesIn(NodeOf(&doc))) << after;
    EXPECT_EQ(TXmlNodeStore::LiveLists() - listsBefore, ListsIn(NodeOf(&doc))) << after;
  };
  std::string binary;
  {
    auto doc = Loaded();
    expectCounted(*doc, "text load");
    EXPECT_GT(ListsIn(NodeOf(doc.Get())), 10);
    binary = doc->ToBinaryString();
    doc->LoadBinaryString(binary);
    expectCounted(*doc, "binary load");
    EXPECT_NE(ErrorOf([&] { doc->LoadBinaryString(binary.substr(0, binary.size() * 2 / 3)); }), "");
    EXPECT_GT(NodesIn(NodeOf(doc.Get())), 100);
    expectCounted(*doc, "failed binary load");
    std::string text = Catalog();
    EXPECT_NE(ErrorOf([&] { doc->LoadXML(text.substr(0, text.size() / 2) + "</x>"); }), "");
    expectCounted(*doc, "failed text load");
  }
  EXPECT_EQ(TXmlNode::LiveCount(), nodesBefore);
  EXPECT_EQ(TXmlNodeStore::LiveLists(), listsBefore);
}

// Most elements of a loaded document hold their text alone, and their child list is made only
// when it is asked for: until then and after, that text is an item like any other.
TEST_F(NodeStore, AnOnlyChildIsAnItemLikeAnyOther) {
  auto doc = MakeXmlDocument();
  doc->LoadXML("<r>\n <a n='1'>alpha</a>\n <b><c/></b>\n <d>delta</d><e>epsilon</e></r>");
  auto root = doc->GetDocumentElement();
  Ref<IXmlNode> a = root->RequireChild("a");
  Ref<IXmlNode> alpha = a->RequireChild(kTextNameId);
  EXPECT_EQ(alpha->GetParentNode().Get(), a.Get());
  EXPECT_EQ(alpha->GetNextSibling(), nullptr);
  EXPECT_EQ(alpha->SourceLine(), 1);
  EXPECT_EQ(alpha->SourcePos(), 11);
  EXPECT_EQ(a->GetText(), "alpha");
  EXPECT_EQ(a->GetXML(), "\r\n<a n=\"1\">alpha</a>");
  EXPECT_EQ(root->SelectSingleNode("b")->GetXML(), "\r\n<b>\r\n\t<c/>\r\n</b>");
  Ref<IXmlNodeList> items = a->GetChildNodes();
  ASSERT_EQ(items->GetCount(), 1);
  EXPECT_EQ(items->GetItem(0).Get(), alpha.Get());
  EXPECT_EQ(alpha->GetNextSibling(), nullptr);
  // A deep clone, a move into another document (its names move onto that table) and the
  // binary form all carry the only children.
  auto other = MakeXmlDocument("other");
  other->GetDocumentElement()->AppendChild(root->RequireChild("b").Get());
  other->GetDocumentElement()->AppendChild(root->RequireChild("d")->CloneNode(true).Get());
  EXPECT_EQ(other->GetDocumentElement()->GetXML(),
            "\r\n<other>\r\n\t<b>\r\n\t\t<c/>\r\n\t</b>\r\n\t<d>delta</d>\r\n</other>");
  auto copy = MakeXmlDocument();
  copy->LoadXML(doc->ToBinaryString());
  EXPECT_EQ(copy->GetXML(), doc->GetXML());
  Ref<IXmlNode> copied = copy->GetDocumentElement()->RequireChild("a")->RequireChild(kTextNameId);
  copy.Reset();
  EXPECT_EQ(copied->GetParentNode(), nullptr);
  EXPECT_EQ(copied->GetText(), "alpha");
  // Setting a text replaces the only child, which lives on while it is held.
  Ref<IXmlNode> d = root->RequireChild("d");
  Ref<IXmlNode> delta = d->RequireChild(kTextNameId);
  d->SetText("changed");
  EXPECT_EQ(delta->GetParentNode(), nullptr);
  EXPECT_EQ(delta->GetText(), "delta");
  EXPECT_EQ(d->GetChildNodes()->GetItem(0)->GetText(), "changed");
  // An only child held outlives its element and document, without a parent.
  Ref<IXmlNode> epsilon = root->RequireChild("e")->RequireChild(kTextNameId);
  root.Reset();
  a.Reset();
  d.Reset();
  doc.Reset();
  EXPECT_EQ(epsilon->GetParentNode(), nullptr);
  EXPECT_EQ(epsilon->GetText(), "epsilon");
}

// The view of an only child reads the node itself, so that what it hands out stays valid after
// the view goes, and its copies read the same items; making the list keeps the child in place.
TEST_F(NodeStore, TheViewOfAnOnlyChildOutlivesTheView) {
  auto doc = MakeXmlDocument();
  doc->LoadXML("<r><a>alpha</a></r>");
  TXmlNode& a = NodeOf(doc->GetDocumentElement()->RequireChild("a").Get());
  TXmlNode* const* first = a.Children().begin();
  TXmlNode* alpha = *first;
  EXPECT_EQ(alpha->GetText(), "alpha");
  const TXmlChildren view = a.Children();
  const TXmlChildren copy = view;
  EXPECT_EQ(copy.begin(), view.begin());
  EXPECT_EQ(copy.end() - copy.begin(), 1);
  TXmlNodeList& list = a.GetChildList();
  EXPECT_EQ(a.Children().begin(), list.begin());
  ASSERT_EQ(a.Children().Count(), 1);
  EXPECT_EQ(a.Children().Item(0), alpha);
  EXPECT_EQ(alpha->Parent(), &a);
  EXPECT_EQ(&a.GetChildList(), &list);  // made once
}

}  // namespace

// A store that lives as long as the module (the loose one) hands freed pieces out again, in
// every build: under the sanitizer after a quarantine of later frees, so that a long run does
// not grow without end. Pieces come from the newest block's rest first, so a run of
// allocations and frees of one size meets freed pieces again once that rest is used up.
TEST_F(NodeStore, FreedPiecesAreHandedOutAgain) {
  TXmlNodeStore& store = TXmlNodeStore::Loose();
  constexpr std::size_t kBytes = 40;
  constexpr int kRounds = 20000;
  std::set<void*> pieces;
  for (int i = 0; i < kRounds; ++i) {
    void* piece = store.Allocate(kBytes);
    pieces.insert(piece);
    store.Free(piece, kBytes);
  }
  // One block holds 1,600 such pieces; the sanitizer's quarantine keeps 1,024 more aside.
  EXPECT_LT(pieces.size(), std::size_t(kRounds / 4));
}

// The readers make a text or comment together with its bytes, a child list together with its
// items, and (binary) an element together with its attributes, each in one piece. Each part must
// then live and go on its own: edits that free and replace one part must leave its neighbours
// whole, through both readers and for lengths around where a value stops fitting inside itself
// or beside its node.
TEST_F(NodeStore, PartsMadeInOnePieceLiveAndGoOnTheirOwn) {
  std::string xml = "<r>";
  std::vector<std::string> texts;
  for (std::size_t size :
       {0u,  1u,  7u,  8u,  9u,  15u, 16u,  17u,  23u,  24u,  25u,  31u,  32u,  33u,
        40u, 47u, 57u, 63u, 64u, 65u, 200u, 430u, 440u, 441u, 511u, 512u, 513u, 900u}) {
    std::string text(size, 'a');
    for (std::size_t i = 0; i < size; ++i) text[i] = char('a' + (i * 7 + size) % 26);
    texts.push_back(text);
    const std::string n = std::to_string(size);
    xml += "<e n='" + n + "' m='" + text + "' k='x'>" + text + "</e><!--" + text + "--><l>" + text +
           "<s/><s/></l>";
  }
  xml += "</r>";
  auto source = MakeXmlDocument();
  source->LoadXML(xml);
  const std::string binary = source->ToBinaryString();
  for (bool fromBinary : {false, true}) {
    SCOPED_TRACE(fromBinary ? "binary" : "text");
    auto doc = MakeXmlDocument();
    if (fromBinary)
      doc->LoadBinaryString(binary);
    else
      doc->LoadXML(xml);
    ASSERT_EQ(doc->GetXML(), source->GetXML());
    Ref<IXmlNodeList> items = doc->GetDocumentElement()->GetChildNodes();
    ASSERT_EQ(items->GetCount(), int(3 * texts.size()));
    std::string expected = "<r>";
    for (std::size_t i = 0; i < texts.size(); ++i) {
      Ref<IXmlNode> element = items->GetItem(int(3 * i));
      Ref<IXmlNode> comment = items->GetItem(int(3 * i + 1));
      Ref<IXmlNode> list = items->GetItem(int(3 * i + 2));
      // Every other text grows, the rest shrink; the attributes grow past their room.
      const std::string changed = i % 2 ? texts[i] + texts[i] + "!" : texts[i].substr(0, 3);
      element->SetText(changed);
      comment->SetText(changed);
      element->SetTextAttr("m", changed);
      element->SetTextAttr("added", "a value of some length");
      list->RemoveChild(list->GetChildNodes()->GetItem(1).Get());
      list->AppendChild(doc->CreateElement("t").Get());
      const std::string n = std::to_string(texts[i].size());
      expected += "<e n=\"" + n + "\" m=\"" + changed +
                  "\" k=\"x\" added=\"a value of some length\">" + changed + "</e><!--" + changed +
                  "--><l>" + texts[i] + "<s/><t/></l>";
    }
    expected += "</r>";
    auto want = MakeXmlDocument();
    want->LoadXML(expected);
    const std::string got = doc->GetXML();
    const std::string wanted = want->GetXML();
    // Where they part, rather than two long documents.
    const auto parted = std::mismatch(got.begin(), got.end(), wanted.begin(), wanted.end());
    EXPECT_EQ(got.size(), wanted.size());
    EXPECT_EQ(parted.first - got.begin(), std::ptrdiff_t(got.size()));
  }
}
