// Loads that run out of memory at every allocation they make, one after the other: each fails
// with the allocation's error, keeps what it read before, and leaves nothing behind once the
// document goes.

#include <new>
#include <string>

#include "AllocationProbe.h"
#include "XmlTestSupport.h"

namespace {

using namespace xmldom;

class AllocationFailure : public TXmlTest {
 protected:
  static std::string Text() {
    std::string xml = "<?xml version=\"1.0\"?><list kind='a kind long enough for a piece'>";
    for (int i = 0; i < 40; ++i) {
      const std::string n = std::to_string(i);
      xml += "<item n='" + n + "' a='attribute value " + n + "'>text of item " + n +
             "<![CDATA[data " + n + "]]><!--c--><?pi " + n + "?><e/></item>";
    }
    // Levels of more children than a small piece holds: their child lists come from the heap,
    // so a load can fail while closing an inner level or the outermost one.
    xml += "<many>";
    for (int i = 0; i < 70; ++i) xml += "<e/>";
    xml += "</many>";
    for (int i = 0; i < 30; ++i) xml += "<f/>";
    return xml + "</list>";
  }

  // Each node of the tree has the owner of its list as parent and no reference but its list's
  // (and the one taken here to look at it).
  static void ExpectWholeTree(IXmlNode& node) {
    auto children = node.GetChildNodes();
    for (int i = 0; i < children->GetCount(); ++i) {
      auto child = children->GetItem(i);
      EXPECT_EQ(child->GetParentNode().Get(), &node);
      EXPECT_EQ(NodeOf(child.Get()).RefCount(), 2);
      ExpectWholeTree(*child);
    }
  }

  // Runs load on a fresh document with the n-th allocation failing, for every n until a load
  // succeeds; returns how many failed.
  template <class Load>
  static int FailEachAllocation(Load&& load) {
    for (long n = 0;; ++n) {
      auto doc = MakeXmlDocument();
      allocation_probe::FailAfter(n);
      bool failed = false;
      try {
        load(*doc);
      } catch (const std::bad_alloc&) {
        failed = true;
      }
      allocation_probe::Disarm();
      EXPECT_EQ(failed, allocation_probe::Fired()) << "after " << n << " allocations";
      if (!failed) return int(n);
      // What was read stays a whole tree that can be written and changed.
      ExpectWholeTree(*doc);
      doc->GetXML();
      doc->AddChildComment("after the failure");
    }
  }
};

TEST_F(AllocationFailure, TextLoadsFailAtEveryAllocationAndLeaveNothing) {
  const std::string text = Text();
  const int failures = FailEachAllocation([&](IXmlDocument& doc) { doc.LoadXML(text); });
  EXPECT_GT(failures, 0);
  RecordProperty("failure points", failures);
}

TEST_F(AllocationFailure, BinaryLoadsFailAtEveryAllocationAndLeaveNothing) {
  auto source = MakeXmlDocument();
  source->LoadXML(Text());
  const std::string binary = source->ToBinaryString();
  source.Reset();
  const int failures = FailEachAllocation([&](IXmlDocument& doc) { doc.LoadBinaryString(binary); });
  EXPECT_GT(failures, 0);
  RecordProperty("failure points", failures);
}

}  // namespace
