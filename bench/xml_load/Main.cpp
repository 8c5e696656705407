// Load, save and memory of whole XML documents: our library against the peers, in one run.
//
//   xml_load_bench [--records-mb N] [--runs N] [--cold-runs N] [FILE...]
//
// Inputs: every FILE given, else freedesktop.org.xml of the shared MIME database, plus a
// generated record-style document of N MB (default 50), written to a temporary file for the
// cold loads. Our binary engine reads the binary form of the same document. For each input and
// engine:
//   load  the best warm load from memory over the runs, every engine's freed memory kept by the
//         allocator (Regime.cpp);
//   cold  the best over the cold runs of the first load in a fresh process, from the file on
//         disk to a complete tree, reading the file included (ChildRuns.h);
//   drop  the best time to drop the loaded tree; save the best time to write it as text;
//   peak  resident memory growth of one load, in a fresh process, per input byte.
// Then the ratios that our targets are stated in. The runs go round the engines in turn, so
// that a slow stretch of a shared machine is shared by all of them.
//
// Times are the CPU time of the measuring thread, not the wall clock: on a machine shared with
// other work, time spent waiting for a core would otherwise decide which run is best. Every
// engine loads into an empty tree, so a load's time does not include dropping the last tree;
// that is timed on its own, and the load plus the drop is what replacing a document costs.

#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildRuns.h"
#include "Engine.h"
#include "common/RecordDocument.h"

namespace {

struct TInput {
  std::string Name;
  std::string Text, TextPath;
  std::string Binary, BinaryPath;  // our binary form, when our library is linked
};

struct TFigures {
  double LoadMs = 0, ColdMs = 0, DropMs = 0, SaveMs = 0, PeakPerByte = 0;
};

struct TOptions {
  std::size_t RecordsMb = 50;
  int Runs = 7;
  int ColdRuns = 5;
};

double ThreadMilliseconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

// The time of work.
template <class Work>
double TimedMs(Work work) {
  const double start = ThreadMilliseconds();
  work();
  return ThreadMilliseconds() - start;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary).write(content.data(), std::streamsize(content.size()));
}

const std::string& ContentFor(const TEngine& engine, const TInput& input) {
  return engine.ReadsBinary() ? input.Binary : input.Text;
}

const std::string& PathFor(const TEngine& engine, const TInput& input) {
  return engine.ReadsBinary() ? input.BinaryPath : input.TextPath;
}

void KeepBest(double& best, double value) {
  if (value >= 0 && (best < 0 || value < best)) best = value;
}

// Every figure is the best of its runs, and the runs go round the engines in turn: a stretch
// of time when the machine runs slow then falls on every engine alike, not on one of them.
std::vector<TFigures> MeasureAll(const std::vector<TEngine*>& engines, const TInput& input,
                                 const TOptions& options) {
  std::vector<TFigures> figures(engines.size(), TFigures{-1, -1, -1, -1, -1});
  for (int run = 0; run < options.Runs; ++run)
    for (std::size_t i = 0; i < engines.size(); ++i) {
      TEngine& engine = *engines[i];
      const std::string& content = ContentFor(engine, input);
      KeepBest(figures[i].LoadMs, TimedMs([&] { engine.Load(content); }));
      KeepBest(figures[i].DropMs, TimedMs([&] { engine.Clear(); }));
      engine.Load(content);
      KeepBest(figures[i].SaveMs, TimedMs([&] { engine.Save(); }));
      engine.Clear();
    }
  for (int run = 0; run < options.ColdRuns; ++run)
    for (std::size_t i = 0; i < engines.size(); ++i)
      KeepBest(figures[i].ColdMs,
               MeasureInChild("cold", engines[i]->Name(), PathFor(*engines[i], input)));
  for (std::size_t i = 0; i < engines.size(); ++i)
    figures[i].PeakPerByte =
        MeasureInChild("peak", engines[i]->Name(), PathFor(*engines[i], input));
  return figures;
}

double Ratio(double a, double b) {
  return a > 0 && b > 0 ? a / b : 0.0;
}

void PrintTarget(const char* what, double value, const char* sense, double must, double goal) {
  const bool low = sense[0] == '<';
  const bool mustHolds = value > 0 && (low ? value <= must : value >= must);
  const bool goalHolds = value > 0 && (low ? value <= goal : value >= goal);
  std::printf("  %-44s %6.2f   must %s %.2f: %-3s  goal %s %.2f: %s\n", what, value, sense, must,
              mustHolds ? "yes" : "NO", sense, goal, goalHolds ? "yes" : "no");
}

