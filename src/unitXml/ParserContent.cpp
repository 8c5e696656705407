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

void TzelXMLParser::LoadDocument(IDXArgList& args, IDXValue& result, bool fromFile) {
  const Ref<IDXValue> source = args.Item(1);
  // Nothing found in the old document is looked at again, whatever becomes of the load.
  namedChildren_.Clear();
  // The previous document goes now, before anything is read: unless the cursor holds it, its
  // tree is taken apart, and the current node stays behind with its subtree but without a
  // parent. The nodes the cursor came down through are let go first, or they would keep it one.
  places_.Clear();
  Document = MakeXmlDocument({}, "1.0", {}, nullptr);
  if (fromFile)
    Document->Load(source->AsString());
  else
    Document->LoadXML(source->AsString());
  JumpTo(Document->GetDocumentElement());
  result.SetAsBoolean(true);
}

void TzelXMLParser::loadFromFile(IDXArgList& args, IDXValue& result, bool&) {
  LoadDocument(args, result, true);
}

void TzelXMLParser::loadFromText(IDXArgList& args, IDXValue& result, bool&) {
  LoadDocument(args, result, false);
}

void TzelXMLParser::startXML(IDXArgList&, IDXValue&, bool&) {
  JumpTo(RequireDocument().GetDocumentElement());
}

// Without a current node the three readers answer their failure value and record nothing.
void TzelXMLParser::getNodeName(IDXArgList&, IDXValue& result, bool&) {
  if (CurrentNode) result.SetAsString(CurrentNode->GetNodeName());
}

void TzelXMLParser::getXML(IDXArgList&, IDXValue& result, bool&) {
  if (CurrentNode) result.SetAsString(CurrentNode->GetXML());
}

void TzelXMLParser::getText(IDXArgList&, IDXValue& result, bool&) {
  if (CurrentNode) result.SetAsString(CurrentNode->GetText());
}
