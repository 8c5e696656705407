#include "ChildRuns.h"

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <sstream>
#include <vector>

#include "Engine.h"

extern char** environ;

namespace {

double ThreadMilliseconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

long StatusField(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field)) * 1024;
  return 0;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

double Cold(TEngine& engine, const std::string& path) {
  const double start = ThreadMilliseconds();
  engine.LoadFile(path);
  return ThreadMilliseconds() - start;
}

double Peak(TEngine& engine, const std::string& path) {
  const std::string content = ReadWholeFile(path);
  // The peak so far is reading the file; only the load's own growth counts.
  std::ofstream("/proc/self/clear_refs") << "5";
  const long before = StatusField("VmRSS:");
  engine.Load(content);
  return double(StatusField("VmHWM:") - before) / double(content.size());
}

}  // namespace

double MeasureInChild(const std::string& mode, const std::string& engine, const std::string& path) {
  int channel[2];
  if (pipe(channel) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, channel[0]);
  std::vector<std::string> env{std::string(kChildVariable) + "=1"};
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, kChildVariable, std::strlen(kChildVariable)) != 0) env.push_back(*e);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string self = "/proc/self/exe", flag = "--child", modeArg = mode, engineArg = engine,
              pathArg = path;
  char* argv[] = {self.data(),      flag.data(),    modeArg.data(),
                  engineArg.data(), pathArg.data(), nullptr};
  pid_t child = 0;
  const int failed = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(channel[1]);
  std::string output;
  char buffer[256];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) output.append(buffer, n);
  close(channel[0]);
  if (failed) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::atof(output.c_str());
}

int RunChild(int argc, char** argv) {
  if (argc < 5) return 2;
  const std::string mode = argv[2], name = argv[3], path = argv[4];
  try {
    for (auto& engine : MakeAllEngines()) {
      if (engine->Name() != name) continue;
      const double value = mode == "cold" ? Cold(*engine, path) : Peak(*engine, path);
      std::printf("%.6f\n", value);
      std::fflush(stdout);
      _exit(0);  // the tree is not dropped: nothing after the load is measured
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), error.what());
  } catch (...) {
    std::fprintf(stderr, "%s: the load failed\n", name.c_str());
  }
  return 1;
}
