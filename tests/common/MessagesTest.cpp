#include "common/Messages.h"

#include <gtest/gtest.h>

#include <string>

#include "common/Cp1251.h"
#include "common/FormatText.h"

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(Messages, RussianTextsAreWindows1251Bytes) {
  // "Ошибка чтения данных." in windows-1251.
  EXPECT_EQ(std::string(msg::kDataReadError.View()),
            Bytes({0xCE, 0xF8, 0xE8, 0xE1, 0xEA, 0xE0, 0x20, 0xF7, 0xF2, 0xE5, 0xED, 0xE8, 0xFF,
                   0x20, 0xE4, 0xE0, 0xED, 0xED, 0xFB, 0xF5, 0x2E}));
  // The odd spellings are kept: "упрамляющего" and "Некорретный".
  const std::string e4(msg::kHashOrEntityExpected.View());
  EXPECT_NE(e4.find(Bytes({0xF3, 0xEF, 0xF0, 0xE0, 0xEC, 0xEB, 0xFF, 0xFE, 0xF9, 0xE5, 0xE3, 0xEE})),
            std::string::npos);
  EXPECT_EQ(std::string(msg::kBadCharInElementName.View()).substr(0, 11),
            Bytes({0xCD, 0xE5, 0xEA, 0xEE, 0xF0, 0xF0, 0xE5, 0xF2, 0xED, 0xFB, 0xE9}));
}

TEST(Messages, PositionsAndNamesFillIn) {
  const std::string e6 = FormatText(msg::kExpected, {">", 3, 14});
  EXPECT_EQ(e6, Bytes({0xCE, 0xE6, 0xE8, 0xE4, 0xE0, 0xE5, 0xF2, 0xF1, 0xFF, ' ', '"', '>', '"',
                       ' ', '(', 0xF1, 0xF2, 0xF0, '.', ' ', '3', ',', ' ', 0xEF, 0xEE, 0xE7, '.',
                       ' ', '1', '4', ')'}));
  EXPECT_EQ(FormatText(msg::kCannotOpenFile, {"C:\\a.xml", "Access denied"}),
            "Cannot open file \"C:\\a.xml\". Access denied");
  EXPECT_NE(msg::kBadAttributeChoice.View().find(".\r\n"), std::string_view::npos);
}

TEST(Cp1251, EveryByteRoundTripsThroughUnicode) {
  for (int byte = 0; byte < 256; ++byte)
    EXPECT_EQ(cp1251::FromUnicode(cp1251::ToUnicode(static_cast<unsigned char>(byte))), byte);
  EXPECT_EQ(cp1251::FromUnicode(U'\u4E2D'), -1);
}
