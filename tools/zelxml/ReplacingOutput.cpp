#include "ReplacingOutput.h"

#include "platform/File.h"

std::string TemporaryPathFor(const std::string& path) {
  return path + ".zelxml-partial";
}

void WriteReplacing(const std::string& path, const std::function<void(const std::string&)>& write) {
  const std::string temporary = TemporaryPathFor(path);
  try {
    write(temporary);
    platform::RenameFile(temporary, path);
  } catch (...) {
    platform::RemoveFile(temporary);
    throw;
  }
}
