#pragma once

// Processing instructions: a target name id and a data string. The XML declaration (target
// "xml") is parsed into attributes instead of data, and is written from them when its data is
// empty.

#include <string>

#include "XmlDom/XmlNode.h"

namespace xmldom {

// The interface of processing instructions: the operations of IXmlNode; it marks the kind.
class IXmlProcessingInstruction : public TXmlNode {
 protected:
  using TXmlNode::TXmlNode;
};

class TXmlProcessingInstruction final : public IXmlProcessingInstruction {
 public:
  TXmlProcessingInstruction(TXmlNameTable& table, int targetId, std::string_view data)
      : IXmlProcessingInstruction(table), targetId_(targetId), data_(data) {}

  int GetNodeNameIndex() override { return targetId_; }
  TXmlNodeType GetNodeType() override { return kProcessingInstructionNode; }
  std::string GetText() override { return data_; }
  void SetText(std::string_view text) override { data_.assign(text); }
  Ref<IXmlProcessingInstruction> ToInstruction() override {
    return Ref<IXmlProcessingInstruction>::Retain(this);
  }
  void SetNodeNameIndex(int id) override { targetId_ = id; }
  void WriteXml(TStringBuilder& out) override;

  int TargetId() const noexcept { return targetId_; }
  const std::string& Data() const noexcept { return data_; }

 protected:
  Ref<TXmlNode> CloneSelf() override;

 private:
  int targetId_;
  std::string data_;
};

}  // namespace xmldom
