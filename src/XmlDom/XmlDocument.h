#pragma once

// The document: the root node of a tree and the entry point of the library. It creates free
// nodes bound to its name table, loads and saves its content, and carries KeepWhitespace, which
// decides how the whole tree is parsed and written.

#include <cstddef>
#include <string>
#include <string_view>

#include "XmlDom/XmlChildChanges.h"
#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlStream.h"

namespace xmldom {

// The encoding InitDocument declares when none is given.
inline constexpr std::string_view kDefaultXmlEncoding = "windows-1251";
// The buffer through which documents read and write streams.
inline constexpr std::size_t kXmlStreamBufferBytes = 65536;

class IXmlDocument : public TXmlNode {
 public:
  // The first child element, or none.
  virtual Ref<IXmlElement> GetDocumentElement() = 0;
  // The document as binary XML (options 0).
  virtual std::string ToBinaryString() = 0;
  virtual bool GetKeepWhitespace() = 0;
  // Sets the flag only: later loads and all later output follow it, nodes already read stay.
  virtual void SetKeepWhitespace(bool keep) = 0;
  // Removes the children (attributes stay), adds the XML declaration with version and
  // encoding (kDefaultXmlEncoding when empty) and a root element; returns the root.
  virtual Ref<IXmlElement> InitDocument(std::string_view version, std::string_view encoding,
                                        int rootId) = 0;
  virtual Ref<IXmlElement> InitDocument(std::string_view version, std::string_view encoding,
                                        std::string_view rootName) = 0;
  // Free nodes (no parent, in no list) bound to the document's name table.
  virtual Ref<IXmlElement> CreateElement(int id) = 0;
  virtual Ref<IXmlElement> CreateElement(std::string_view name) = 0;
  virtual Ref<IXmlText> CreateText(std::string_view text) = 0;
  virtual Ref<IXmlCDATASection> CreateCDATASection(std::string_view text) = 0;
  virtual Ref<IXmlComment> CreateComment(std::string_view text) = 0;
  virtual Ref<IXmlProcessingInstruction> CreateProcessingInstruction(std::string_view name,
                                                                     std::string_view data) = 0;
  virtual Ref<IXmlProcessingInstruction> CreateProcessingInstruction(int id,
                                                                     std::string_view data) = 0;
  // Loads replace the content; a failed load keeps what was read before the failure. Binary
  // XML is told from text by its signature (kBinXmlSignature) at the start.
  virtual void LoadXML(std::string_view text) = 0;
  virtual void LoadBinaryString(std::string_view bytes) = 0;
  virtual void Load(TXmlStream& stream) = 0;
  virtual void Load(const std::string& fileName) = 0;
  // Nothing happens when the resource is missing.
  virtual void LoadFromResource(std::string_view resourceType, std::string_view resourceName) = 0;
  // Saves leave the document unchanged; a file is created, or emptied when it exists.
  virtual void Save(TXmlStream& stream) = 0;
  virtual void Save(const std::string& fileName) = 0;
  virtual void SaveAsBinary(TXmlStream& stream, int options) = 0;
  virtual void SaveAsBinary(const std::string& fileName, int options) = 0;

 protected:
  using TXmlNode::TXmlNode;
};

class TXmlDocument final : public IXmlDocument {
 public:
  TXmlDocument(TXmlStoreKey, TXmlNameTable& table) : IXmlDocument(table, kDocumentNameId) {}
  ~TXmlDocument() override;

  // ---- Node operations.
  int GetNodeNameIndex() override { return kDocumentNameId; }
  TXmlNodeType GetNodeType() override { return kDocumentNode; }
  // The texts of the element, text and CDATA children, non-empty ones joined by one space.
  std::string GetText() override { return JoinedChildText(); }
  // Removes all children, then holds the text in one text node.
  void SetText(std::string_view text) override;
  // Lets the content's store go at once when nothing outside holds any of it.
  void ClearChildren() override {
    TXmlChildChanges::Note();
    LeaveContent(true);
  }
  void WriteXml(TStringBuilder& out) override;

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
  TXmlNodeStore& ChildStore() override;

 protected:
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store) override;
  bool CloneCopiesChildren() const noexcept override { return true; }

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

// A new document on table (the shared table when null; a table that is not one of this
// library's raises "Invalid class typecast"); with a root name, initialised with InitDocument
// (version, encoding, rootName).
Ref<IXmlDocument> MakeXmlDocument(std::string_view rootName = {}, std::string_view version = {},
                                  std::string_view encoding = {}, IXmlNameTable* table = nullptr);

}  // namespace xmldom
