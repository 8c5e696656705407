// Loading documents from XML text and saving them as XML text; the binary XML side of the
// same operations is in XmlDocumentBinaryIO.cpp.
#include <cstdlib>
#include <optional>

#include "XmlDom/BinXmlReader.h"
#include "XmlDom/StringBuilder.h"
#include "XmlDom/XmlContentReader.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlFileStream.h"
#include "XmlDom/XmlSource.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/File.h"
#include "platform/Resources.h"

namespace xmldom {

namespace {

// "#<number>" names a numbered resource type or name, as Windows reads resource names.
platform::TResourceKey ResourceKeyOf(std::string_view text) {
  if (text.size() > 1 && text[0] == '#' &&
      text.find_first_not_of("0123456789", 1) == std::string_view::npos)
    return platform::TResourceKey(
        std::uint16_t(std::strtoul(std::string(text.substr(1)).c_str(), nullptr, 10)));
  return platform::TResourceKey(std::string(text));
}

}  // namespace

void TXmlDocument::ClearContent() {
  ClearChildren();
  ClearAttributes();
}

void TXmlDocument::LoadXML(std::string_view text) {
  if (text.substr(0, kBinXmlSignature.size()) == kBinXmlSignature) return LoadBinaryString(text);
  ClearContent();
  TXmlStrSource source(text);
  ReadContent(GetChildList(), source, NameTable(), keepWhitespace_);
}

// Only the bytes from the stream's position on count: a stream positioned after some leading
// data loads the XML that follows it.
void TXmlDocument::Load(TXmlStream& stream) {
  ClearContent();
  const std::size_t signatureBytes = kBinXmlSignature.size();
  if (stream.Size() - stream.Position() > std::int64_t(signatureBytes)) {
    char head[kBinXmlSignature.size()];
    stream.ReadExactly(head, signatureBytes);
    if (std::string_view(head, signatureBytes) == kBinXmlSignature) return LoadBinaryStream(stream);
    stream.Seek(stream.Position() - std::int64_t(signatureBytes));
  }
  TXmlStmSource source(stream, kXmlStreamBufferBytes);
  ReadContent(GetChildList(), source, NameTable(), keepWhitespace_);
}

// Failures while reading name the file; failing to open it does not (that message names the
// file already).
void TXmlDocument::Load(const std::string& fileName) {
  platform::TFile file = platform::TFile::OpenRead(fileName);
  TXmlFileStream stream(file);
  try {
    Load(stream);
  } catch (const EXmlError& error) {
    throw EXmlError(FormatText(msg::kWithFileName, {error.Message(), fileName}));
  }
}

void TXmlDocument::LoadFromResource(std::string_view resourceType, std::string_view resourceName) {
  const std::optional<std::string_view> bytes =
      platform::FindModuleResource(ResourceKeyOf(resourceType), ResourceKeyOf(resourceName));
  if (!bytes || bytes->empty()) return;
  // The bytes stay mapped while the module is loaded, which outlasts the load.
  LoadXML(*bytes);
}

void TXmlDocument::Save(TXmlStream& stream) {
  TStringBuilder out;
  WriteXml(out);
  if (out.Length() > 0) stream.Write(out.View().data(), out.Length());
}

void TXmlDocument::Save(const std::string& fileName) {
  platform::TFile file = platform::TFile::Create(fileName);
  TXmlFileStream stream(file);
  Save(stream);
}

void TXmlDocument::SaveAsBinary(const std::string& fileName, int options) {
  platform::TFile file = platform::TFile::Create(fileName);
  TXmlFileStream stream(file);
  SaveAsBinary(stream, options);
}

}  // namespace xmldom
