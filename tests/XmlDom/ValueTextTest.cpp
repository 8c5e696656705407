#include "XmlDom/XmlValueText.h"

#include <gtest/gtest.h>

#include <limits>

#include "XmlDom/Base64.h"
#include "XmlDom/XmlDateTime.h"
#include "XmlTestSupport.h"
#include "common/FormatText.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

TXmlDateTime DateTime(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  TXmlDateTime value = 0;
  EXPECT_TRUE(EncodeXmlDateTime({y, mo, d, h, mi, s, ms}, value));
  return value;
}

TEST(XmlValueToText, EveryKindHasItsForm) {
  EXPECT_EQ(XmlValueToText(XmlValue()), "");
  EXPECT_EQ(XmlValueToText(XmlValue::Null()), "{{null}}");
  EXPECT_EQ(XmlValueToText(XmlValue::FromInt16(-5)), "-5");
  EXPECT_EQ(XmlValueToText(XmlValue::FromInt32(std::numeric_limits<int>::min())), "-2147483648");
  EXPECT_EQ(XmlValueToText(XmlValue::FromInt8(-1)), "-1");
  EXPECT_EQ(XmlValueToText(XmlValue::FromUInt8(255)), "255");
  EXPECT_EQ(XmlValueToText(XmlValue::FromUInt16(65535)), "65535");
  EXPECT_EQ(XmlValueToText(XmlValue::FromUInt32(4000000000u)), "4000000000");
  EXPECT_EQ(XmlValueToText(XmlValue::FromInt64(-9007199254740993)), "-9007199254740993");
  EXPECT_EQ(XmlValueToText(XmlValue::FromFloat32(0.1f)), "0.100000001490116");
  EXPECT_EQ(XmlValueToText(XmlValue::FromFloat64(0.5)), "0.5");
  EXPECT_EQ(XmlValueToText(XmlValue::FromCurrency(125000)), "12.5");
  EXPECT_EQ(XmlValueToText(XmlValue::FromCurrency(-1234567)), "-123.4567");
  EXPECT_EQ(XmlValueToText(XmlValue::FromDateTime(DateTime(2024, 3, 5, 14, 7, 9, 500))),
            "2024-03-05T14-07-09");
  EXPECT_EQ(XmlValueToText(XmlValue::FromBoolean(true)), "1");
  EXPECT_EQ(XmlValueToText(XmlValue::FromBooleanBits(2)), "1");
  EXPECT_EQ(XmlValueToText(XmlValue::FromBoolean(false)), "0");
  EXPECT_EQ(XmlValueToText(XmlValue::FromString("a<b")), "a<b");
  EXPECT_EQ(XmlValueToText(XmlValue::FromWideString(u"\u042F\u0439")), "\xDF\xE9");
  EXPECT_EQ(XmlValueToText(XmlValue::FromByteArray(std::string("\0\xFF", 2))), "AP8=");
}

TEST(XmlValueToText, FloatsTakeTheShortestFormWithFifteenDigits) {
  const std::pair<double, const char*> cases[] = {{0, "0"},
                                                  {-0.0, "0"},
                                                  {100, "100"},
                                                  {-2.5, "-2.5"},
                                                  {1.0 / 3, "0.333333333333333"},
                                                  {2.0 / 3, "0.666666666666667"},
                                                  {0.00001, "0.00001"},
                                                  {0.000001, "1E-6"},
                                                  {1.5e-7, "1.5E-7"},
                                                  {999999999999999.0, "999999999999999"},
                                                  {1e15, "1E15"},
                                                  {1234567890123456.0, "1.23456789012346E15"},
                                                  {1e20, "1E20"},
                                                  {-1.25e-300, "-1.25E-300"},
                                                  {std::numeric_limits<double>::infinity(), "INF"}};
  for (const auto& [number, text] : cases) EXPECT_EQ(FloatToXmlText(number), text) << text;
}

TEST(XmlTextToFloat, AcceptsEitherDecimalMarkInEitherLocale) {
  for (char mark : {'.', ','}) {
    TXmlLocaleScope locale(LocaleWithMark(mark));
    EXPECT_EQ(XmlTextToFloat("1.5"), 1.5) << mark;
    EXPECT_EQ(XmlTextToFloat("1,5"), 1.5) << mark;
    EXPECT_EQ(XmlTextToFloat(" -2.5E3 "), -2500) << mark;
    EXPECT_EQ(XmlTextToFloat("7"), 7) << mark;
    EXPECT_EQ(FloatToXmlText(1.5), "1.5") << mark;
    EXPECT_EQ(XmlValueToText(XmlValue::FromFloat64(0.5)), "0.5") << mark;
    for (const char* bad : {"1,234.5", "", "abc", "1.5x", "1e", "--1", "1e999"})
      EXPECT_EQ(ErrorOf([&] { XmlTextToFloat(bad); }), FormatText(msg::kInvalidFloat, {bad}))
          << mark << " " << bad;
  }
  TXmlLocaleScope other(LocaleWithMark(';'));
  EXPECT_EQ(XmlTextToFloat("1,5"), 1.5);
  EXPECT_EQ(XmlTextToFloat("2.5"), 2.5);
}

