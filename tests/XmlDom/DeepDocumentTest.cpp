// A document nested as deep as input may be, handled on a thread whose stack has the 1 MiB
// that a host thread may have: every walk of the library (parsing, writing, cloning, moving to
// another name table, binary XML, destruction) has to fit.
#include <gtest/gtest.h>

#include "ParseTestSupport.h"
#include "XmlDom/XmlLimits.h"
#include "XmlTestSupport.h"
#include "platform/Thread.h"

using namespace xmldom;

using namespace parse_test;

namespace {

constexpr std::size_t kHostStack = 1 << 20;

class DeepDocument : public TXmlTest {};

// kMaxXmlDepth elements, each with an attribute and text before its child.
std::string DeepText() {
  std::string text = "<?xml version=\"1.0\"?>";
  for (int i = 0; i < kMaxXmlDepth; ++i) text += "<e n=\"" + std::to_string(i) + "\">t";
  for (int i = 0; i < kMaxXmlDepth; ++i) text += "</e>";
  return text;
}

int DepthOf(TXmlNode& node) {
  int depth = 0;
  for (TXmlNode* n = &node; n->HasChildItems(); n = n->Children().Item(n->Children().Count() - 1))
    ++depth;
  return depth;
}

TEST_F(DeepDocument, EveryWalkFitsAHostThreadsStack) {
  const std::string text = DeepText();
  std::string failure;
  const bool ran = platform::RunWithStackSize(kHostStack, [&] {
    try {
      auto document = MakeXmlDocument();
      document->LoadXML(text);
      EXPECT_EQ(DepthOf(NodeOf(document.Get())),
                kMaxXmlDepth + 1);  // the last element holds its text
      const std::string indented = document->GetXML();
      document->SetKeepWhitespace(true);
      EXPECT_TRUE(document->GetXML() == text);
      document->SetKeepWhitespace(false);
      EXPECT_EQ(document->GetText().size(), std::size_t(2 * kMaxXmlDepth - 1));

      TMemoryStream stream(text);
      auto streamed = MakeXmlDocument();
      streamed->Load(stream);
      EXPECT_TRUE(streamed->GetXML() == indented);

      const std::string rootXml = document->GetDocumentElement()->GetXML();
      EXPECT_TRUE(document->GetDocumentElement()->CloneNode(true)->GetXML() == rootXml);
      EXPECT_TRUE(document->CloneNode(true)->GetText() == document->GetText());
      // Moving the tree to a document on another name table walks it once more.
      auto table = MakeLoose<TXmlNameTable>();
      auto other = MakeXmlDocument({}, {}, {}, table.Get());
      other->AppendChild(document->GetDocumentElement()->CloneNode(true).Get());
      EXPECT_EQ(other->GetDocumentElement()->GetTextAttr("n", ""), "0");

      auto binary = MakeXmlDocument();
      binary->LoadBinaryString(document->ToBinaryString());
      EXPECT_TRUE(binary->GetXML() == indented);
      TMemoryStream binaryStream;
      document->SaveAsBinary(binaryStream, 1);
      binaryStream.Seek(0);
      binary->Load(binaryStream);
      EXPECT_TRUE(binary->GetXML() == indented);
    } catch (const EXmlError& error) {
      failure = error.Message();
    }
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(failure, "");
}

TEST_F(DeepDocument, DeeperInputIsRefusedOnAHostThread) {
  std::string text;
  for (int i = 0; i <= kMaxXmlDepth; ++i) text += "<e>";
  std::string failure;
  EXPECT_TRUE(platform::RunWithStackSize(
      kHostStack, [&] { failure = ErrorOf([&] { MakeXmlDocument()->LoadXML(text); }); }));
  EXPECT_EQ(failure, FormatText(msg::kNestingTooDeep, {kMaxXmlDepth, 0, 3 * kMaxXmlDepth + 1}));
}

}  // namespace
