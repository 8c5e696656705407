#pragma once

// TzelXMLParser: the scripting class that Lingo knows as zelXMLParser. An instance holds one
// XML document, a cursor on one of its nodes (the current node) and the text of the last
// failure. No method ever raises into Lingo: a failure becomes the error state, which scripts
// read back with errorMsg and isNoError, and which is shown in a box and appended to a log
// while authoring, when switched on.
//
//   x = new(xtra "zelXMLParser")
//   if x.loadFromFile("catalog.xml") then put x.getNodeName()
//   else put x.errorMsg()

#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "DXClasses/DXLingoScript.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlNamedChildFinder.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "unitXml/CursorPlaces.h"

class TzelXMLParser final : public TDXLingoScript<TzelXMLParser> {
 public:
  TzelXMLParser() = default;

 private:
  friend TDXLingoScript<TzelXMLParser>;

  // ---- The Lingo methods, each run as its row of kLingoMethods says.
  // Error state.
  void errorMsg(IDXArgList& args, IDXValue& result, bool& handled);
  void isNoError(IDXArgList& args, IDXValue& result, bool& handled);
  void errorDialog(IDXArgList& args, IDXValue& result, bool& handled);
  void errorLog(IDXArgList& args, IDXValue& result, bool& handled);
  void xtraVersion(IDXArgList& args, IDXValue& result, bool& handled);
  // Loading and content.
  void loadFromFile(IDXArgList& args, IDXValue& result, bool& handled);
  void loadFromText(IDXArgList& args, IDXValue& result, bool& handled);
  void startXML(IDXArgList& args, IDXValue& result, bool& handled);
  void getNodeName(IDXArgList& args, IDXValue& result, bool& handled);
  void getXML(IDXArgList& args, IDXValue& result, bool& handled);
  void getText(IDXArgList& args, IDXValue& result, bool& handled);
  // Navigation and selection.
  void selectSingleNode(IDXArgList& args, IDXValue& result, bool& handled);
  void nodeCount(IDXArgList& args, IDXValue& result, bool& handled);
  void selectNode(IDXArgList& args, IDXValue& result, bool& handled);
  void childCount(IDXArgList& args, IDXValue& result, bool& handled);
  void selectChild(IDXArgList& args, IDXValue& result, bool& handled);
  void parentNode(IDXArgList& args, IDXValue& result, bool& handled);
  void nextNode(IDXArgList& args, IDXValue& result, bool& handled);
  void pathNode(IDXArgList& args, IDXValue& result, bool& handled);
  // Attributes and the list pass-through.
  void getTextAttr(IDXArgList& args, IDXValue& result, bool& handled);
  void getBoolAttr(IDXArgList& args, IDXValue& result, bool& handled);
  void getIntAttr(IDXArgList& args, IDXValue& result, bool& handled);
  void getDoubleAttr(IDXArgList& args, IDXValue& result, bool& handled);
  void testPL(IDXArgList& args, IDXValue& result, bool& handled);
  void testL(IDXArgList& args, IDXValue& result, bool& handled);

  // The rows' shorthand.
  using R = TDXLingoResult;
  using F = TDXFailureValue;
  using E = TDXErrorState;
  using T = TzelXMLParser;

 public:
  static constexpr std::string_view kXtraName = "zelXMLParser";

  // The methods' arguments after me, by their Lingo names.
  static constexpr TDXLingoArgument kDialog{"dialog", dvInteger};
  static constexpr TDXLingoArgument kLogFile{"logFile", dvString};
  static constexpr TDXLingoArgument kLogSave{"logSave", dvInteger};
  static constexpr TDXLingoArgument kXmlFile{"xmlFile", dvString};
  static constexpr TDXLingoArgument kXmlString{"xmlString", dvString};
  static constexpr TDXLingoArgument kNodeName{"nodeName", dvString};
  static constexpr TDXLingoArgument kItem{"item", dvInteger};
  static constexpr TDXLingoArgument kNodePath{"nodePath", dvString};
  static constexpr TDXLingoArgument kAttrName{"attrName", dvString};
  static constexpr TDXLingoArgument kAttr{"attr", dvList};

