#include "ParseTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace xmldom;

namespace parse_test {
namespace {

// Buffers so small that every construct straddles refills, and the size documents use.
constexpr std::size_t kBufferSizes[] = {1, 2, 3, 5, 7, 64, kXmlStreamBufferBytes};

std::string Quoted(std::string_view text) {
  return Cat({"\"", text, "\""});
}

std::string Attributes(TXmlNode& node) {
  if (node.GetAttributeCount() == 0) return "";
  std::string out = "[";
  for (int i = 0; i < node.GetAttributeCount(); ++i) {
    if (i) out += ',';
    out +=
        Cat({node.GetAttributeName(i), "=", node.GetTextAttr(node.GetAttributeNameIndex(i), "")});
  }
  out += ']';
  return out;
}

// Where every node of the subtree began, in document order.
std::string Positions(TXmlNode& node) {
  std::string out;
  for (TXmlNode* child : node.Children())
    out += Cat({std::to_string(child->SourceLine()), ":", std::to_string(child->SourcePos()), "(",
                Positions(*child), ")"});
  return out;
}

// The outline, and (in positions) where the nodes began, of what the source gives.
std::string ParseWith(TXmlSource& source, bool keepWhitespace, std::string& positions) {
  auto document = MakeXmlDocument();
  document->SetKeepWhitespace(keepWhitespace);
  std::string result;
  try {
    TXmlNode& node = NodeOf(document.Get());
    ReadContent(node.GetChildList(), source, node.NameTable(), keepWhitespace);
    result = OutlineChildren(node);
  } catch (const EXmlError& error) {
    result = Cat({"error: ", error.Message()});
  }
  positions = Positions(NodeOf(document.Get()));
  return result;
}

}  // namespace

std::string Outline(TXmlNode& node) {
  switch (node.GetNodeType()) {
    case kElementNode: {
      std::string out = node.GetNodeName() + Attributes(node);
      if (node.HasChildItems()) out += Cat({"{", OutlineChildren(node), "}"});
      return out;
    }
    case kTextNode:
      return Quoted(node.GetText());
    case kCDataSectionNode:
      return Cat({"C", Quoted(static_cast<TXmlCDATASection&>(node).Data())});
    case kCommentNode:
      return Cat({"!", Quoted(static_cast<TXmlComment&>(node).Data())});
    case kProcessingInstructionNode:
      return Cat({"?", node.GetNodeName(), Quoted(node.GetText()), Attributes(node)});
    case kDocumentNode:
      break;
  }
  return Cat({"#", OutlineChildren(node)});
}

std::string OutlineChildren(TXmlNode& node) {
  std::string out;
  for (TXmlNode* child : node.Children()) {
    if (!out.empty()) out += ' ';
    out += Outline(*child);
  }
  return out;
}

std::string Parse(std::string_view text, bool keepWhitespace) {
  // In a block of exactly its size, so that the sanitizer sees any read beyond the input.
  const std::unique_ptr<char[]> exact(new char[text.size()]);
  if (!text.empty()) std::memcpy(exact.get(), text.data(), text.size());
  TXmlStrSource source(std::string_view(exact.get(), text.size()));
  std::string positions;
  const std::string expected = ParseWith(source, keepWhitespace, positions);
  for (std::size_t bufferBytes : kBufferSizes) {
    TMemoryStream stream{std::string(text)};
    TXmlStmSource streamSource(stream, bufferBytes);
    std::string streamedPositions;
    EXPECT_EQ(ParseWith(streamSource, keepWhitespace, streamedPositions), expected)
        << "stream buffer of " << bufferBytes << " bytes";
    EXPECT_EQ(streamedPositions, positions) << "stream buffer of " << bufferBytes << " bytes";
  }
  return expected;
}

}  // namespace parse_test
