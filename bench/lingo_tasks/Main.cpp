// What scripts really do, timed per record at two document sizes: the five tasks of
// LingoTasks.h on generated record documents, each as a Lingo script run by xtra-host's
// interpreter and as the same calls made straight through our host, beside the library's own
// walk doing the reads of tasks a to c. A task whose work grows with the records alone takes
// the same time per record at both sizes: the ratio of the two is about 1. Before the tasks, the
// resident memory of a Lingo walk of the generated 50 MB record document.
//
//   lingo_tasks_bench [--records N,N] [--runs N] [--tasks abcde] [--scripts 0|1]
//                     [--megabytes N] [--module PATH]
//
// --scripts 0 leaves out the scripts (the calls alone), --megabytes 0 the memory figure;
// --module times another build of the module.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "LingoError.h"
#include "LingoSession.h"
#include "LingoSyntax.h"
#include "LingoTasks.h"
#include "LingoWalk.h"
#include "TaskDocuments.h"
#include "WalkMemory.h"
#include "common/RecordDocument.h"

using namespace xmldom;

namespace {

struct TOptions {
  std::vector<int> Records = {20000, 200000};
  int Runs = 5;
  std::string Tasks = "abcde";
  bool Scripts = true;
  std::size_t Megabytes = 50;
  std::string Module = LINGO_TASKS_MODULE;
};

TOptions ReadOptions(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i], value = argv[i + 1];
    if (name == "--records") {
      options.Records.clear();
      std::istringstream list(value);
      for (std::string count; std::getline(list, count, ',');)
        options.Records.push_back(std::max(1, std::atoi(count.c_str())));
    } else if (name == "--runs") {
      options.Runs = std::max(1, std::atoi(value.c_str()));
    } else if (name == "--tasks") {
      options.Tasks = value;
    } else if (name == "--scripts") {
      options.Scripts = value != "0";
    } else if (name == "--megabytes") {
      options.Megabytes = std::size_t(std::atol(value.c_str()));
    } else if (name == "--module") {
      options.Module = value;
    }
  }
  return options;
}

std::string WriteFile(const std::string& name, const std::string& text) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path;
}

// A script session with the instance x holding a document; the output of put is kept.
class TScriptRunner {
 public:
  TScriptRunner(dxhost::TXtraHost& host, const std::string& file)
      : session_(host, [this](std::string_view text) { output_ += text; }) {
    session_.Run("x = new(xtra \"zelXMLParser\")\nput x.loadFromFile(\"" + file + "\")");
    loaded_ = output_ == "-- 1\n";
  }
  bool Loaded() const { return loaded_; }

  TTaskAnswer Run(const lingo::TScript& script) {
    output_.clear();
    session_.Run(script);
    TTaskAnswer answer;
    std::sscanf(output_.c_str(), "-- %ld\n-- %lld\n-- %lld", &answer.Records, &answer.Sum,
                &answer.Bytes);
    return answer;
  }

 private:
  std::string output_;
  lingo::TLingoSession session_;
  bool loaded_ = false;
};

// Seconds per record of each task at one size, by way of running it.
struct TSizeFigures {
  std::map<char, double> Calls, Script;
  double Direct = 1e30;
};

// Everything one size needs, loaded once: the two documents as files, a script session and an
// instance holding each, and the library's own load of the records for the direct walk.
class TSize {
 public:
  TSize(dxhost::TXtraHost& host, int records)
      : records_(records),
        file_(WriteFile("zelxml-lingo-tasks-" + std::to_string(records) + ".xml",
                        RecordsDocument(records))),
        wideFile_(WriteFile("zelxml-lingo-tasks-wide-" + std::to_string(records) + ".xml",
                            WideRecordsDocument(records))),
        scripts_(host, file_),
        wideScripts_(host, wideFile_),
        parser_(host.New("zelXMLParser")),
        wide_(host.New("zelXMLParser")),
        calls_(host, parser_),
        wideCalls_(host, wide_) {
    loaded_ = scripts_.Loaded() && wideScripts_.Loaded() &&
              host.Text(host.Call(parser_, "loadFromFile", {host.Values().String(file_)})) == "1" &&
              host.Text(host.Call(wide_, "loadFromFile", {host.Values().String(wideFile_)})) == "1";
    document_->Load(file_);
  }
  ~TSize() {
    std::filesystem::remove(file_);
    std::filesystem::remove(wideFile_);
  }
  TSize(const TSize&) = delete;
  TSize& operator=(const TSize&) = delete;

