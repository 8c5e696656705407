#include "unitXml/zelXMLParser.h"

#include <array>
#include <string_view>

#include "DXClasses/DXClassRegistry.h"
#include "unitXml/ErrorOutput.h"

namespace {

// Entered in the class registry while the module loads, ahead of the register class that the
// module's start-up adds.
const TDXClassRegistration<TzelXMLParser> kRegistration{
    MakeMoaID("740B13D1-F782-4932-84B5-20B457FF7239")};

struct TArgumentLine {
  std::string_view Name;
  TDXValueKind Kind = dvVoid;
};

struct TMethodLine {
  std::string_view Name;
  std::array<TArgumentLine, 2> Arguments;  // after me; unused places have no name
};

// The method table. Its order is the host's: a method's selector is its place here plus 2
// (new and forget come first), and scripts compiled against one order break with another.
constexpr TMethodLine kMethodTable[] = {
    {"xtraVersion", {}},
    {"errorMsg", {}},
    {"isNoError", {}},
    {"errorDialog", {{{"dialog", dvInteger}}}},
    {"errorLog", {{{"logFile", dvString}, {"logSave", dvInteger}}}},
    {"loadFromFile", {{{"xmlFile", dvString}}}},
    {"loadFromText", {{{"xmlString", dvString}}}},
    {"getNodeName", {}},
    {"getXML", {}},
    {"startXML", {}},
    {"selectSingleNode", {{{"nodeName", dvString}}}},
    {"nodeCount", {{{"nodeName", dvString}}}},
    {"selectNode", {{{"nodeName", dvString}, {"item", dvInteger}}}},
    {"childCount", {}},
    {"selectChild", {{{"item", dvInteger}}}},
    {"parentNode", {}},
    {"nextNode", {}},
    {"pathNode", {{{"nodePath", dvString}}}},
    {"getText", {}},
    {"getTextAttr", {{{"attrName", dvString}}}},
    {"getBoolAttr", {{{"attrName", dvString}}}},
    {"getIntAttr", {{{"attrName", dvString}}}},
    {"getDoubleAttr", {{{"attrName", dvString}}}},
    {"testPL", {{{"attr", dvList}}}},
    {"testL", {{{"attr", dvList}}}},
};
static_assert(std::size(kMethodTable) == 25);

}  // namespace

void TzelXMLParser::DeclareFunctions(TDXScriptInfo& info) {
  info.XtraName = "zelXMLParser";
  for (const TMethodLine& line : kMethodTable) {
    Ref<IDXScriptFunction> method =
        info.Functions->AddMethod(line.Name)->AddArgument("me", dvObject);
    for (const TArgumentLine& argument : line.Arguments)
      if (!argument.Name.empty()) method = method->AddArgument(argument.Name, argument.Kind);
  }
}

std::span<const TDXPublishedMethod> TzelXMLParser::PublishedMethods() const {
  static constexpr TDXPublishedMethod kMethods[] = {
      Publish<&TzelXMLParser::xtraVersion>("xtraVersion"),
      Publish<&TzelXMLParser::errorMsg>("errorMsg"),
      Publish<&TzelXMLParser::isNoError>("isNoError"),
      Publish<&TzelXMLParser::errorDialog>("errorDialog"),
      Publish<&TzelXMLParser::errorLog>("errorLog"),
      Publish<&TzelXMLParser::loadFromFile>("loadFromFile"),
      Publish<&TzelXMLParser::loadFromText>("loadFromText"),
      Publish<&TzelXMLParser::getNodeName>("getNodeName"),
      Publish<&TzelXMLParser::getXML>("getXML"),
      Publish<&TzelXMLParser::startXML>("startXML"),
      Publish<&TzelXMLParser::selectSingleNode>("selectSingleNode"),
      Publish<&TzelXMLParser::nodeCount>("nodeCount"),
      Publish<&TzelXMLParser::selectNode>("selectNode"),
      Publish<&TzelXMLParser::childCount>("childCount"),
      Publish<&TzelXMLParser::selectChild>("selectChild"),
      Publish<&TzelXMLParser::parentNode>("parentNode"),
      Publish<&TzelXMLParser::nextNode>("nextNode"),
      Publish<&TzelXMLParser::pathNode>("pathNode"),
      Publish<&TzelXMLParser::getText>("getText"),
      Publish<&TzelXMLParser::getTextAttr>("getTextAttr"),
      Publish<&TzelXMLParser::getBoolAttr>("getBoolAttr"),
      Publish<&TzelXMLParser::getIntAttr>("getIntAttr"),
      Publish<&TzelXMLParser::getDoubleAttr>("getDoubleAttr"),
      Publish<&TzelXMLParser::testPL>("testPL"),
      Publish<&TzelXMLParser::testL>("testL"),
  };
  return kMethods;
}

// ---- Error state.

void TzelXMLParser::RecordError(const std::string& message) {
  ErrorText = message;
  if (DialogOn) ShowErrorDialog(ErrorText);
  if (LogOn) AppendErrorLog(LogFileName, ErrorText);
}

void TzelXMLParser::errorMsg(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsString(ErrorText);
}

void TzelXMLParser::isNoError(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsBoolean(ErrorText.empty());
}

// Both switches work only while authoring: a projector or a browser never shows the box or
// writes the log, whatever the movie asks.
void TzelXMLParser::errorDialog(IDXArgList& args, IDXValue&, bool&) {
  DialogOn = args.Item(1)->AsBoolean() && IsAuthoringRunMode(GetAppInfo().RunMode());
}

void TzelXMLParser::errorLog(IDXArgList& args, IDXValue&, bool&) {
  LogFileName = args.Item(1)->AsString();
  LogOn = args.Item(2)->AsBoolean() && IsAuthoringRunMode(GetAppInfo().RunMode());
}
