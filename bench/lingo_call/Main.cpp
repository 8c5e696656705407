// One Lingo call through our host: join(me, a, b) on the probe class of the test module, which
// answers the two strings joined ("alpha" and "beta" by default, or two strings of --length
// bytes each). Reports the best time per call over several
// runs and the heap allocations per call (host and module together), for two ways of calling:
//
//   through TXtraHost::Call   the host's call API: it builds the argument array for each call
//   prepared call record      the module's share: the host's record and arguments made once
//
//   lingo_call_bench [--calls N] [--runs N] [--length N]

#include <time.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "host/XtraHost.h"

namespace {

std::size_t gAllocations = 0;

void* Allocate(std::size_t size) {
  ++gAllocations;
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}

struct TFigures {
  double NanosecondsPerCall = 1e30;     // wall clock
  double CpuNanosecondsPerCall = 1e30;  // this thread's processor time: the figure that other
                                        // work on a busy machine disturbs least
  double AllocationsPerCall = 0;
};

double ThreadCpuNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

template <class TCall>
TFigures Measure(int runs, long calls, TCall call) {
  for (long i = 0; i < calls / 10; ++i) call();  // warm up
  TFigures best;
  for (int run = 0; run < runs; ++run) {
    const std::size_t allocationsBefore = gAllocations;
    const double cpuStart = ThreadCpuNanoseconds();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < calls; ++i) call();
    const std::chrono::duration<double, std::nano> elapsed =
        std::chrono::steady_clock::now() - start;
    const double cpu = ThreadCpuNanoseconds() - cpuStart;
    best.NanosecondsPerCall = std::min(best.NanosecondsPerCall, elapsed.count() / double(calls));
    best.CpuNanosecondsPerCall = std::min(best.CpuNanosecondsPerCall, cpu / double(calls));
    best.AllocationsPerCall = double(gAllocations - allocationsBefore) / double(calls);
  }
  return best;
}

void Report(const char* way, const TFigures& figures) {
  std::printf("  %-26s %8.1f ns/call (%6.1f ns processor time)  %5.2f allocations/call\n", way,
              figures.NanosecondsPerCall, figures.CpuNanosecondsPerCall,
              figures.AllocationsPerCall);
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++gAllocations;
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  ++gAllocations;
  return std::malloc(size ? size : 1);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}

int main(int argc, char** argv) {
  long calls = 1000000;
  int runs = 5;
  std::string first = "alpha";
  std::string second = "beta";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--calls") == 0) calls = std::atol(argv[i + 1]);
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--length") == 0) {
      first.assign(std::size_t(std::atoi(argv[i + 1])), 'a');
      second.assign(first.size(), 'b');
    }
  }

  dxhost::TXtraHost host;
  if (!host.Load(LINGO_CALL_MODULE) || host.Register() != kMoaOk) {
    std::fprintf(stderr, "lingo_call_bench: %s\n", host.LastError().c_str());
    return 1;
  }
  {
    dxhost::TXtraInstance probe = host.New("dxProbe");
    const MoaLong join = probe.Class()->Selector("join");
    const dxhost::THostValue args[] = {host.Values().String(first), host.Values().String(second)};
    const std::string answer = host.Text(host.Call(probe, join, args));
    if (answer != '"' + first + second + '"') {
      std::fprintf(stderr, "lingo_call_bench: join answered %s\n", answer.c_str());
      return 1;
    }

    std::printf("join(me, %zu bytes, %zu bytes), best of %d runs of %ld calls\n", first.size(),
                second.size(), runs, calls);
    Report("through TXtraHost::Call", Measure(runs, calls, [&] { host.Call(probe, join, args); }));

    MoaMmValue raw[3] = {probe.Me().Raw(), args[0].Raw(), args[1].Raw()};
    Report("prepared call record", Measure(runs, calls, [&] {
             MoaDrCallInfo call{};
             call.Selector = join;
             call.ArgCount = 3;
             call.Args = raw;
             host.CallRaw(probe, call);
             host.Values().Release(call.Result);
           }));
  }
  if (host.LiveValues() != 0 || !host.ModuleCanUnload()) {
    std::fprintf(stderr, "lingo_call_bench: the module kept host values or objects\n");
    return 1;
  }
  return 0;
}
