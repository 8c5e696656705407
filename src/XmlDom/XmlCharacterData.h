#pragma once

// CDATA sections and comments: nodes whose content is a plain byte string. GetText trims
// characters of code 0 to 32 from both ends unless the owning document keeps whitespace.

#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>

#include "XmlDom/XmlNodeOn.h"
#include "XmlDom/XmlPlacedValue.h"

namespace xmldom {

// The common part of CDATA sections and comments (Interface is the kind's).
template <class Interface>
class TXmlCharacterData : public TXmlNodeOn<Interface> {
 public:
  std::string GetText() override;
  void SetText(std::string_view text) override;

  std::string_view Data() const noexcept { return data_.Get().ByteView(); }

 protected:
  TXmlCharacterData(TXmlKind kind, TXmlNameTable& table, int nameId, std::string_view data);
  // Over size bytes that the store gave the node when they do not fit inside the value.
  TXmlCharacterData(TXmlStoreKey key, TXmlKind kind, TXmlNameTable& table, int nameId,
                    const char* bytes, std::uint32_t size, TXmlNode::TInKeepingStore in) noexcept
      : TXmlNodeOn<Interface>(kind, table, nameId, in),
        data_(TXmlPlacedValue::Over(key, xvtString, bytes, size)) {}
  TXmlCharacterData(TXmlStoreKey key, TXmlKind kind, TXmlNameTable& table, int nameId,
                    TXmlInlineBytes bytes, TXmlNode::TInKeepingStore in) noexcept
      : TXmlNodeOn<Interface>(kind, table, nameId, in),
        data_(TXmlPlacedValue::Over(key, xvtString, bytes)) {}
  ~TXmlCharacterData();

 private:
  TXmlPlacedValue data_;  // a byte string placed in the node's store
};

extern template class TXmlCharacterData<IXmlCDATASection>;
extern template class TXmlCharacterData<IXmlComment>;

class TXmlCDATASection final : public TXmlCharacterData<IXmlCDATASection> {
 public:
  static constexpr TXmlKind kKind = TXmlKind::CDataSection;

  TXmlCDATASection(TXmlStoreKey, TXmlNameTable& table, std::string_view data)
      : TXmlCharacterData(kKind, table, kCDataNameId, data) {}

  Ref<IXmlCDATASection> ToCDATASection() override { return Ref<IXmlCDATASection>::Retain(this); }
  void WriteXml(TStringBuilder& out);
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store);
};

class TXmlComment final : public TXmlCharacterData<IXmlComment> {
 public:
  static constexpr TXmlKind kKind = TXmlKind::Comment;

  TXmlComment(TXmlStoreKey, TXmlNameTable& table, std::string_view data)
      : TXmlCharacterData(kKind, table, kCommentNameId, data) {}
  TXmlComment(TXmlStoreKey key, TXmlNameTable& table, const char* bytes, std::uint32_t size,
              TInKeepingStore in) noexcept
      : TXmlCharacterData(key, kKind, table, kCommentNameId, bytes, size, in) {}
  TXmlComment(TXmlStoreKey key, TXmlNameTable& table, TXmlInlineBytes bytes,
              TInKeepingStore in) noexcept
      : TXmlCharacterData(key, kKind, table, kCommentNameId, bytes, in) {}

  Ref<IXmlComment> ToComment() override { return Ref<IXmlComment>::Retain(this); }
  void WriteXml(TStringBuilder& out);
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store);
};

// The bytes of a CDATA section or a comment.
inline std::string_view CharacterDataOf(TXmlNode& node) noexcept {
  assert(node.Kind() == TXmlKind::CDataSection || node.Kind() == TXmlKind::Comment);
  return node.Kind() == TXmlKind::Comment ? static_cast<TXmlComment&>(node).Data()
                                          : static_cast<TXmlCDATASection&>(node).Data();
}

}  // namespace xmldom
