// Typed attributes of the current node, and the list pass-through methods.
#include "XmlDom/IXmlNode.h"
#include "platform/MessageBox.h"
#include "unitXml/LingoListText.h"
#include "unitXml/zelXMLParser.h"

using namespace xmldom;

// The default of each getter is its failure value, so a missing attribute and one that does
// not convert give the same result; only the error state tells them apart. Without a current
// node they answer the failure value and record nothing.

void TzelXMLParser::getTextAttr(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  if (CurrentNode) result.SetAsString(CurrentNode->GetTextAttr(name->AsString(), {}));
}

void TzelXMLParser::getBoolAttr(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  if (CurrentNode) result.SetAsBoolean(CurrentNode->GetBoolAttr(name->AsString(), false));
}

void TzelXMLParser::getIntAttr(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  if (CurrentNode) result.SetAsInteger(CurrentNode->GetIntAttr(name->AsString(), 0));
}

void TzelXMLParser::getDoubleAttr(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  if (CurrentNode) result.SetAsFloat(CurrentNode->GetDoubleAttr(name->AsString(), 0.0));
}

// testPL and testL show the list they are given and hand it back: a check of the passage of
// lists both ways. They stay outside the error state; what fails in them the frame drops. An
// argument of another kind reads as no list: no box, and the host's result stays as it was.

void TzelXMLParser::testPL(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXPropertyList> list = args.Item(1)->AsPropertyList();
  if (!list) return;
  platform::ShowMessageBox(msg::kInfoCaption, PropertyListText(*list, ValueService().Get()));
  result.SetAsPropertyList(list);
}

void TzelXMLParser::testL(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXList> list = args.Item(1)->AsList();
  if (!list) return;
  platform::ShowMessageBox(msg::kInfoCaption, LinearListText(*list, ValueService().Get()));
  result.SetAsList(list);
}
