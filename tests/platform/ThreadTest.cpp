#include "platform/Thread.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Uses about depth * 1 KiB of stack.
int Recurse(int depth) {
  volatile char frame[1000];
  frame[0] = char(depth);
  return depth == 0 ? frame[0] : Recurse(depth - 1) + 1;
}

}  // namespace

TEST(Thread, WorkRunsOnItsOwnStackAndFailuresComeBack) {
  int result = -1;
  EXPECT_TRUE(platform::RunWithStackSize(1 << 20, [&] { result = Recurse(500); }));
  EXPECT_EQ(result, 500);
  EXPECT_THROW(platform::RunWithStackSize(1 << 20, [] { throw std::runtime_error("x"); }),
               std::runtime_error);
}
