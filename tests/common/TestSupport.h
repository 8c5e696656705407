#pragma once

// Helpers shared by the test programs.

#include <string>
#include <vector>

namespace testing_support {

struct TCapturedBox {
  std::string Caption;
  std::string Text;
};

// Every box shown since the last call to TakeCapturedBoxes (or since start-up).
std::vector<TCapturedBox> TakeCapturedBoxes();

// A fresh, empty folder for one test's files, under the test program's working folder.
std::string ScratchFolder(const std::string& name);

// The whole content of a file ("" when missing).
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);

// Path of a file of tests/data.
std::string TestDataPath(const std::string& name);

// True when the program runs under 32-bit emulation (ZEL_UNDER_EMULATION=1, which the scripts
// set only there): the emulator's translated code then counts as the process's own memory.
bool UnderEmulation();

}  // namespace testing_support
