#include "platform/CodePage.h"

#include <gtest/gtest.h>

using platform::AnsiToWide;
using platform::WideToAnsi;

TEST(CodePage, CyrillicRoundTrips) {
  const std::string text = "\xCF\xF0\xE8\xE2\xE5\xF2, world \xA8\xB8";  // "Привет, world Ёё"
  const std::u16string wide = AnsiToWide(text);
  EXPECT_EQ(wide, u"\u041F\u0440\u0438\u0432\u0435\u0442, world \u0401\u0451");
  EXPECT_EQ(WideToAnsi(wide), text);
}

TEST(CodePage, EmptyAndUnmappable) {
  EXPECT_EQ(AnsiToWide(""), u"");
  EXPECT_EQ(WideToAnsi(u""), "");
  EXPECT_EQ(WideToAnsi(u"a\u4E2Db"), "a?b");
}
