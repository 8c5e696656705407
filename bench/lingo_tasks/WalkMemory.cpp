#include "WalkMemory.h"

#include <cstdio>

#include "LingoWalk.h"
#include "host/XtraHost.h"
#include "platform/ProcessMemory.h"

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
  const TWalkSummary walk = TLingoWalker(host, parser).Walk();
  memory.AfterWalk = platform::ResidentMemoryBytes();
  memory.Nodes = walk.Nodes;
  return true;
}
