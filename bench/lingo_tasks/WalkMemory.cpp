#include "WalkMemory.h"

#include <cstdio>
#include <span>

#include "host/XtraHost.h"
#include "platform/ProcessMemory.h"

namespace {

class TWalker {
 public:
  TWalker(dxhost::TXtraHost& host, const dxhost::TXtraInstance& parser)
      : host_(host),
        parser_(parser),
        id_(host.Values().String("id")),
        one_(host.Values().Integer(1)),
        getNodeName_(parser.Class()->Selector("getNodeName")),
        getTextAttr_(parser.Class()->Selector("getTextAttr")),
        childCount_(parser.Class()->Selector("childCount")),
        selectChild_(parser.Class()->Selector("selectChild")),
        nextNode_(parser.Class()->Selector("nextNode")),
        parentNode_(parser.Class()->Selector("parentNode")) {}

  // The current node and everything below it; the cursor ends where it started.
  void Visit() {
    ++nodes_;
    host_.Call(parser_, getNodeName_);
    host_.Call(parser_, getTextAttr_, std::span(&id_, 1));
    const MoaLong children = Integer(host_.Call(parser_, childCount_));
    if (children == 0) return;
    host_.Call(parser_, selectChild_, std::span(&one_, 1));
    Visit();
    for (MoaLong i = 1; i < children; ++i) {
      host_.Call(parser_, nextNode_);
      Visit();
    }
    host_.Call(parser_, parentNode_);
  }
  long Nodes() const { return nodes_; }

 private:
  MoaLong Integer(const dxhost::THostValue& value) {
    const dxhost::THostBox* box = host_.Values().Find(value.Raw(), kMoaValueInteger);
    return box ? box->Integer : 0;
  }

  dxhost::TXtraHost& host_;
  const dxhost::TXtraInstance& parser_;
  const dxhost::THostValue id_, one_;
  const MoaLong getNodeName_, getTextAttr_, childCount_, selectChild_, nextNode_, parentNode_;
  long nodes_ = 0;
};

}  // namespace

bool MeasureWalkMemory(const std::string& module, const std::string& file, TWalkMemory& memory) {
  dxhost::TXtraHost host;
  if (!host.Load(module) || host.Register() != kMoaOk) {
    std::fprintf(stderr, "lingo_tasks_bench: %s\n", host.LastError().c_str());
    return false;
  }
  dxhost::TXtraInstance parser = host.New("zelXMLParser");
  if (host.Text(host.Call(parser, "loadFromFile", {host.Values().String(file)})) != "1") {
    std::fprintf(stderr, "lingo_tasks_bench: %s does not load\n", file.c_str());
    return false;
  }
  memory.AfterLoad = platform::ResidentMemoryBytes();
  TWalker walker(host, parser);
  walker.Visit();
  memory.AfterWalk = platform::ResidentMemoryBytes();
  memory.Nodes = walker.Nodes();
  return true;
}
