// Writing node sections of binary XML, along the library's walk of a tree (XmlTreeWalk.h), which
// reads the children as they are: an element's held value is written as its value and never
// turned into a text child.
#include <cstddef>

#include "XmlDom/BinaryXml.h"
#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlLimits.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlTreeWalk.h"
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

  void WriteContent(TXmlNode& root) { WalkXmlTree(root, *this); }

  // ---- The walk's visitor: the root is written as its sections alone, every other node as a
  // child record; true when children follow the sections.
  bool Enter(TXmlNode& node, std::size_t depth) {
    depth_ = depth;
    if (depth != 0 && !WriteChild(node)) return false;
    return WriteSections(node);
  }
  void Leave(TXmlNode&) noexcept {}

 private:
  // The attribute section, and the child count; true when children follow.
  bool WriteSections(TXmlNode& node) {
    writer_.WriteInt(node.GetAttributeCount());
    for (const TXmlAttrData& attribute : node.Attributes()) {
      writer_.WriteInt(attribute.NameId);
      writer_.WriteValue(attribute.Value);
    }
    const int count = node.Children().Count();
    writer_.WriteInt(count);
    return count > 0;
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
        writer_.WriteString(CharacterDataOf(child));
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
    if (depth_ > std::size_t(kMaxXmlDepth))
      throw EXmlError(FormatText(msg::kBinaryWriteNestingTooDeep, {kMaxXmlDepth}));
  }

  TBinXmlWriter& writer_;
  std::size_t depth_ = 0;  // of the node being entered
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
