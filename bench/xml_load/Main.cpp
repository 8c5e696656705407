// Load, save and memory of whole XML documents: our library against the peers, in one run.
//
//   xml_load_bench [--records-mb N] [--runs N] [FILE...]
//
// Inputs: every FILE given, else freedesktop.org.xml of the shared MIME database, plus a
// generated record-style document of N MB (default 50). For each input and engine: the best
// load time of the runs, the best time to drop the loaded tree, the best save time, and the peak
// memory growth of a load measured in a child process, per input byte. Ratios are to our text
// load.
//
// Times are the CPU time of the benchmark's thread, not the wall clock: on a machine shared with
// other work, time spent waiting for a core would otherwise decide which run is best. Every
// engine loads into an empty tree, so a load's time does not include dropping the last tree;
// that is timed on its own, and the load plus the drop is what replacing a document costs.

#include <malloc.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Engine.h"
#include "common/RecordDocument.h"

namespace {

struct TInput {
  std::string Name;
  std::string Text;
};

struct TFigures {
  double LoadSeconds = 0, ClearSeconds = 0, SaveSeconds = 0, PeakBytesPerInputByte = 0;
};

long StatusField(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field)) * 1024;
  return 0;
}

double ThreadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The best time of work over the runs; prepare runs before each, untimed.
template <class Prepare, class Work>
double BestSeconds(int runs, Prepare prepare, Work work) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const double start = ThreadSeconds();
    work();
    best = std::min(best, ThreadSeconds() - start);
  }
  return best;
}

// Peak resident growth of one load, measured in a child so that nothing else the benchmark
// holds or has freed is counted.
std::vector<std::unique_ptr<TEngine>> AllEngines(const std::string& text) {
  auto engines = MakeOwnEngines(text);
  for (auto& peer : MakePeerEngines()) engines.push_back(std::move(peer));
  return engines;
}

// The child makes a fresh engine: pools that a used one keeps would hide the growth.
double PeakPerByte(std::size_t engineIndex, const std::string& text) {
  int channel[2];
  if (pipe(channel) != 0) return 0;
  const pid_t child = fork();
  if (child == 0) {
    // Give back what earlier runs freed, so that reused memory is not mistaken for none.
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    auto engines = AllEngines(text);
    const long before = StatusField("VmRSS:");
    engines[engineIndex]->Load(text);
    const long peak = StatusField("VmHWM:");
    const double perByte = double(peak - before) / double(text.size());
    (void)!write(channel[1], &perByte, sizeof perByte);
    _exit(0);
  }
  close(channel[1]);
  double perByte = 0;
  (void)!read(channel[0], &perByte, sizeof perByte);
  close(channel[0]);
  waitpid(child, nullptr, 0);
  return perByte;
}

TFigures Measure(TEngine& engine, const std::string& text, int runs) {
  TFigures figures;
  figures.LoadSeconds = BestSeconds(
      runs, [&] { engine.Clear(); }, [&] { engine.Load(text); });
  figures.ClearSeconds = BestSeconds(
      runs, [&] { engine.Load(text); }, [&] { engine.Clear(); });
  engine.Load(text);
  figures.SaveSeconds = BestSeconds(
      runs, [] {}, [&] { engine.Save(); });
  engine.Clear();
  return figures;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void Report(const TInput& input, int runs) {
  std::printf("\n%s: %.1f MB, best of %d runs\n", input.Name.c_str(),
              double(input.Text.size()) / 1e6, runs);
  std::printf("  %-18s %9s %8s %9s %9s %9s %9s %9s\n", "engine", "load ms", "MB/s", "x ours",
              "drop ms", "save ms", "x ours", "peak B/B");
  auto engines = AllEngines(input.Text);
  const std::size_t own = MakeOwnEngines(input.Text).size();
  // Peaks first, while no engine has loaded anything in this process: memory that an allocator
  // keeps for reuse once it has been used would be inherited by the child and hide the growth.
  std::vector<double> peaks;
  for (std::size_t i = 0; i < engines.size(); ++i) peaks.push_back(PeakPerByte(i, input.Text));
  double ownLoad = 0, ownSave = 0;
  for (std::size_t i = 0; i < engines.size(); ++i) {
    TFigures f = Measure(*engines[i], input.Text, runs);
    f.PeakBytesPerInputByte = peaks[i];
    if (i == 0 && own > 0) {
      ownLoad = f.LoadSeconds;
      ownSave = f.SaveSeconds;
    }
    const bool saves = f.SaveSeconds > 1e-6;
    std::printf("  %-18s %9.2f %8.1f %9.2f %9.2f %9.2f %9.2f %9.2f\n", engines[i]->Name().c_str(),
                f.LoadSeconds * 1e3, double(input.Text.size()) / 1e6 / f.LoadSeconds,
                ownLoad > 0 ? f.LoadSeconds / ownLoad : 0.0, f.ClearSeconds * 1e3,
                f.SaveSeconds * 1e3, ownSave > 0 && saves ? f.SaveSeconds / ownSave : 0.0,
                f.PeakBytesPerInputByte);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t recordsMb = 50;
  int runs = 5;
  std::vector<TInput> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--records-mb" && i + 1 < argc)
      recordsMb = std::strtoul(argv[++i], nullptr, 10);
    else if (arg == "--runs" && i + 1 < argc)
      runs = std::atoi(argv[++i]);
    else
      inputs.push_back({arg, ReadFile(arg)});
  }
  if (inputs.empty()) {
    const char* mime = "/usr/share/mime/packages/freedesktop.org.xml";
    inputs.push_back({"freedesktop.org.xml", ReadFile(mime)});
  }
  if (recordsMb > 0)
    inputs.push_back(
        {"generated records", testing_support::GenerateRecordDocument(recordsMb * 1000 * 1000)});
  std::printf(
      "Times are thread CPU time. 'x ours': load (save) time relative to our text load (our\n"
      "save), above 1 = slower than us. 'drop ms': emptying the loaded tree, not in 'load ms'.\n");
  for (const TInput& input : inputs) Report(input, runs);
}
