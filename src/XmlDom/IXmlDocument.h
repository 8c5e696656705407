#pragma once

// IXmlDocument: the root node of a tree and the entry point of the library. It creates free
// nodes bound to its name table, loads and saves its content, and carries KeepWhitespace, which
// decides how the whole tree is parsed and written.

#include <string>
#include <string_view>

#include "XmlDom/IXmlNameTable.h"
#include "XmlDom/IXmlNode.h"
#include "XmlDom/XmlStream.h"

namespace xmldom {

// The encoding InitDocument declares when none is given.
inline constexpr std::string_view kDefaultXmlEncoding = "windows-1251";

class IXmlDocument : public IXmlNode {
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
  ~IXmlDocument() = default;
};

// A new document on table (the shared table when null; a table that is not one of this
// library's raises "Invalid class typecast"); with a root name, initialised with InitDocument
// (version, encoding, rootName).
Ref<IXmlDocument> MakeXmlDocument(std::string_view rootName = {}, std::string_view version = {},
                                  std::string_view encoding = {}, IXmlNameTable* table = nullptr);

}  // namespace xmldom
