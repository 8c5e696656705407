#pragma once

// CDATA sections and comments: nodes whose content is a plain byte string. GetText trims
// characters of code 0 to 32 from both ends unless the owning document keeps whitespace.

#include <string>

#include "XmlDom/XmlNode.h"

namespace xmldom {

// The interface of character data nodes: the operations of IXmlNode.
class IXmlCharacterData : public TXmlNode {
 protected:
  using TXmlNode::TXmlNode;
};

// The common base of CDATA sections and comments; never made itself.
class TXmlCharacterData : public IXmlCharacterData {
 public:
  std::string GetText() override;
  void SetText(std::string_view text) override { data_.assign(text); }

  const std::string& Data() const noexcept { return data_; }

 protected:
  TXmlCharacterData(TXmlNameTable& table, std::string_view data)
      : IXmlCharacterData(table), data_(data) {}

 private:
  std::string data_;
};

// The interface of CDATA sections: the operations of IXmlNode; it marks the node's kind.
class IXmlCDATASection : public TXmlCharacterData {
 protected:
  using TXmlCharacterData::TXmlCharacterData;
};

class TXmlCDATASection final : public IXmlCDATASection {
 public:
  TXmlCDATASection(TXmlNameTable& table, std::string_view data) : IXmlCDATASection(table, data) {}

  int GetNodeNameIndex() override { return kCDataNameId; }
  TXmlNodeType GetNodeType() override { return kCDataSectionNode; }
  Ref<IXmlCDATASection> ToCDATASection() override { return Ref<IXmlCDATASection>::Retain(this); }
  void WriteXml(TStringBuilder& out) override;

 protected:
  Ref<TXmlNode> CloneSelf() override;
};

// The interface of comments: the operations of IXmlNode; it marks the node's kind.
class IXmlComment : public TXmlCharacterData {
 protected:
  using TXmlCharacterData::TXmlCharacterData;
};

class TXmlComment final : public IXmlComment {
 public:
  TXmlComment(TXmlNameTable& table, std::string_view data) : IXmlComment(table, data) {}

  int GetNodeNameIndex() override { return kCommentNameId; }
  TXmlNodeType GetNodeType() override { return kCommentNode; }
  Ref<IXmlComment> ToComment() override { return Ref<IXmlComment>::Retain(this); }
  void WriteXml(TStringBuilder& out) override;

 protected:
  Ref<TXmlNode> CloneSelf() override;
};

}  // namespace xmldom
