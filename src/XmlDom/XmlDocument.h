#pragma once

// The document: the root node of a tree and the entry point of the library. It creates free
// nodes bound to its name table, loads and saves its content, and carries KeepWhitespace, which
// decides how the whole tree is parsed and written.

#include <cstddef>
#include <string>
#include <string_view>

#include "XmlDom/IXmlDocument.h"
#include "XmlDom/XmlChildChanges.h"
#include "XmlDom/XmlNodeOn.h"
#include "XmlDom/XmlStream.h"

namespace xmldom {

// The buffer through which documents read and write streams.
inline constexpr std::size_t kXmlStreamBufferBytes = 65536;

class TXmlDocument final : public TXmlNodeOn<IXmlDocument> {
 public:
  static constexpr TXmlKind kKind = TXmlKind::Document;

  TXmlDocument(TXmlStoreKey, TXmlNameTable& table) : TXmlNodeOn(kKind, table, kDocumentNameId) {}
  ~TXmlDocument();

  // ---- Node operations.
  // The texts of the element, text and CDATA children, non-empty ones joined by one space.
  std::string GetText() override { return JoinedChildText(); }
  // Removes all children, then holds the text in one text node.
  void SetText(std::string_view text) override;
  // Lets the content's store go at once when nothing outside holds any of it.
  void ClearChildren() override {
    TXmlChildChanges::Note();
    LeaveContent(true);
  }
  void WriteXml(TStringBuilder& out);
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store);

  // ---- Document operations.
  Ref<IXmlElement> GetDocumentElement() override;
  std::string ToBinaryString() override;
  bool GetKeepWhitespace() override { return keepWhitespace_; }
  void SetKeepWhitespace(bool keep) override { keepWhitespace_ = keep; }
  Ref<IXmlElement> InitDocument(std::string_view version, std::string_view encoding,
                                int rootId) override;
  Ref<IXmlElement> InitDocument(std::string_view version, std::string_view encoding,
                                std::string_view rootName) override;
  Ref<IXmlElement> CreateElement(int id) override;
  Ref<IXmlElement> CreateElement(std::string_view name) override;
  Ref<IXmlText> CreateText(std::string_view text) override;
  Ref<IXmlCDATASection> CreateCDATASection(std::string_view text) override;
  Ref<IXmlComment> CreateComment(std::string_view text) override;
  Ref<IXmlProcessingInstruction> CreateProcessingInstruction(std::string_view name,
                                                             std::string_view data) override;
  Ref<IXmlProcessingInstruction> CreateProcessingInstruction(int id,
                                                             std::string_view data) override;
  void LoadXML(std::string_view text) override;
  void LoadBinaryString(std::string_view bytes) override;
  void Load(TXmlStream& stream) override;
  void Load(const std::string& fileName) override;
  void LoadFromResource(std::string_view resourceType, std::string_view resourceName) override;
  void Save(TXmlStream& stream) override;
  void Save(const std::string& fileName) override;
  void SaveAsBinary(TXmlStream& stream, int options) override;
  void SaveAsBinary(const std::string& fileName, int options) override;

  bool KeepWhitespace() const noexcept { return keepWhitespace_; }

  // The document's content (its children and everything below them, and the free nodes it
  // creates) lives in a store of its own, made on first use and replaced by every load.
  TXmlNodeStore& ChildStore();

 private:
  // Removes the children and the attributes: every load starts so, with a fresh store.
  void ClearContent();
  // Lets go of the content store: at once when nothing outside reaches into it, else child by
  // child (the held nodes survive). A child list held elsewhere stays the document's, emptied,
  // when keepHeldList; otherwise it lives on without its owner.
  void LeaveContent(bool keepHeldList) noexcept;
  // Reads binary XML, whose signature the stream has just yielded, into the emptied document.
  void LoadBinaryStream(TXmlStream& stream);

  bool keepWhitespace_ = DefaultKeepWhitespace;
  TXmlNodeStore* content_ = nullptr;
};

}  // namespace xmldom
