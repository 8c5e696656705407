// The nesting limit of binary XML, on a thread with the 1 MiB stack a host thread may have.
#include <gtest/gtest.h>

#include "BinaryTestSupport.h"
#include "XmlDom/XmlLimits.h"
#include "XmlTestSupport.h"
#include "common/FormatText.h"
#include "platform/Thread.h"

using namespace xmldom;

namespace {

using namespace binary_testing;

constexpr std::size_t kHostStack = std::size_t(1) << 20;

// Runs work on a thread with a 1 MiB stack; failures inside are reported here.
void OnHostStack(const std::function<void()>& work) {
  std::string failure;
  ASSERT_TRUE(platform::RunWithStackSize(kHostStack, [&] {
    try {
      work();
    } catch (const EXmlError& error) {
      failure = error.Message();
    }
  }));
  EXPECT_EQ(failure, "");
}

// A document whose elements nest depth levels deep, the innermost holding a text.
Ref<IXmlDocument> NestedDocument(int depth) {
  auto doc = MakeXmlDocument({}, {}, {}, MakeLoose<TXmlNameTable>().Get());
  Ref<IXmlNode> node = doc;
  for (int level = 0; level < depth; ++level) node = node->AddChildElement("e");
  node->AddChildText("deepest");
  return doc;
}

int DepthOf(IXmlNode* node) {
  int depth = 0;
  for (Ref<IXmlNode> current = Ref<IXmlNode>::Retain(node);
       current->GetChildNodes()->GetCount() > 0; current = current->GetChildNodes()->GetItem(0))
    if (current->GetChildNodes()->GetItem(0)->GetNodeType() == kElementNode) ++depth;
  return depth;
}

// Binary XML of depth nested elements written field by field, so that depths the writer
// refuses can be made too.
std::string NestedFile(int depth) {
  auto table = MakeLoose<TXmlNameTable>();
  const int id = table->InternName("e");
  TStrXmlWriter writer(0, 65536);
  WriteXmlNameTable(writer, *table);
  writer.WriteInt(0);
  writer.WriteInt(1);
  for (int level = 1; level <= depth; ++level) {
    writer.WriteByte(kElementNode);
    writer.WriteInt(id);
    writer.WriteValue(XmlValue());
    writer.WriteInt(0);
    writer.WriteInt(level < depth ? 1 : 0);
  }
  return writer.TakeResult();
}

class BinaryNesting : public TXmlTest {};

TEST_F(BinaryNesting, ADocumentAtTheLimitIsWrittenAndReadOnAHostStack) {
  OnHostStack([] {
    auto doc = NestedDocument(kMaxXmlDepth);
    for (std::uint32_t options : {0u, kBinXmlWideStrings}) {
      const std::string bytes = ToBinary(doc.Get(), options);
      auto loaded = FromBinary(bytes);
      EXPECT_EQ(DepthOf(loaded.Get()), kMaxXmlDepth);
      EXPECT_EQ(ToBinary(loaded.Get(), options), bytes);
      EXPECT_EQ(DepthOf(FromBinaryStream(bytes, 64).Get()), kMaxXmlDepth);
    }
    EXPECT_EQ(DepthOf(FromBinary(NestedFile(kMaxXmlDepth)).Get()), kMaxXmlDepth);
  });
}

TEST_F(BinaryNesting, DeeperTreesAreRefusedByReaderAndWriter) {
  const std::string tooDeep = FormatText(msg::kBinaryNestingTooDeep, {kMaxXmlDepth});
  OnHostStack([&] {
    Ref<IXmlDocument> doc = NewBinaryTarget();
    EXPECT_EQ(ErrorOf([&] { ReadBinaryInto(doc.Get(), NestedFile(kMaxXmlDepth + 1)); }), tooDeep);
    // Refused before the element beyond the limit was made.
    EXPECT_EQ(DepthOf(doc.Get()), kMaxXmlDepth);
    EXPECT_EQ(ErrorOf([] { ToBinary(NestedDocument(kMaxXmlDepth + 1).Get()); }),
              FormatText(msg::kBinaryWriteNestingTooDeep, {kMaxXmlDepth}));
  });
}

}  // namespace
