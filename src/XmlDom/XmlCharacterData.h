#pragma once

// CDATA sections and comments: nodes whose content is a plain byte string. GetText trims
// characters of code 0 to 32 from both ends unless the owning document keeps whitespace.

#include <cstdint>
#include <string>
#include <string_view>

#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlPlacedValue.h"

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
  void SetText(std::string_view text) override;

  std::string_view Data() const noexcept { return data_.Get().ByteView(); }

 protected:
  TXmlCharacterData(TXmlNameTable& table, int nameId, std::string_view data);
  // Over size bytes that the store gave the node when they do not fit inside the value.
  TXmlCharacterData(TXmlStoreKey key, TXmlNameTable& table, int nameId, const char* bytes,
                    std::uint32_t size, TInKeepingStore in) noexcept
      : IXmlCharacterData(table, nameId, in),
        data_(TXmlPlacedValue::Over(key, xvtString, bytes, size)) {}
  TXmlCharacterData(TXmlStoreKey key, TXmlNameTable& table, int nameId, TXmlInlineBytes bytes,
                    TInKeepingStore in) noexcept
      : IXmlCharacterData(table, nameId, in), data_(TXmlPlacedValue::Over(key, xvtString, bytes)) {}
  ~TXmlCharacterData() override;

 private:
  TXmlPlacedValue data_;  // a byte string placed in the node's store
};

// The interface of CDATA sections: the operations of IXmlNode; it marks the node's kind.
class IXmlCDATASection : public TXmlCharacterData {
 protected:
  using TXmlCharacterData::TXmlCharacterData;
};

class TXmlCDATASection final : public IXmlCDATASection {
 public:
  TXmlCDATASection(TXmlStoreKey, TXmlNameTable& table, std::string_view data)
      : IXmlCDATASection(table, kCDataNameId, data) {}

  int GetNodeNameIndex() override { return kCDataNameId; }
  TXmlNodeType GetNodeType() override { return kCDataSectionNode; }
  Ref<IXmlCDATASection> ToCDATASection() override { return Ref<IXmlCDATASection>::Retain(this); }
  void WriteXml(TStringBuilder& out) override;

 protected:
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store) override;
};

// The interface of comments: the operations of IXmlNode; it marks the node's kind.
class IXmlComment : public TXmlCharacterData {
 protected:
  using TXmlCharacterData::TXmlCharacterData;
};

class TXmlComment final : public IXmlComment {
 public:
  TXmlComment(TXmlStoreKey, TXmlNameTable& table, std::string_view data)
      : IXmlComment(table, kCommentNameId, data) {}
  TXmlComment(TXmlStoreKey key, TXmlNameTable& table, const char* bytes, std::uint32_t size,
              TInKeepingStore in) noexcept
      : IXmlComment(key, table, kCommentNameId, bytes, size, in) {}
  TXmlComment(TXmlStoreKey key, TXmlNameTable& table, TXmlInlineBytes bytes,
              TInKeepingStore in) noexcept
      : IXmlComment(key, table, kCommentNameId, bytes, in) {}

  int GetNodeNameIndex() override { return kCommentNameId; }
  TXmlNodeType GetNodeType() override { return kCommentNode; }
  Ref<IXmlComment> ToComment() override { return Ref<IXmlComment>::Retain(this); }
  void WriteXml(TStringBuilder& out) override;

 protected:
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store) override;
};

}  // namespace xmldom
