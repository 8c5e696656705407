#pragma once

// Processing instructions: a target name id and a data string. The XML declaration (target
// "xml") is parsed into attributes instead of data, and is written from them when its data is
// empty.

#include <string>
#include <string_view>

#include "XmlDom/XmlNodeOn.h"
#include "XmlDom/XmlPlacedValue.h"

namespace xmldom {

class TXmlProcessingInstruction final : public TXmlNodeOn<IXmlProcessingInstruction> {
 public:
  static constexpr TXmlKind kKind = TXmlKind::Instruction;

  TXmlProcessingInstruction(TXmlStoreKey, TXmlNameTable& table, int targetId,
                            std::string_view data);
  ~TXmlProcessingInstruction();

  std::string GetText() override { return std::string(Data()); }
  void SetText(std::string_view text) override;
  Ref<IXmlProcessingInstruction> ToInstruction() override {
    return Ref<IXmlProcessingInstruction>::Retain(this);
  }
  void WriteXml(TStringBuilder& out);
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store);

  int TargetId() const noexcept { return NameIdField(); }
  std::string_view Data() const noexcept { return data_.Get().ByteView(); }

 private:
  TXmlPlacedValue data_;  // a byte string placed in the node's store
};

}  // namespace xmldom
