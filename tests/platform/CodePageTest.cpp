#include "platform/CodePage.h"

#include <gtest/gtest.h>

using platform::AnsiToWide;
using platform::CharacterToAnsi;
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

// No best fit: a character the code page lacks is "?", never a look-alike ("e" for "é").
TEST(CodePage, CharactersOutsideTheCodePageAreQuestionMarks) {
  EXPECT_EQ(WideToAnsi(u"\u00E9\u0141\u00C0\u2212\uFF21"), "?????");
  EXPECT_EQ(WideToAnsi(u"\u0414\u20AC\u2116"), "\xC4\x88\xB9");
}

TEST(CodePage, OneCharacterGivesOneByte) {
  EXPECT_EQ(CharacterToAnsi(U'A'), 'A');
  EXPECT_EQ(CharacterToAnsi(U'\u0414'), '\xC4');
  EXPECT_EQ(CharacterToAnsi(U'\u20AC'), '\x88');
  EXPECT_EQ(CharacterToAnsi(U'\u2116'), '\xB9');
  EXPECT_EQ(CharacterToAnsi(U'\u0451'), '\xB8');
  EXPECT_EQ(CharacterToAnsi(U'\u00A0'), '\xA0');
  for (const char32_t lacking :
       {U'\u00E9', U'\u0100', U'\u4E2D', U'\uFF21', U'\U0001F600', U'\U0010FFFF', char32_t(0xD800),
        char32_t(0xDFFF), char32_t(0x110000), char32_t(0xFFFFFFFF)})
    EXPECT_EQ(CharacterToAnsi(lacking), '?') << std::hex << std::uint32_t(lacking);
}
