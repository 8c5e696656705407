#include "platform/ModulePath.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::size_t kMaxModulePath = 255;

std::string ExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, std::size_t(length)) : std::string();
}

}  // namespace

std::string ModuleFileName() {
  std::string path;
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ModuleFileName), &info) && info.dli_fname) {
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved)) path = resolved;
  }
  if (path.empty()) path = ExecutablePath();
  if (path.size() > kMaxModulePath) path.resize(kMaxModulePath);
  return path;
}

}  // namespace platform
