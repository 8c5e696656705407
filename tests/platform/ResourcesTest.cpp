#include "platform/Resources.h"

#include <gtest/gtest.h>

using platform::FindModuleResource;
using platform::kResourceRcData;

TEST(Resources, FindsACompiledInResourceByTypeAndName) {
  const auto data = FindModuleResource(kResourceRcData, "TEST_DOC");
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(*data, "<root a=\"1\">text</root>\n");
  EXPECT_TRUE(FindModuleResource(kResourceRcData, "test_doc").has_value());
}

TEST(Resources, MissingResourceGivesNothing) {
  EXPECT_FALSE(FindModuleResource(kResourceRcData, "NO_SUCH").has_value());
  EXPECT_FALSE(FindModuleResource(platform::kResourceBitmap, "TEST_DOC").has_value());
  EXPECT_FALSE(FindModuleResource("XMLDATA", "").has_value());
}
