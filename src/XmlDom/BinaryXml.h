#pragma once

// Binary XML: a document's name table and node tree stored as they are, so that loading needs
// no parsing and no name lookups. The layout, after the signature and the options word
// (BinXmlReader.h), is the name table section and then the document node's attribute section
// and child section.
//
// How a document loads and saves itself with these:
//   load:  empty the document, bind it to a fresh TXmlNameTable, make a TStrXmlReader over the
//          bytes (or a TStmXmlReader over the stream past the signature), ReadBinaryXml;
//   save:  make a TStrXmlWriter (or TStmXmlWriter), WriteBinaryXml, then TakeResult (Flush).
// A failed load leaves the document with what was read before the failure.

#include "XmlDom/BinXmlReader.h"
#include "XmlDom/BinXmlWriter.h"

namespace xmldom {

class TXmlNameTable;
class TXmlNode;

// The name table section: the names in id order, then the hash buckets. Reading replaces the
// names of table (which no node may use yet) by the stored ones, keeping each stored id. It
// raises, and leaves table as it was, when the first five names are not the predefined ones,
// when a bucket index or a name id is out of range, or when the bucket count is not between 1
// and kMaxBinaryXmlBuckets.
void ReadXmlNameTable(TBinXmlReader& reader, TXmlNameTable& table);
void WriteXmlNameTable(TBinXmlWriter& writer, const TXmlNameTable& table);

// A node's attribute section and child section, and everything below it. Reading replaces the
// node's attributes and (when the stored count is not 0) its children; the nodes read are made
// on the node's name table, whose ids the stored ones must be. Nesting deeper than
// kMaxXmlDepth is refused, when reading and when writing.
void ReadXmlNodeContent(TBinXmlReader& reader, TXmlNode& node);
void WriteXmlNodeContent(TBinXmlWriter& writer, TXmlNode& node);

// The whole file after the header: the name table section into the document's own name table,
// then the document's sections.
void ReadBinaryXml(TBinXmlReader& reader, TXmlNode& document);
// The name table section of the document's name table, then the document's sections.
void WriteBinaryXml(TBinXmlWriter& writer, TXmlNode& document);

// Every table this system writes has 4096 buckets; the reader takes other counts up to this,
// which bounds what a damaged count can make it allocate.
inline constexpr int kMaxBinaryXmlBuckets = 65536;

}  // namespace xmldom
