#pragma once

// The script tasks, each in two forms: the Lingo script a Director developer writes, run by
// xtra-host's interpreter, and the same calls made straight through the host with prepared
// arguments (the module's share of the work without the interpreter's). Both must meet the
// same records and read the same bytes; so must the library's own walk that does the reads of
// tasks a to c directly, the floor the others are measured against.
//
//   a  repeat with i = 1 to x.nodeCount("record") / x.selectNode("record", i), two attributes,
//      x.pathNode("name") and its text, x.parentNode() twice
//   b  the same through repeat with i = 1 to x.childCount() / x.selectChild(i)
//   c  the same along x.nextNode(), from x.selectChild(1) while x.getNodeName() <> EMPTY
//   d  inside each wide record: x.nodeCount("last") and x.selectSingleNode("last"), the last
//      of 50 children, and its text
//   e  x.getXML() of each record, then x.getText() of the document element once

#include <span>
#include <string>
#include <vector>

#include "XmlDom/XmlDom.h"
#include "host/XtraHost.h"

// What a task met: records, the sum of the integers and the bytes of the strings it read.
struct TTaskAnswer {
  long Records = 0;
  long long Sum = 0;
  long long Bytes = 0;
  bool operator==(const TTaskAnswer&) const = default;
};

struct TTask {
  char Letter;
  const char* What;
  bool Wide;           // runs on the wide records
  const char* Script;  // Lingo over the instance x, which holds the document loaded
};

const std::vector<TTask>& ScriptTasks();

// The tasks through prepared calls on an instance that holds the document loaded.
class TTaskCalls {
 public:
  TTaskCalls(dxhost::TXtraHost& host, const dxhost::TXtraInstance& parser);
  TTaskAnswer Run(char task);

 private:
  enum TMethod {
    kStartXML,
    kNodeCount,
    kSelectNode,
    kChildCount,
    kSelectChild,
    kParentNode,
    kNextNode,
    kPathNode,
    kGetNodeName,
    kGetIntAttr,
    kGetTextAttr,
    kGetText,
    kGetXML,
    kSelectSingleNode
  };
  static constexpr const char* kMethods[] = {
      "startXML",    "nodeCount", "selectNode", "childCount",      "selectChild",
      "parentNode",  "nextNode",  "pathNode",   "getNodeName",     "getIntAttr",
      "getTextAttr", "getText",   "getXML",     "selectSingleNode"};

  dxhost::THostValue Call(TMethod method, std::span<const dxhost::THostValue> args = {});
  MoaLong Integer(const dxhost::THostValue& value);
  long long Length(const dxhost::THostValue& value);

  // The reads of tasks a to c, from a record back to it.
  void ReadRecord(TTaskAnswer& answer);
  TTaskAnswer IndexLoop();
  TTaskAnswer ChildLoop();
  TTaskAnswer SiblingWalk();
  TTaskAnswer NamedLookups();
  TTaskAnswer WholeXml();

  dxhost::TXtraHost& host_;
  const dxhost::TXtraInstance& parser_;
  const dxhost::THostValue record_, qty_, code_, name_, last_;
  std::vector<MoaLong> selectors_;  // by TMethod
};

// The reads of tasks a to c, done on the library directly.
TTaskAnswer DirectReads(xmldom::IXmlDocument& document);
