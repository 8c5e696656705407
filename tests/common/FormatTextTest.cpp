#include "common/FormatText.h"

#include <gtest/gtest.h>

TEST(FormatText, FillsPlaceholdersInOrder) {
  EXPECT_EQ(FormatText("a %s b %d c", {"x", 42}), "a x b 42 c");
  EXPECT_EQ(FormatText("%s (%s)", {"msg", "file.xml"}), "msg (file.xml)");
  EXPECT_EQ(FormatText("%d", {-2147483647 - 1}), "-2147483648");
}

TEST(FormatText, NeverReadsPastTheArguments) {
  EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and ");
  EXPECT_EQ(FormatText("100%% %q %", {}), "100% %q %");
}
