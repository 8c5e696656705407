// The binary XML side of loading and saving documents: the document's part is to empty itself
// and bind to a fresh name table; the format is the binary reader's and writer's.
#include "XmlDom/BinaryXml.h"
#include "XmlDom/XmlDocument.h"

namespace xmldom {

namespace {

// The document loads its names into a table of its own, as the file stores them.
Ref<TXmlNameTable> FreshNameTable() {
  return MakeLoose<TXmlNameTable>(TXmlNameTable::kStandardBucketCount);
}

}  // namespace

std::string TXmlDocument::ToBinaryString() {
  TStrXmlWriter writer(0, kXmlStreamBufferBytes);
  WriteBinaryXml(writer, *this);
  return writer.TakeResult();
}

void TXmlDocument::LoadBinaryString(std::string_view bytes) {
  ClearContent();
  TStrXmlReader reader(bytes);
  ReplaceNameTable(*FreshNameTable());
  ReadBinaryXml(reader, *this);
}

void TXmlDocument::LoadBinaryStream(TXmlStream& stream) {
  ReplaceNameTable(*FreshNameTable());
  TStmXmlReader reader(stream, kXmlStreamBufferBytes);
  ReadBinaryXml(reader, *this);
}

void TXmlDocument::SaveAsBinary(TXmlStream& stream, int options) {
  TStmXmlWriter writer(stream, kXmlStreamBufferBytes, std::uint32_t(options));
  WriteBinaryXml(writer, *this);
  writer.Flush();
}

}  // namespace xmldom
