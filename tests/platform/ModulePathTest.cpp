#include "platform/ModulePath.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(ModulePath, NamesTheBinaryThatHoldsTheCode) {
  // Linked statically into this test program, the platform code lives in the program itself.
  const std::string path = platform::ModuleFileName();
  ASSERT_FALSE(path.empty());
  EXPECT_LE(path.size(), 255u);
  EXPECT_EQ(std::filesystem::path(path).stem().string(), "platform_tests");
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(std::filesystem::path(path).is_absolute());
}
