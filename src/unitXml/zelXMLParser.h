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
#include <span>
#include <string>

#include "DXClasses/DXScript.h"
#include "XmlDom/XmlDocument.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "unitXml/CursorPlaces.h"

class TzelXMLParser final : public TDXScript {
 public:
  // The 25 Lingo methods, in the order that gives the host its selectors (new 0, forget 1,
  // xtraVersion 2 ... testL 26).
  static void DeclareFunctions(TDXScriptInfo& info);

  TzelXMLParser() = default;

 protected:
  std::span<const TDXPublishedMethod> PublishedMethods() const override;

 private:
  // ---- Error state.
  void errorMsg(IDXArgList& args, IDXValue& result, bool& handled);
  void isNoError(IDXArgList& args, IDXValue& result, bool& handled);
  void errorDialog(IDXArgList& args, IDXValue& result, bool& handled);
  void errorLog(IDXArgList& args, IDXValue& result, bool& handled);
  void xtraVersion(IDXArgList& args, IDXValue& result, bool& handled);

  // ---- Loading and content.
  void loadFromFile(IDXArgList& args, IDXValue& result, bool& handled);
  void loadFromText(IDXArgList& args, IDXValue& result, bool& handled);
  void startXML(IDXArgList& args, IDXValue& result, bool& handled);
  void getNodeName(IDXArgList& args, IDXValue& result, bool& handled);
  void getXML(IDXArgList& args, IDXValue& result, bool& handled);
  void getText(IDXArgList& args, IDXValue& result, bool& handled);

  // ---- Navigation and selection.
  void selectSingleNode(IDXArgList& args, IDXValue& result, bool& handled);
  void nodeCount(IDXArgList& args, IDXValue& result, bool& handled);
  void selectNode(IDXArgList& args, IDXValue& result, bool& handled);
  void childCount(IDXArgList& args, IDXValue& result, bool& handled);
  void selectChild(IDXArgList& args, IDXValue& result, bool& handled);
  void parentNode(IDXArgList& args, IDXValue& result, bool& handled);
  void nextNode(IDXArgList& args, IDXValue& result, bool& handled);
  void pathNode(IDXArgList& args, IDXValue& result, bool& handled);

  // ---- Attributes and the list pass-through.
  void getTextAttr(IDXArgList& args, IDXValue& result, bool& handled);
  void getBoolAttr(IDXArgList& args, IDXValue& result, bool& handled);
  void getIntAttr(IDXArgList& args, IDXValue& result, bool& handled);
  void getDoubleAttr(IDXArgList& args, IDXValue& result, bool& handled);
  void testPL(IDXArgList& args, IDXValue& result, bool& handled);
  void testL(IDXArgList& args, IDXValue& result, bool& handled);

  // Runs a method's work inside the error capture: whatever it raises is recorded and goes
  // no further. The result keeps what the method had set when the failure arose.
  template <class TWork>
  void Guarded(TWork&& work);
  // The failure's message becomes the error state; then the box and the log entry, as
  // switched on, in that order.
  void RecordError(const std::string& message);

  // The loads' shared steps: a fresh document replaces the old one before anything is read.
  void LoadDocument(IDXArgList& args, IDXValue& result, bool fromFile);
  // Raise the failure of a method that needs what the instance does not have.
  xmldom::IXmlNode& RequireCurrentNode() const;
  xmldom::IXmlDocument& RequireDocument() const;
  // Cursor moves. index is the new node's place among its parent's children when the caller
  // knows it (-1 otherwise), so that nextNode need not look for it.
  void JumpTo(Ref<xmldom::IXmlNode> node);
  void MoveDown(Ref<xmldom::IXmlNode> child, int index = -1);
  void MoveUp(Ref<xmldom::IXmlNode> parent);
  // The node after the current one, with its place in index when known (else -1).
  Ref<xmldom::IXmlNode> NextSiblingOfCurrent(int& index);

  Ref<xmldom::IXmlDocument> Document;
  Ref<xmldom::IXmlNode> CurrentNode;
  std::string ErrorText;
  std::string LogFileName;
  bool DialogOn = false;
  bool LogOn = false;
  TCursorPlaces places_;
};

template <class TWork>
void TzelXMLParser::Guarded(TWork&& work) {
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