// Our targets, as ratios of this run: first text and binary engine are ours, pugixml the peer.
void PrintTargets(const std::vector<std::string>& names, const std::vector<TFigures>& figures) {
  const auto find = [&](const std::string& name) -> const TFigures* {
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return &figures[i];
    return nullptr;
  };
  const TFigures* text = find("zelXML text");
  const TFigures* binary = find("zelXML binary");
  const TFigures* pugi = find("pugixml");
  if (!text || !binary || !pugi) return;
  std::printf("  targets:\n");
  PrintTarget("text load warm, speed vs pugixml", Ratio(pugi->LoadMs, text->LoadMs), ">=", 0.8,
              1.0);
  PrintTarget("text load cold from file, time vs pugixml", Ratio(text->ColdMs, pugi->ColdMs),
              "<=", 1.0, 0.8);
  PrintTarget("binary load warm, speed vs our text load", Ratio(text->LoadMs, binary->LoadMs),
              ">=", 3.0, 4.0);
  PrintTarget("dropping the tree, time vs our text load", Ratio(text->DropMs, text->LoadMs),
              "<=", 0.25, 0.10);
  PrintTarget("peak bytes per input byte vs pugixml", Ratio(text->PeakPerByte, pugi->PeakPerByte),
              "<=", 1.2, 1.0);
}

void Report(const TInput& input, const TOptions& options) {
  std::printf("\n%s: %.1f MB; warm best of %d, cold best of %d\n", input.Name.c_str(),
              double(input.Text.size()) / 1e6, options.Runs, options.ColdRuns);
  std::printf("  %-16s %9s %8s %7s %9s %7s %8s %8s %7s %8s\n", "engine", "load ms", "MB/s",
              "x ours", "cold ms", "x ours", "drop ms", "save ms", "x ours", "peak B/B");
  std::vector<std::unique_ptr<TEngine>> owned = MakeAllEngines();
  std::vector<TEngine*> engines;
  std::vector<std::string> names;
  for (auto& engine : owned) {
    if (engine->ReadsBinary() && input.Binary.empty()) continue;
    engines.push_back(engine.get());
    names.push_back(engine->Name());
  }
  const std::vector<TFigures> all = MeasureAll(engines, input, options);
  for (std::size_t i = 0; i < all.size(); ++i) {
    const TFigures& f = all[i];
    // Ratios are to our text engine, which comes first when our library is linked.
    const TFigures& ours = all.front();
    std::printf("  %-16s %9.2f %8.1f %7.2f %9.1f %7.2f %8.2f %8.2f %7.2f %8.2f\n", names[i].c_str(),
                f.LoadMs, double(input.Text.size()) / 1e3 / f.LoadMs, Ratio(f.LoadMs, ours.LoadMs),
                f.ColdMs, Ratio(f.ColdMs, ours.ColdMs), f.DropMs, f.SaveMs,
                f.SaveMs > 1e-3 ? Ratio(f.SaveMs, ours.SaveMs) : 0.0, f.PeakPerByte);
  }
  PrintTargets(names, all);
}

std::string MakeTemporaryFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/zel-xml-load-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  return pattern;
}

void AddBinaryForm(TInput& input, const std::string& folder) {
  input.Binary = MakeOwnBinaryForm(input.Text);
  if (input.Binary.empty()) return;
  input.BinaryPath = folder + "/" + std::filesystem::path(input.Name).filename().string() + ".bin";
  WriteFile(input.BinaryPath, input.Binary);
}

}  // namespace

namespace {

constexpr const char* kUsage =
    "usage: xml_load_bench [--records-mb N] [--runs N] [--cold-runs N] [FILE...]\n";

int Run(int argc, char** argv) {
  TOptions options;
  std::vector<TInput> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--records-mb" && i + 1 < argc)
      options.RecordsMb = std::strtoul(argv[++i], nullptr, 10);
    else if (arg == "--runs" && i + 1 < argc)
      options.Runs = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--cold-runs" && i + 1 < argc)
      options.ColdRuns = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--help" || arg == "-h")
      return std::fputs(kUsage, stdout), 0;
    else if (arg.size() > 1 && arg[0] == '-')
      return std::fprintf(stderr, "xml_load_bench: unknown option %s\n%s", arg.c_str(), kUsage), 2;
    else
      inputs.push_back({arg, ReadFile(arg), arg, {}, {}});
  }
  if (inputs.empty()) {
    const std::string mime = "/usr/share/mime/packages/freedesktop.org.xml";
    inputs.push_back({"freedesktop.org.xml", ReadFile(mime), mime, {}, {}});
  }
  const std::string folder = MakeTemporaryFolder();
  if (options.RecordsMb > 0) {
    TInput records{"generated records",
                   testing_support::GenerateRecordDocument(options.RecordsMb * 1000 * 1000),
                   folder + "/records.xml",
                   {},
                   {}};
    WriteFile(records.TextPath, records.Text);
    inputs.push_back(std::move(records));
  }
  for (TInput& input : inputs) AddBinaryForm(input, folder);

  double load[3] = {0, 0, 0};
  if (FILE* average = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(average, "%lf %lf %lf", &load[0], &load[1], &load[2]) != 3) load[0] = -1;
    std::fclose(average);
  }
  std::printf(
      "Times are thread CPU time; machine load %.2f %.2f %.2f when started.\n"
      "load: warm, from memory, freed memory kept for every engine. cold: first load from the\n"
      "file in a fresh process. drop: dropping the loaded tree. 'x ours': relative to our text\n"
      "engine (above 1 = slower than ours). peak: memory growth of a load per input byte.\n",
      load[0], load[1], load[2]);
  for (const TInput& input : inputs) Report(input, options);
  std::filesystem::remove_all(folder);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--child") return RunChild(argc, argv);
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "xml_load_bench: %s\n", error.what());
    return 1;
  }
}