TEST(XmlDateTime, DaysCountFromTheEndOf1899) {
  EXPECT_EQ(DateTime(1899, 12, 30), 0);
  EXPECT_EQ(DateTime(1900, 1, 1), 2);
  EXPECT_EQ(DateTime(2024, 3, 5), 45356);
  EXPECT_EQ(DateTime(1899, 12, 29, 6), -1.25);
  EXPECT_EQ(DateTimeToXmlText(-1.25), "1899-12-29T06-00-00");
  EXPECT_EQ(DateTimeToXmlText(DateTime(1, 1, 1)), "0001-01-01T00-00-00");
  EXPECT_EQ(DateTimeToXmlText(DateTime(9999, 12, 31, 23, 59, 59, 999)), "9999-12-31T23-59-59");
  TXmlDateTime unused = 0;
  EXPECT_FALSE(EncodeXmlDateTime({2023, 2, 29}, unused));
  EXPECT_FALSE(EncodeXmlDateTime({2024, 1, 1, 24}, unused));
  EXPECT_EQ(ErrorOf([] { DateTimeToXmlText(1e300); }),
            FormatText(msg::kInvalidDateTime, {"1E300"}));
}

TEST(XmlDateTime, TextReadsSixFieldsWithTheirSeparators) {
  EXPECT_EQ(XmlTextToDateTime("2024-02-29T13-45-07"), DateTime(2024, 2, 29, 13, 45, 7));
  EXPECT_EQ(XmlTextToDateTime("2024-02-29"), DateTime(2024, 2, 29));
  EXPECT_EQ(XmlTextToDateTime("2024-02-29T13"), DateTime(2024, 2, 29, 13));
  EXPECT_EQ(XmlTextToDateTime("2024-2-3T4-5-6-garbage"), DateTime(2024, 2, 3, 4, 5, 6));
  // A missing separator ends the reading: the rest is 0.
  EXPECT_EQ(XmlTextToDateTime("2024-02-29 13:45"), DateTime(2024, 2, 29));
  for (const char* bad :
       {"2024-02-30", "", "abc", "2024", "2024-13-01", "2024-01-01T24", "99999999999999-01-01"})
    EXPECT_EQ(ErrorOf([&] { XmlTextToDateTime(bad); }), FormatText(msg::kInvalidDateTime, {bad}))
        << bad;
  const TXmlDateTime value = DateTime(2024, 3, 5, 14, 7, 9);
  EXPECT_EQ(XmlTextToDateTime(DateTimeToXmlText(value)), value);
}

TEST(Base64, EncodesGroupsWithFillAndOptionalLines) {
  EXPECT_EQ(EncodeBase64("Man", 3), "TWFu");
  EXPECT_EQ(EncodeBase64("Ma", 2), "TWE=");
  EXPECT_EQ(EncodeBase64("M", 1), "TQ==");
  EXPECT_EQ(EncodeBase64("", 0), "");
  EXPECT_EQ(EncodeBase64("\x01\x02\x03\x04\x05", 5), "AQIDBAU=");
  EXPECT_EQ(EncodeBase64("\x01\x02\x03\x04\x05", 5, 4), "AQID\r\nBAU=");
  EXPECT_EQ(EncodeBase64("\x01\x02\x03\x04\x05", 5, 8), "AQIDBAU=");
  EXPECT_EQ(EncodeBase64("\x01\x02\x03\x04\x05", 5, 3), "AQI\r\nDBA\r\nU=");
  EXPECT_EQ(EncodeBase64("\xFB\xFF", 2, -1), "+/8=");
}

TEST(Base64, DecodingIgnoresWhitespaceAndShortTexts) {
  EXPECT_EQ(DecodeBase64("AQID\r\nBAU="), "\x01\x02\x03\x04\x05");
  EXPECT_EQ(DecodeBase64(" T W\tF u "), "Man");
  EXPECT_EQ(DecodeBase64("TWE="), "Ma");
  EXPECT_EQ(DecodeBase64("TQ=="), "M");
  EXPECT_EQ(DecodeBase64("+/8="), "\xFB\xFF");
  EXPECT_EQ(DecodeBase64("TW"), "");
  EXPECT_EQ(DecodeBase64("TWF"), "");
  EXPECT_EQ(DecodeBase64(""), "");
  // Damaged texts decode to something of the computed length, never beyond it.
  EXPECT_EQ(DecodeBase64("TWFuT").size(), 6u);
  EXPECT_EQ(DecodeBase64("T===").size(), 1u);
  EXPECT_EQ(DecodeBase64("TQ==TQ=="), "M**M");
  EXPECT_EQ(DecodeBase64("!!!!"), std::string(3, '\0'));
}

}  // namespace