  bool Loaded() const { return loaded_; }
  int Records() const { return records_; }
  TScriptRunner& Scripts(bool wide) { return wide ? wideScripts_ : scripts_; }
  TTaskCalls& Calls(bool wide) { return wide ? wideCalls_ : calls_; }
  IXmlDocument& Document() { return *document_; }

 private:
  const int records_;
  const std::string file_, wideFile_;
  TScriptRunner scripts_, wideScripts_;
  dxhost::TXtraInstance parser_, wide_;
  TTaskCalls calls_, wideCalls_;
  const Ref<IXmlDocument> document_ = MakeXmlDocument({}, "1.0", {}, nullptr);
  bool loaded_ = false;
};

// Runs every task at every size; each run goes round all tasks and sizes in turn, so that a
// slow stretch of a shared machine falls on all of them alike. Keeps the best time of each.
class TBench {
 public:
  explicit TBench(const TOptions& options) : options_(options) {}

  bool Run(std::vector<TSizeFigures>& figures) {
    dxhost::TXtraHost host;
    if (!host.Load(options_.Module) || host.Register() != kMoaOk) return Fail(host.LastError());
    bool done = true;
    {
      std::vector<std::unique_ptr<TSize>> sizes;
      for (int records : options_.Records) {
        sizes.push_back(std::make_unique<TSize>(host, records));
        if (!sizes.back()->Loaded()) return Fail("the documents do not load");
      }
      figures.assign(sizes.size(), {});
      std::vector<std::pair<const TTask*, lingo::TScript>> tasks;
      for (const TTask& task : ScriptTasks())
        if (options_.Tasks.find(task.Letter) != std::string::npos)
          tasks.emplace_back(
              &task, lingo::ParseScript(std::string(task.Script) + "put n\nput sum\nput bytes\n"));
      for (int run = 0; run < options_.Runs && done; ++run) {
        for (const auto& [task, script] : tasks)
          for (std::size_t i = 0; i < sizes.size() && done; ++i)
            done = RunTask(*task, script, i, *sizes[i], figures[i]);
        for (std::size_t i = 0; i < sizes.size() && done; ++i)
          done = RunDirect(i, *sizes[i], figures[i]);
      }
    }
    if (host.LiveValues() != 0 || !host.ModuleCanUnload())
      return Fail("the module kept host values or objects");
    return done;
  }

 private:
  bool RunTask(const TTask& task, const lingo::TScript& script, std::size_t sizeIndex, TSize& size,
               TSizeFigures& figures) {
    TTaskAnswer byCalls, byScript;
    Keep(figures.Calls, task.Letter,
         Time(size, byCalls, [&] { return size.Calls(task.Wide).Run(task.Letter); }));
    if (byCalls.Records != size.Records())
      return Fail(task, "meets " + std::to_string(byCalls.Records) + " of " +
                            std::to_string(size.Records()) + " records");
    if (task.Letter == 'a') reads_[sizeIndex] = byCalls;
    if (!options_.Scripts) return true;
    try {
      Keep(figures.Script, task.Letter,
           Time(size, byScript, [&] { return size.Scripts(task.Wide).Run(script); }));
    } catch (const lingo::ELingoError& error) {
      return Fail(task, "line " + std::to_string(error.Line()) + ": " + error.what());
    }
    if (!(byCalls == byScript)) return Fail(task, "reads other bytes by its two ways");
    return true;
  }

  bool RunDirect(std::size_t sizeIndex, TSize& size, TSizeFigures& figures) {
    TTaskAnswer direct;
    figures.Direct =
        std::min(figures.Direct, Time(size, direct, [&] { return DirectReads(size.Document()); }));
    if (reads_.contains(sizeIndex) && !(direct == reads_[sizeIndex]))
      return Fail("the library's walk reads other bytes than task a");
    return true;
  }

