// Loading a document and reading the current node's name, XML and text.
#include "XmlDom/XmlElement.h"
#include "unitXml/zelXMLParser.h"

using namespace xmldom;

IXmlDocument& TzelXMLParser::RequireDocument() const {
  if (!Document) throw EXmlError(msg::kNoDocument);
  return *Document;
}

TXmlNode& TzelXMLParser::RequireCurrentNode() const {
  if (!CurrentNode) throw EXmlError(msg::kNoCurrentNode);
  return NodeOf(CurrentNode.Get());
}

void TzelXMLParser::LoadDocument(const std::string& source, bool fromFile) {
  // Nothing found in the old document is looked at again, whatever becomes of the load.
  namedChildren_.Clear();
  // The previous document goes now, before anything is read: unless the cursor holds it, its
  // tree is taken apart, and the current node stays behind with its subtree but without a
  // parent. The nodes the cursor came down through are let go first, or they would keep it one.
  places_.Clear();
  Document = MakeXmlDocument({}, "1.0", {}, nullptr);
  if (fromFile)
    Document->Load(source);
  else
    Document->LoadXML(source);
  JumpTo(Document->GetDocumentElement());
}

bool TzelXMLParser::loadFromFile(const std::string& xmlFile) {
  LoadDocument(xmlFile, true);
  return true;
}

bool TzelXMLParser::loadFromText(const std::string& xmlString) {
  LoadDocument(xmlString, false);
  return true;
}

void TzelXMLParser::startXML() {
  JumpTo(RequireDocument().GetDocumentElement());
}

// Without a current node the three readers answer their failure value and record nothing.
std::string TzelXMLParser::getNodeName() {
  return CurrentNode ? CurrentNode->GetNodeName() : std::string();
}

std::string TzelXMLParser::getXML() {
  return CurrentNode ? CurrentNode->GetXML() : std::string();
}

std::string TzelXMLParser::getText() {
  return CurrentNode ? CurrentNode->GetText() : std::string();
}
