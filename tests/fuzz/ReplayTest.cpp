// Replays the seed corpus and the regression inputs of every fuzz target, so that each fault
// fuzzing once found stays fixed in every test leg.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "FuzzTarget.h"

namespace fuzzing {
namespace {

std::map<std::string, TTarget>& Targets() {
  static std::map<std::string, TTarget> targets;
  return targets;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

bool RegisterTarget(const char* name, TTarget target) {
  Targets()[name] = target;
  return true;
}

TEST(FuzzReplay, EveryTargetSurvivesItsCorpusAndRegressions) {
  ASSERT_FALSE(Targets().empty());
  const std::filesystem::path root(ZEL_FUZZ_DATA_DIR);
  for (const auto& [name, target] : Targets()) {
    int inputs = 0;
    for (const char* folder : {"corpus", "regressions"}) {
      const auto dir = root / folder / name;
      if (!std::filesystem::is_directory(dir)) continue;
      for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        const std::string bytes = ReadBytes(entry.path());
        // Named in the message rather than by a scoped trace: a trace takes the test's
        // thread-local state twice an input, and under emulation that path is where the
        // emulator now and then faulted.
        EXPECT_EQ(target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0)
            << entry.path().string();
        ++inputs;
      }
    }
    // The empty input, and one of every single byte, are the classic first crashers.
    EXPECT_EQ(target(nullptr, 0), 0) << name;
    for (int byte = 0; byte < 256; ++byte) {
      const std::uint8_t one = std::uint8_t(byte);
      EXPECT_EQ(target(&one, 1), 0) << name;
    }
    EXPECT_GT(inputs, 0) << name << " has no corpus";
  }
}

}  // namespace fuzzing
