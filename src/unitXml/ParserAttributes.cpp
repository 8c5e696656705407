// Typed attributes of the current node, and the list pass-through methods.
#include "XmlDom/IXmlNode.h"
#include "platform/MessageBox.h"
#include "unitXml/LingoListText.h"
#include "unitXml/zelXMLParser.h"

using namespace xmldom;

// The default of each getter is its failure value, so a missing attribute and one that does
// not convert give the same result; only the error state tells them apart. Without a current
// node they answer the failure value and record nothing.

std::string TzelXMLParser::getTextAttr(std::string_view attrName) {
  return CurrentNode ? CurrentNode->GetTextAttr(attrName, {}) : std::string();
}

bool TzelXMLParser::getBoolAttr(std::string_view attrName) {
  return CurrentNode && CurrentNode->GetBoolAttr(attrName, false);
}

std::int32_t TzelXMLParser::getIntAttr(std::string_view attrName) {
  return CurrentNode ? CurrentNode->GetIntAttr(attrName, 0) : 0;
}

double TzelXMLParser::getDoubleAttr(std::string_view attrName) {
  return CurrentNode ? CurrentNode->GetDoubleAttr(attrName, 0.0) : 0.0;
}

// testPL and testL show the list they are given and hand it back: a check of the passage of
// lists both ways. They stay outside the error state; what fails in them the frame drops. An
// argument of another kind reads as no list: no box, and no answer, so the host's result stays
// as it was.

Ref<IDXPropertyList> TzelXMLParser::testPL(Ref<IDXPropertyList> attr) {
  if (attr)
    platform::ShowMessageBox(msg::kInfoCaption, PropertyListText(*attr, ValueService().Get()));
  return attr;
}

Ref<IDXList> TzelXMLParser::testL(Ref<IDXList> attr) {
  if (attr)
    platform::ShowMessageBox(msg::kInfoCaption, LinearListText(*attr, ValueService().Get()));
  return attr;
}
