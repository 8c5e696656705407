#pragma once

// Processing instructions: a target name id and a data string. The XML declaration (target
// "xml") is parsed into attributes instead of data, and is written from them when its data is
// empty.

#include <string>
#include <string_view>

#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlPlacedValue.h"

namespace xmldom {

// The interface of processing instructions: the operations of IXmlNode; it marks the kind.
class IXmlProcessingInstruction : public TXmlNode {
 protected:
  using TXmlNode::TXmlNode;
};

class TXmlProcessingInstruction final : public IXmlProcessingInstruction {
 public:
  TXmlProcessingInstruction(TXmlStoreKey, TXmlNameTable& table, int targetId,
                            std::string_view data);
  ~TXmlProcessingInstruction() override;

  int GetNodeNameIndex() override { return NameIdField(); }
  TXmlNodeType GetNodeType() override { return kProcessingInstructionNode; }
  std::string GetText() override { return std::string(Data()); }
  void SetText(std::string_view text) override;
  Ref<IXmlProcessingInstruction> ToInstruction() override {
    return Ref<IXmlProcessingInstruction>::Retain(this);
  }
  void SetNodeNameIndex(int id) override { SetNameIdField(id); }
  void WriteXml(TStringBuilder& out) override;

  int TargetId() const noexcept { return NameIdField(); }
  std::string_view Data() const noexcept { return data_.Get().ByteView(); }

 protected:
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store) override;

 private:
  TXmlPlacedValue data_;  // a byte string placed in the node's store
};

}  // namespace xmldom
