// Loading and saving of documents, declared but not built yet: each raises EXmlError naming
// itself until its implementation replaces the definition here.
#include "XmlDom/XmlDocument.h"
#include "common/Error.h"

namespace {

[[noreturn]] void NotImplementedYet(const char* operation) {
  throw EXmlError(std::string("Not implemented yet: ") + operation);
}

}  // namespace

// ---- Loading and saving documents.

std::string TXmlDocument::ToBinaryString() {
  NotImplementedYet("ToBinaryString");
}
void TXmlDocument::LoadXML(std::string_view) {
  NotImplementedYet("LoadXML");
}
void TXmlDocument::LoadBinaryString(std::string_view) {
  NotImplementedYet("LoadBinaryString");
}
void TXmlDocument::Load(TXmlStream&) {
  NotImplementedYet("Load");
}
void TXmlDocument::Load(const std::string&) {
  NotImplementedYet("Load");
}
void TXmlDocument::LoadFromResource(std::string_view, std::string_view) {
  NotImplementedYet("LoadFromResource");
}
void TXmlDocument::Save(TXmlStream&) {
  NotImplementedYet("Save");
}
void TXmlDocument::Save(const std::string&) {
  NotImplementedYet("Save");
}
void TXmlDocument::SaveAsBinary(TXmlStream&, int) {
  NotImplementedYet("SaveAsBinary");
}
void TXmlDocument::SaveAsBinary(const std::string&, int) {
  NotImplementedYet("SaveAsBinary");
}
