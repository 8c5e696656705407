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

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "XmlDom/XmlDom.h"
#include "common/RecordDocument.h"
#include "host/XtraHost.h"

using namespace xmldom;

namespace {

// What a walk met: it must be the same both ways.
struct TWalkSummary {
  long Nodes = 0;
  long Calls = 0;
  std::size_t NameBytes = 0;
  std::size_t IdBytes = 0;

  bool operator==(const TWalkSummary& other) const {
    return Nodes == other.Nodes && NameBytes == other.NameBytes && IdBytes == other.IdBytes;
  }
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

class TLingoWalker {
 public:
  TLingoWalker(dxhost::TXtraHost& host, const dxhost::TXtraInstance& parser)
      : host_(host),
        parser_(parser),
        id_(host.Values().String("id")),
        one_(host.Values().Integer(1)) {
    const dxhost::TScriptClass& c = *parser.Class();
    getNodeName_ = c.Selector("getNodeName");
    getTextAttr_ = c.Selector("getTextAttr");
    childCount_ = c.Selector("childCount");
    selectChild_ = c.Selector("selectChild");
    nextNode_ = c.Selector("nextNode");
    parentNode_ = c.Selector("parentNode");
  }

  TWalkSummary Walk() {
    summary_ = {};
    Visit();
    return summary_;
  }

 private:
  dxhost::THostValue Call(MoaLong selector, std::span<const dxhost::THostValue> args = {}) {
    ++summary_.Calls;
    return host_.Call(parser_, selector, args);
  }
  std::size_t StringLength(const dxhost::THostValue& value) {
    const dxhost::THostBox* box = host_.Values().Find(value.Raw(), kMoaValueString);
    return box ? box->Text.size() : 0;
  }
  MoaLong Integer(const dxhost::THostValue& value) {
    const dxhost::THostBox* box = host_.Values().Find(value.Raw(), kMoaValueInteger);
    return box ? box->Integer : 0;
  }

  void Visit() {
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

  dxhost::TXtraHost& host_;
  const dxhost::TXtraInstance& parser_;
  const dxhost::THostValue id_, one_;
  MoaLong getNodeName_, getTextAttr_, childCount_, selectChild_, nextNode_, parentNode_;
  TWalkSummary summary_;
};

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
    const double start = CpuSeconds();
    run();
    best = std::min(best, CpuSeconds() - start);
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
