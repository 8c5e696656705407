// Writing node sections of binary XML, without recursion (see BinXmlTreeReader.cpp). The
// writer reads the existing child lists: an element's held value is written as its value and
// never turned into a text child.
#include <vector>

#include "XmlDom/BinaryXml.h"
#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlLimits.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlText.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

// What an element with children writes as its value.
const XmlValue kNoValue;

class TTreeWriter {
 public:
  explicit TTreeWriter(TBinXmlWriter& writer) : writer_(writer) {}

  void WriteContent(TXmlNode& root) {
    WriteSections(root);
    while (!levels_.empty()) {
      TLevel& level = levels_.back();
      if (level.Next == level.Children.Count()) {
        levels_.pop_back();
        continue;
      }
      if (TXmlNode* parent = WriteChild(*level.Children.Item(level.Next++))) WriteSections(*parent);
    }
  }

 private:
  struct TLevel {
    TXmlChildren Children;
    int Next;
  };

  // The attribute section, and the child count; the children follow from the loop.
  void WriteSections(TXmlNode& node) {
    writer_.WriteInt(node.GetAttributeCount());
    for (const TXmlAttrData& attribute : node.Attributes()) {
      writer_.WriteInt(attribute.NameId);
      writer_.WriteValue(attribute.Value);
    }
    const TXmlChildren children = node.Children();
    writer_.WriteInt(children.Count());
    if (children.Count() > 0) levels_.push_back({children, 0});
  }

  // Writes a child's record up to its sections; returns the child when they follow.
  TXmlNode* WriteChild(TXmlNode& child) {
    const TXmlNodeType type = child.GetNodeType();
    switch (type) {
      case kElementNode: {
        CheckDepth();
        auto& element = static_cast<TXmlElement&>(child);
        writer_.WriteByte(kElementNode);
        writer_.WriteInt(element.NameId());
        writer_.WriteValue(element.HasChildItems() ? kNoValue : element.Value());
        return &element;
      }
      case kTextNode:
        writer_.WriteByte(kTextNode);
        writer_.WriteValue(static_cast<TXmlText&>(child).Value());
        return nullptr;
      case kCDataSectionNode:
      case kCommentNode:
        writer_.WriteByte(std::uint8_t(type));
        writer_.WriteString(static_cast<TXmlCharacterData&>(child).Data());
        return nullptr;
      case kProcessingInstructionNode: {
        CheckDepth();
        auto& instruction = static_cast<TXmlProcessingInstruction&>(child);
        writer_.WriteByte(kProcessingInstructionNode);
        writer_.WriteInt(instruction.TargetId());
        writer_.WriteString(instruction.Data());
        return &instruction;
      }
      case kDocumentNode:
        break;
    }
    throw EXmlError(msg::kBinaryWriteBadNodeType);
  }

  // The child being written sits at the level of its list; the document's children are level 1.
  void CheckDepth() const {
    if (levels_.size() > std::size_t(kMaxXmlDepth))
      throw EXmlError(FormatText(msg::kBinaryWriteNestingTooDeep, {kMaxXmlDepth}));
  }

  TBinXmlWriter& writer_;
  std::vector<TLevel> levels_;
};

}  // namespace

void WriteXmlNodeContent(TBinXmlWriter& writer, TXmlNode& node) {
  TTreeWriter(writer).WriteContent(node);
}

void WriteBinaryXml(TBinXmlWriter& writer, TXmlNode& document) {
  WriteXmlNameTable(writer, document.NameTable());
  WriteXmlNodeContent(writer, document);
}

}  // namespace xmldom
