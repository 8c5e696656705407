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

  // ---- The Lingo methods, each run as its row of kLingoMethods says. A method's C++
  // signature is its Lingo one: what it takes after me, and what it answers.
  // Error state.
  std::string_view errorMsg() const;
  bool isNoError() const;
  void errorDialog(bool dialog);
  void errorLog(std::string_view logFile, bool logSave);
  void xtraVersion(TDXResultSlot<Ref<IDXPropertyList>> result);
  // Loading and content.
  bool loadFromFile(const std::string& xmlFile);
  bool loadFromText(const std::string& xmlString);
  void startXML();
  std::string getNodeName();
  std::string getXML();
  std::string getText();
  // Navigation and selection. An item or a path that a failed selection must not look at is
  // deferred.
  bool selectSingleNode(std::string_view nodeName);
  std::int32_t nodeCount(std::string_view nodeName);
  bool selectNode(std::string_view nodeName, TDXDeferred<std::int32_t> item);
  std::int32_t childCount();
  bool selectChild(TDXDeferred<std::int32_t> item);
  bool parentNode();
  void nextNode();
  bool pathNode(TDXDeferred<std::string_view> nodePath);
  // Attributes and the list pass-through.
  std::string getTextAttr(std::string_view attrName);
  bool getBoolAttr(std::string_view attrName);
  std::int32_t getIntAttr(std::string_view attrName);
  double getDoubleAttr(std::string_view attrName);
  Ref<IDXPropertyList> testPL(Ref<IDXPropertyList> attr);
  Ref<IDXList> testL(Ref<IDXList> attr);

  // The rows' shorthand.
  using F = TDXFailureValue;
  using E = TDXErrorState;
  using T = TzelXMLParser;

 public:
  static constexpr std::string_view kXtraName = "zelXMLParser";

  // The methods' arguments after me, by their Lingo names, with the kinds the host's method
  // table gives them; each handler's parameter must be of that kind.
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
      // name              arguments             on failure      error state   handler
      {"xtraVersion",      {},                   F::None,        E::Restarts,  DXHandler<&T::xtraVersion>},
      {"errorMsg",         {},                   F::None,        E::Untouched, DXHandler<&T::errorMsg>},
      {"isNoError",        {},                   F::None,        E::Untouched, DXHandler<&T::isNoError>},
      {"errorDialog",      {kDialog},            F::None,        E::Untouched, DXHandler<&T::errorDialog>},
      {"errorLog",         {kLogFile, kLogSave}, F::None,        E::Untouched, DXHandler<&T::errorLog>},
      {"loadFromFile",     {kXmlFile},           F::False,       E::Restarts,  DXHandler<&T::loadFromFile>},
      {"loadFromText",     {kXmlString},         F::False,       E::Restarts,  DXHandler<&T::loadFromText>},
      {"getNodeName",      {},                   F::EmptyString, E::Records,   DXHandler<&T::getNodeName>},
      {"getXML",           {},                   F::EmptyString, E::Records,   DXHandler<&T::getXML>},
      {"startXML",         {},                   F::None,        E::Records,   DXHandler<&T::startXML>},
      {"selectSingleNode", {kNodeName},          F::False,       E::Records,   DXHandler<&T::selectSingleNode>},
      {"nodeCount",        {kNodeName},          F::Zero,        E::Records,   DXHandler<&T::nodeCount>},
      {"selectNode",       {kNodeName, kItem},   F::False,       E::Records,   DXHandler<&T::selectNode>},
      {"childCount",       {},                   F::Zero,        E::Records,   DXHandler<&T::childCount>},
      {"selectChild",      {kItem},              F::False,       E::Records,   DXHandler<&T::selectChild>},
      {"parentNode",       {},                   F::False,       E::Records,   DXHandler<&T::parentNode>},
      {"nextNode",         {},                   F::None,        E::Records,   DXHandler<&T::nextNode>},
      {"pathNode",         {kNodePath},          F::False,       E::Records,   DXHandler<&T::pathNode>},
      {"getText",          {},                   F::EmptyString, E::Records,   DXHandler<&T::getText>},
      {"getTextAttr",      {kAttrName},          F::EmptyString, E::Records,   DXHandler<&T::getTextAttr>},
      {"getBoolAttr",      {kAttrName},          F::False,       E::Records,   DXHandler<&T::getBoolAttr>},
      {"getIntAttr",       {kAttrName},          F::Zero,        E::Records,   DXHandler<&T::getIntAttr>},
      {"getDoubleAttr",    {kAttrName},          F::ZeroFloat,   E::Records,   DXHandler<&T::getDoubleAttr>},
      {"testPL",           {kAttr},              F::None,        E::Untouched, DXHandler<&T::testPL>},
      {"testL",            {kAttr},              F::None,        E::Untouched, DXHandler<&T::testL>},
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
  void LoadDocument(const std::string& source, bool fromFile);
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
