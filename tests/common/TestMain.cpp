#include <gtest/gtest.h>

namespace testing_support {
void InstallCapturingMessageBoxSink();
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing_support::InstallCapturingMessageBoxSink();
  return RUN_ALL_TESTS();
}