  // The Lingo methods. Their order is the host's: a method's selector is its place here plus 2
  // (new and forget come first), and scripts compiled against one order break with another.
  // A method that records or restarts the error state catches every failure of its work into
  // it; one that leaves it untouched cannot fail, or leaves its failures to the frame.
  static constexpr TDXLingoMethod<TzelXMLParser> kLingoMethods[] = {
      // clang-format off
      // name              arguments             result           on failure      error state   handler
      {"xtraVersion",      {},                   R::PropertyList, F::None,        E::Restarts,  &T::xtraVersion},
      {"errorMsg",         {},                   R::String,       F::None,        E::Untouched, &T::errorMsg},
      {"isNoError",        {},                   R::Boolean,      F::None,        E::Untouched, &T::isNoError},
      {"errorDialog",      {kDialog},            R::None,         F::None,        E::Untouched, &T::errorDialog},
      {"errorLog",         {kLogFile, kLogSave}, R::None,         F::None,        E::Untouched, &T::errorLog},
      {"loadFromFile",     {kXmlFile},           R::Boolean,      F::False,       E::Restarts,  &T::loadFromFile},
      {"loadFromText",     {kXmlString},         R::Boolean,      F::False,       E::Restarts,  &T::loadFromText},
      {"getNodeName",      {},                   R::String,       F::EmptyString, E::Records,   &T::getNodeName},
      {"getXML",           {},                   R::String,       F::EmptyString, E::Records,   &T::getXML},
      {"startXML",         {},                   R::None,         F::None,        E::Records,   &T::startXML},
      {"selectSingleNode", {kNodeName},          R::Boolean,      F::False,       E::Records,   &T::selectSingleNode},
      {"nodeCount",        {kNodeName},          R::Integer,      F::Zero,        E::Records,   &T::nodeCount},
      {"selectNode",       {kNodeName, kItem},   R::Boolean,      F::False,       E::Records,   &T::selectNode},
      {"childCount",       {},                   R::Integer,      F::Zero,        E::Records,   &T::childCount},
      {"selectChild",      {kItem},              R::Boolean,      F::False,       E::Records,   &T::selectChild},
      {"parentNode",       {},                   R::Boolean,      F::False,       E::Records,   &T::parentNode},
      {"nextNode",         {},                   R::None,         F::None,        E::Records,   &T::nextNode},
      {"pathNode",         {kNodePath},          R::Boolean,      F::False,       E::Records,   &T::pathNode},
      {"getText",          {},                   R::String,       F::EmptyString, E::Records,   &T::getText},
      {"getTextAttr",      {kAttrName},          R::String,       F::EmptyString, E::Records,   &T::getTextAttr},
      {"getBoolAttr",      {kAttrName},          R::Boolean,      F::False,       E::Records,   &T::getBoolAttr},
      {"getIntAttr",       {kAttrName},          R::Integer,      F::Zero,        E::Records,   &T::getIntAttr},
      {"getDoubleAttr",    {kAttrName},          R::Float,        F::ZeroFloat,   E::Records,   &T::getDoubleAttr},
      {"testPL",           {kAttr},              R::PropertyList, F::None,        E::Untouched, &T::testPL},
      {"testL",            {kAttr},              R::List,         F::None,        E::Untouched, &T::testL},
      // clang-format on
  };

 private:
  // ---- The error capture of the methods that record their failures.
  void ClearErrorState() { ErrorText.clear(); }
  // Runs work; whatever it raises is recorded and goes no further. The result keeps what the
  // method had set when the failure arose.
  template <class TWork>
  void RecordFailures(TWork&& work);
  // The failure's message becomes the error state; then the box and the log entry, as
  // switched on, in that order.
  void RecordError(const std::string& message);

  // The loads' shared steps: a fresh document replaces the old one before anything is read.
  void LoadDocument(IDXArgList& args, IDXValue& result, bool fromFile);
  // Raise the failure of a method that needs what the instance does not have.
  xmldom::TXmlNode& RequireCurrentNode() const;
  xmldom::IXmlDocument& RequireDocument() const;
  // Cursor moves. index is the new node's place among its parent's children when the caller
  // knows it (-1 otherwise), so that nextNode need not look for it.
  void JumpTo(Ref<xmldom::IXmlNode> node);
  void MoveDown(Ref<xmldom::IXmlNode> child, int index = -1);
  void MoveUp(Ref<xmldom::IXmlNode> parent);
  void MoveDown(const xmldom::TXmlNamedChildFinder::TFound& found);
  // The node after the current one, with its place in index when known (else -1).
  Ref<xmldom::IXmlNode> NextSiblingOfCurrent(int& index);

  Ref<xmldom::IXmlDocument> Document;
  Ref<xmldom::IXmlNode> CurrentNode;
  std::string ErrorText;
  std::string LogFileName;
  bool DialogOn = false;
  bool LogOn = false;
  TCursorPlaces places_;
  // Where selection by name found what it found, so that a script's loop over the children of
  // one name goes one step per item.
  xmldom::TXmlNamedChildFinder namedChildren_;
};

template <class TWork>
void TzelXMLParser::RecordFailures(TWork&& work) {
  try {
    work();
  } catch (const EXmlError& failure) {
    RecordError(failure.Message());
  } catch (const std::bad_alloc&) {
    RecordError(std::string(msg::kOutOfMemory));
  } catch (const std::exception& failure) {
    RecordError(failure.what());
  } catch (...) {
    RecordError(std::string(msg::kUnknownException));
  }
}
