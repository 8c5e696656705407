// A loaded record-style document walked to every node through Lingo calls on our host, the
// way a script walks it:
//
//   visit: getNodeName(), getTextAttr("id"), childCount();
//          selectChild(1), visit, then nextNode() and visit for each further child;
//          parentNode()
//
// and the same walk done directly on the XML library (the child list by index), on a document
// loaded the same way. Reports the Lingo calls per second and the ratio of the two times.
//
//   lingo_walk_bench [--megabytes N] [--runs N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "LingoWalk.h"
#include "XmlDom/XmlDom.h"
#include "common/RecordDocument.h"
#include "host/XtraHost.h"

using namespace xmldom;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void LibraryVisit(IXmlNode& node, TWalkSummary& summary) {
  ++summary.Nodes;
  summary.NameBytes += node.GetNodeName().size();
  summary.IdBytes += node.GetTextAttr("id", {}).size();
  const Ref<IXmlNodeList> children = node.GetChildNodes();
  for (int i = 0; i < children->GetCount(); ++i) LibraryVisit(*children->GetItem(i), summary);
}

template <class TRun>
double Best(int runs, TRun run) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const double start = ThreadCpuSeconds();
    run();
    best = std::min(best, ThreadCpuSeconds() - start);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t megabytes = 50;
  int runs = 3;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--megabytes") == 0) megabytes = std::size_t(std::atol(argv[i + 1]));
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
  }

  const std::string file =
      (std::filesystem::temp_directory_path() / "zelxml-lingo-walk.xml").string();
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << testing_support::GenerateRecordDocument(megabytes << 20);
  }
  std::printf("record document of %zu MB (%s)\n", megabytes, file.c_str());

  dxhost::TXtraHost host;
  if (!host.Load(LINGO_WALK_MODULE) || host.Register() != kMoaOk) {
    std::fprintf(stderr, "lingo_walk_bench: %s\n", host.LastError().c_str());
    return 1;
  }
  int status = 0;
  {
    dxhost::TXtraInstance parser = host.New("zelXMLParser");
    auto start = std::chrono::steady_clock::now();
    const std::string loaded =
        host.Text(host.Call(parser, "loadFromFile", {host.Values().String(file)}));
    const double lingoLoad = Seconds(start);
    if (loaded != "1") {
      std::fprintf(stderr, "lingo_walk_bench: loadFromFile answered %s\n", loaded.c_str());
      return 1;
    }
    const Ref<IXmlDocument> document = MakeXmlDocument({}, "1.0", {}, nullptr);
    start = std::chrono::steady_clock::now();
    document->Load(file);
    const double libraryLoad = Seconds(start);

    TLingoWalker walker(host, parser);
    TWalkSummary lingo, library;
    const double lingoSeconds = Best(runs, [&] {
      host.Call(parser, "startXML");
      lingo = walker.Walk();
    });
    const double librarySeconds = Best(runs, [&] {
      library = {};
      LibraryVisit(*document->GetDocumentElement(), library);
    });
    if (!(lingo == library)) {
      std::fprintf(stderr, "lingo_walk_bench: the walks differ (%ld and %ld nodes)\n", lingo.Nodes,
                   library.Nodes);
      status = 1;
    }
    std::printf("load: loadFromFile %.2f s, the library's Load %.2f s\n", lingoLoad, libraryLoad);
    std::printf("walk of %ld nodes, best of %d (processor time):\n", lingo.Nodes, runs);
    std::printf("  Lingo calls       %.3f s  %ld calls  %.2f million calls/s  %.0f ns/call\n",
                lingoSeconds, lingo.Calls, double(lingo.Calls) / lingoSeconds / 1e6,
                lingoSeconds / double(lingo.Calls) * 1e9);
    std::printf("  library directly  %.3f s  %.0f ns/node\n", librarySeconds,
                librarySeconds / double(library.Nodes) * 1e9);
    std::printf("  ratio             %.1f (Lingo walk time / direct walk time)\n",
                lingoSeconds / librarySeconds);
  }
  std::filesystem::remove(file);
  if (host.LiveValues() != 0 || !host.ModuleCanUnload()) {
    std::fprintf(stderr, "lingo_walk_bench: the module kept host values or objects\n");
    status = 1;
  }
  return status;
}
