#include "LingoWalk.h"

#include <time.h>

TLingoWalker::TLingoWalker(dxhost::TXtraHost& host, const dxhost::TXtraInstance& parser)
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

TWalkSummary TLingoWalker::Walk() {
  summary_ = {};
  Visit();
  return summary_;
}

dxhost::THostValue TLingoWalker::Call(MoaLong selector, std::span<const dxhost::THostValue> args) {
  ++summary_.Calls;
  return host_.Call(parser_, selector, args);
}

std::size_t TLingoWalker::StringLength(const dxhost::THostValue& value) {
  const dxhost::THostBox* box = host_.Values().Find(value.Raw(), kMoaValueString);
  return box ? box->Text.size() : 0;
}

MoaLong TLingoWalker::Integer(const dxhost::THostValue& value) {
  const dxhost::THostBox* box = host_.Values().Find(value.Raw(), kMoaValueInteger);
  return box ? box->Integer : 0;
}

void TLingoWalker::Visit() {
  ++summary_.Nodes;
  summary_.NameBytes += StringLength(Call(getNodeName_));
  summary_.IdBytes += StringLength(Call(getTextAttr_, {&id_, 1}));
  const MoaLong children = Integer(Call(childCount_));
  if (children == 0) return;
  Call(selectChild_, {&one_, 1});
  Visit();
  for (MoaLong i = 1; i < children; ++i) {
    Call(nextNode_);
    Visit();
  }
  Call(parentNode_);
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}
