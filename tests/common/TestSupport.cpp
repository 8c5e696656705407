#include "common/TestSupport.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/MessageBox.h"

namespace testing_support {
namespace {

std::vector<TCapturedBox>& Boxes() {
  static std::vector<TCapturedBox> boxes;
  return boxes;
}

}  // namespace

void InstallCapturingMessageBoxSink() {
  platform::SetMessageBoxSink([](std::string_view caption, std::string_view text) {
    Boxes().push_back({std::string(caption), std::string(text)});
  });
}

std::vector<TCapturedBox> TakeCapturedBoxes() {
  std::vector<TCapturedBox> taken;
  taken.swap(Boxes());
  return taken;
}

std::string ScratchFolder(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::current_path() / "scratch" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::string TestDataPath(const std::string& name) {
  return (std::filesystem::path(ZEL_TEST_DATA_DIR) / name).string();
}

bool UnderEmulation() {
  const char* value = std::getenv("ZEL_UNDER_EMULATION");
  return value && std::strcmp(value, "1") == 0;
}

}  // namespace testing_support
