#include "LingoTasks.h"

const std::vector<TTask>& ScriptTasks() {
  static const std::vector<TTask> tasks = {
      {'a', "nodeCount, selectNode(name, i)", false, R"(x.startXML()
n = 0
sum = 0
bytes = 0
repeat with i = 1 to x.nodeCount("record")
  x.selectNode("record", i)
  sum = sum + x.getIntAttr("qty")
  bytes = bytes + length(x.getTextAttr("code"))
  x.pathNode("name")
  bytes = bytes + length(x.getText())
  x.parentNode()
  x.parentNode()
  n = n + 1
end repeat
)"},
      {'b', "childCount, selectChild(i)", false, R"(x.startXML()
n = 0
sum = 0
bytes = 0
repeat with i = 1 to x.childCount()
  x.selectChild(i)
  sum = sum + x.getIntAttr("qty")
  bytes = bytes + length(x.getTextAttr("code"))
  x.pathNode("name")
  bytes = bytes + length(x.getText())
  x.parentNode()
  x.parentNode()
  n = n + 1
end repeat
)"},
      {'c', "nextNode", false, R"(x.startXML()
n = 0
sum = 0
bytes = 0
x.selectChild(1)
repeat while x.getNodeName() <> EMPTY
  sum = sum + x.getIntAttr("qty")
  bytes = bytes + length(x.getTextAttr("code"))
  x.pathNode("name")
  bytes = bytes + length(x.getText())
  x.parentNode()
  x.nextNode()
  n = n + 1
end repeat
)"},
      {'d', "nodeCount, selectSingleNode of the 50th", true, R"(x.startXML()
n = 0
sum = 0
bytes = 0
x.selectChild(1)
repeat while x.getNodeName() <> EMPTY
  sum = sum + x.nodeCount("last")
  x.selectSingleNode("last")
  bytes = bytes + length(x.getText())
  x.parentNode()
  x.nextNode()
  n = n + 1
end repeat
)"},
      {'e', "getXML of each, getText once", false, R"(x.startXML()
n = 0
sum = 0
bytes = 0
x.selectChild(1)
repeat while x.getNodeName() <> EMPTY
  bytes = bytes + length(x.getXML())
  x.nextNode()
  n = n + 1
end repeat
x.startXML()
bytes = bytes + length(x.getText())
)"},
  };
  return tasks;
}

TTaskCalls::TTaskCalls(dxhost::TXtraHost& host, const dxhost::TXtraInstance& parser)
    : host_(host),
      parser_(parser),
      record_(host.Values().String("record")),
      qty_(host.Values().String("qty")),
      code_(host.Values().String("code")),
      name_(host.Values().String("name")),
      last_(host.Values().String("last")) {
  // Looked up once, as a host that compiled the script would.
  const dxhost::TScriptClass& methods = *parser.Class();
  for (const char* method : kMethods) selectors_.push_back(methods.Selector(method));
}

TTaskAnswer TTaskCalls::Run(char task) {
  switch (task) {
    case 'a':
      return IndexLoop();
    case 'b':
      return ChildLoop();
    case 'c':
      return SiblingWalk();
    case 'd':
      return NamedLookups();
    default:
      return WholeXml();
  }
}

dxhost::THostValue TTaskCalls::Call(TMethod method, std::span<const dxhost::THostValue> args) {
  return host_.Call(parser_, selectors_[method], args);
}

MoaLong TTaskCalls::Integer(const dxhost::THostValue& value) {
  const dxhost::THostBox* box = host_.Values().Find(value.Raw(), kMoaValueInteger);
  return box ? box->Integer : 0;
}

long long TTaskCalls::Length(const dxhost::THostValue& value) {
  const dxhost::THostBox* box = host_.Values().Find(value.Raw(), kMoaValueString);
  return box ? static_cast<long long>(box->Text.size()) : 0;
}

void TTaskCalls::ReadRecord(TTaskAnswer& answer) {
  answer.Sum += Integer(Call(kGetIntAttr, {&qty_, 1}));
  answer.Bytes += Length(Call(kGetTextAttr, {&code_, 1}));
  Call(kPathNode, {&name_, 1});
  answer.Bytes += Length(Call(kGetText));
  Call(kParentNode);
  ++answer.Records;
}

TTaskAnswer TTaskCalls::IndexLoop() {
  TTaskAnswer answer;
  Call(kStartXML);
  const MoaLong count = Integer(Call(kNodeCount, {&record_, 1}));
  for (MoaLong i = 1; i <= count; ++i) {
    const dxhost::THostValue args[] = {record_, host_.Values().Integer(i)};
    Call(kSelectNode, args);
    ReadRecord(answer);
    Call(kParentNode);
  }
  return answer;
}

TTaskAnswer TTaskCalls::ChildLoop() {
  TTaskAnswer answer;
  Call(kStartXML);
  const MoaLong count = Integer(Call(kChildCount));
  for (MoaLong i = 1; i <= count; ++i) {
    const dxhost::THostValue item = host_.Values().Integer(i);
    Call(kSelectChild, {&item, 1});
    ReadRecord(answer);
    Call(kParentNode);
  }
  return answer;
}

TTaskAnswer TTaskCalls::SiblingWalk() {
  TTaskAnswer answer;
  Call(kStartXML);
  const dxhost::THostValue one = host_.Values().Integer(1);
  Call(kSelectChild, {&one, 1});
  while (Length(Call(kGetNodeName)) != 0) {
    ReadRecord(answer);
    Call(kNextNode);
  }
  return answer;
}

TTaskAnswer TTaskCalls::NamedLookups() {
  TTaskAnswer answer;
  Call(kStartXML);
  const dxhost::THostValue one = host_.Values().Integer(1);
  Call(kSelectChild, {&one, 1});
  while (Length(Call(kGetNodeName)) != 0) {
    answer.Sum += Integer(Call(kNodeCount, {&last_, 1}));
    Call(kSelectSingleNode, {&last_, 1});
    answer.Bytes += Length(Call(kGetText));
    Call(kParentNode);
    Call(kNextNode);
    ++answer.Records;
  }
  return answer;
}

TTaskAnswer TTaskCalls::WholeXml() {
  TTaskAnswer answer;
  Call(kStartXML);
  const dxhost::THostValue one = host_.Values().Integer(1);
  Call(kSelectChild, {&one, 1});
  while (Length(Call(kGetNodeName)) != 0) {
    answer.Bytes += Length(Call(kGetXML));
    Call(kNextNode);
    ++answer.Records;
  }
  Call(kStartXML);
  answer.Bytes += Length(Call(kGetText));
  return answer;
}

TTaskAnswer DirectReads(xmldom::IXmlDocument& document) {
  TTaskAnswer answer;
  const Ref<xmldom::IXmlNodeList> records = document.GetDocumentElement()->GetChildNodes();
  for (int i = 0; i < records->GetCount(); ++i) {
    const Ref<xmldom::IXmlNode> record = records->GetItem(i);
    answer.Sum += record->GetIntAttr("qty", 0);
    answer.Bytes += static_cast<long long>(record->GetTextAttr("code", "").size());
    answer.Bytes += static_cast<long long>(record->GetNamedChildText("name", "").size());
    ++answer.Records;
  }
  return answer;
}