  // Processor seconds per record of one run; answer holds what it gave.
  template <class TWork>
  static double Time(const TSize& size, TTaskAnswer& answer, TWork work) {
    const double start = ThreadCpuSeconds();
    answer = work();
    return (ThreadCpuSeconds() - start) / double(size.Records());
  }
  static void Keep(std::map<char, double>& best, char task, double seconds) {
    const auto [entry, added] = best.try_emplace(task, seconds);
    if (!added) entry->second = std::min(entry->second, seconds);
  }

  bool Fail(const TTask& task, const std::string& message) const {
    return Fail(std::string("task ") + task.Letter + " " + message);
  }
  bool Fail(const std::string& message) const {
    std::fprintf(stderr, "lingo_tasks_bench: %s\n", message.c_str());
    return false;
  }

  const TOptions& options_;
  std::map<std::size_t, TTaskAnswer> reads_;  // task a's answer, by size
};

void ReportMemory(const TOptions& options) {
  const std::string file =
      WriteFile("zelxml-lingo-tasks-memory.xml",
                testing_support::GenerateRecordDocument(options.Megabytes << 20));
  TWalkMemory memory;
  if (MeasureWalkMemory(options.Module, file, memory))
    std::printf(
        "resident memory, %zu MB record document: %.1f MB after the load, %.1f MB after a Lingo "
        "walk of its %ld nodes: %.3f\n\n",
        options.Megabytes, double(memory.AfterLoad) / 1048576, double(memory.AfterWalk) / 1048576,
        memory.Nodes, double(memory.AfterWalk) / double(memory.AfterLoad));
  std::filesystem::remove(file);
}

void ReportRow(const char* label, const std::vector<double>& perRecord) {
  std::printf("  %-44s", label);
  for (double seconds : perRecord) std::printf(" %9.0f", seconds * 1e9);
  if (perRecord.size() > 1) std::printf("   %6.2f", perRecord.back() / perRecord.front());
  std::printf("\n");
}

void ReportTasks(const TOptions& options, const std::vector<TSizeFigures>& sizes) {
  std::printf(
      "time per record in ns (processor time, best of %d runs); last column: %d / %d "
      "records\n",
      options.Runs, options.Records.back(), options.Records.front());
  for (const char* way : {"calls through the host", "scripts in xtra-host's interpreter"}) {
    const bool calls = way[0] == 'c';
    if (!calls && !options.Scripts) continue;
    std::printf("%s\n", way);
    for (const TTask& task : ScriptTasks()) {
      if (options.Tasks.find(task.Letter) == std::string::npos) continue;
      std::vector<double> perRecord;
      for (const TSizeFigures& size : sizes)
        perRecord.push_back((calls ? size.Calls : size.Script).at(task.Letter));
      ReportRow((std::string(1, task.Letter) + "  " + task.What).c_str(), perRecord);
    }
  }
  std::vector<double> direct;
  for (const TSizeFigures& size : sizes) direct.push_back(size.Direct);
  ReportRow("the library's direct walk (reads of a to c)", direct);
}

// The ratios of the figures table, at the largest size, as far as their tasks were run.
void ReportRatios(const TOptions& options, const TSizeFigures& largest) {
  const auto ran = [&](char task) { return options.Tasks.find(task) != std::string::npos; };
  if (!ran('a')) return;
  // Each ratio through calls, and through scripts when they ran.
  const auto both = [&](const char* what, double calls, double scripts) {
    std::printf(" %s  calls %.2f", what, calls);
    if (options.Scripts) std::printf(", scripts %.2f", scripts);
    std::printf(";");
  };
  const auto& calls = largest.Calls;
  const auto& script = largest.Script;
  std::printf("at %d records:", options.Records.back());
  if (ran('c'))
    both("a / c", calls.at('a') / calls.at('c'),
         options.Scripts ? script.at('a') / script.at('c') : 0);
  both("a / the direct walk", calls.at('a') / largest.Direct,
       options.Scripts ? script.at('a') / largest.Direct : 0);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const TOptions options = ReadOptions(argc, argv);
  if (options.Megabytes > 0) ReportMemory(options);
  std::vector<TSizeFigures> sizes;
  if (!TBench(options).Run(sizes)) return 1;
  ReportTasks(options, sizes);
  ReportRatios(options, sizes.back());
  return 0;
}
