#include "platform/CharClass.h"

#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "platform/CodePage.h"

using platform::IsCharAlpha;
using platform::IsCharAlphaNumeric;

TEST(CharClass, CyrillicAndLatinLettersAreLetters) {
  for (int byte = 0xC0; byte <= 0xFF; ++byte) EXPECT_TRUE(IsCharAlpha(char(byte))) << byte;
  EXPECT_TRUE(IsCharAlpha('\xA8'));  // Ё
  EXPECT_TRUE(IsCharAlpha('\xB8'));  // ё
  EXPECT_TRUE(IsCharAlpha('a'));
  EXPECT_TRUE(IsCharAlpha('Z'));
  for (char c : {'_', '-', '.', ':', ' ', '0', '9', '\0', '\xAB', '\xB9'})
    EXPECT_FALSE(IsCharAlpha(c)) << int(c);
}

TEST(CharClass, DigitsAreAlphanumericOnly) {
  for (char c = '0'; c <= '9'; ++c) {
    EXPECT_FALSE(IsCharAlpha(c));
    EXPECT_TRUE(IsCharAlphaNumeric(c));
  }
  EXPECT_TRUE(IsCharAlphaNumeric('\xC9'));
  EXPECT_FALSE(IsCharAlphaNumeric('_'));
}

TEST(CharClass, SystemAgreesWithTheWindows1251Table) {
  // Meaningful where the process code page is windows-1251 (the Russian wine leg, and the
  // portable build, which is that table).
  if (platform::AnsiToWide("\xC0") != u"\u0410") GTEST_SKIP() << "code page is not windows-1251";
  for (int byte = 1; byte < 256; ++byte) {
    const bool letter = cp1251::IsLetter(static_cast<unsigned char>(byte));
    EXPECT_EQ(IsCharAlpha(char(byte)), letter) << byte;
    EXPECT_EQ(IsCharAlphaNumeric(char(byte)), letter || (byte >= '0' && byte <= '9')) << byte;
  }
}
