#include "XmlDom/XmlConvert.h"

#include <gtest/gtest.h>

#include "XmlDom/XmlDateTime.h"
#include "XmlTestSupport.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/Locale.h"

using namespace xmldom;

namespace {

std::string CannotConvert(const char* from, const char* to) {
  return FormatText(msg::kCannotConvertVariant, {from, to});
}

TEST(XmlLocale, FollowsThePlatformUnlessReplaced) {
  EXPECT_EQ(XmlLocale().DecimalSeparator, platform::UserLocaleFormats().DecimalSeparator);
  EXPECT_EQ(XmlLocale().ShortDateFormat, platform::UserLocaleFormats().ShortDateFormat);
  {
    TXmlLocaleScope scope(LocaleWithMark('#'));
    EXPECT_EQ(XmlLocale().DecimalSeparator, '#');
  }
  EXPECT_EQ(XmlLocale().DecimalSeparator, platform::UserLocaleFormats().DecimalSeparator);
}

TEST(GeneralText, FollowsTheLocale) {
  TXmlLocale russian = LocaleWithMark(',');
  russian.ShortDateFormat = "dd.MM.yyyy";
  russian.LongTimeFormat = "H:mm:ss";
  russian.TrueText = "Истина";
  TXmlLocaleScope scope(russian);
  EXPECT_EQ(XmlValueToGeneralText(XmlValue::FromFloat64(1.5)), "1,5");
  EXPECT_EQ(XmlValueToGeneralText(XmlValue::FromFloat32(0.25f)), "0,25");
  EXPECT_EQ(XmlValueToGeneralText(XmlValue::FromCurrency(-125000)), "-12,5");
  EXPECT_EQ(XmlValueToGeneralText(XmlValue::FromCurrency(30000)), "3");
  TXmlDateTime moment = 0;
  ASSERT_TRUE(EncodeXmlDateTime({2024, 3, 5, 9, 7, 9}, moment));
  EXPECT_EQ(XmlValueToGeneralText(XmlValue::FromDateTime(moment)), "05.03.2024 9:07:09");
  EXPECT_EQ(XmlValueToGeneralText(XmlValue::FromDateTime(45356)), "05.03.2024");
  EXPECT_EQ(XmlValueToGeneralText(XmlValue::FromBoolean(true)), "Истина");
  EXPECT_EQ(XmlValueToGeneralText(XmlValue::FromBoolean(false)), "False");
  EXPECT_EQ(XmlValueToGeneralText(XmlValue::FromInt64(-42)), "-42");
  EXPECT_EQ(XmlValueToGeneralText(XmlValue()), "");
  EXPECT_EQ(ErrorOf([] { XmlValueToGeneralText(XmlValue::Null()); }),
            CannotConvert("Null", "String"));
  EXPECT_EQ(ErrorOf([] { XmlValueToGeneralText(XmlValue::FromByteArray("x")); }),
            CannotConvert("Array Byte", "String"));
}

TEST(GeneralText, DatePicturesOfOtherLocales) {
  TXmlLocale english;
  english.ShortDateFormat = "M/d/yy ddd MMM";
  english.LongTimeFormat = "hh:mm:ss tt '(local)'";
  TXmlLocaleScope scope(english);
  TXmlDateTime moment = 0;
  ASSERT_TRUE(EncodeXmlDateTime({2024, 3, 5, 14, 7, 9}, moment));
  EXPECT_EQ(LocaleDateTimeToText(moment, english), "3/5/24 Tue Mar 02:07:09 PM (local)");
}

TEST(TextToBool, NumbersAndWords) {
  for (char mark : {'.', ','}) {
    TXmlLocaleScope scope(LocaleWithMark(mark));
    for (const char* yes : {"true", "TRUE", "True", "1", "-1", "2", " true "})
      EXPECT_TRUE(XmlTextToBool(yes)) << yes;
    for (const char* no : {"false", "False", "0", "0e5"}) EXPECT_FALSE(XmlTextToBool(no)) << no;
    const std::string fraction = std::string("0") + mark + "5";
    EXPECT_TRUE(XmlTextToBool(fraction));
    for (const char* bad : {"yes", "", "tru", "1x"})
      EXPECT_EQ(ErrorOf([&] { XmlTextToBool(bad); }), CannotConvert("String", "Boolean")) << bad;
  }
}

TEST(TextToInt, LocaleNumbersThenIntegersThenBooleans) {
  for (char mark : {'.', ','}) {
    TXmlLocaleScope scope(LocaleWithMark(mark));
    EXPECT_EQ(XmlTextToInt("42"), 42);
    EXPECT_EQ(XmlTextToInt("-7"), -7);
    EXPECT_EQ(XmlTextToInt("$1F"), 31);
    EXPECT_EQ(XmlTextToInt("-$10"), -16);
    EXPECT_EQ(XmlTextToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(XmlTextToInt("true"), 1);
    EXPECT_EQ(XmlTextToInt("False"), 0);
    EXPECT_EQ(XmlTextToInt("2147483647"), 2147483647);
    EXPECT_EQ(XmlTextToInt("-2147483648"), -2147483647 - 1);
    // Fractions in the locale's syntax round half to even.
    EXPECT_EQ(XmlTextToInt(std::string("2") + mark + "5"), 2);
    EXPECT_EQ(XmlTextToInt(std::string("3") + mark + "5"), 4);
    EXPECT_EQ(XmlTextToInt(std::string("-2") + mark + "6"), -3);
    EXPECT_EQ(ErrorOf([] { XmlTextToInt("2147483648"); }),
              FormatText(msg::kOverflowConvertingVariant, {"String", "Integer"}));
    for (const char* bad : {"abc", "", "$", "$1G", "1 2"})
      EXPECT_EQ(ErrorOf([&] { XmlTextToInt(bad); }), CannotConvert("String", "Boolean")) << bad;
  }
}

TEST(HexText, BothWays) {
  EXPECT_EQ(XmlHexTextToInt("FF"), 255);
  EXPECT_EQ(XmlHexTextToInt("ff"), 255);
  EXPECT_EQ(XmlHexTextToInt("80000000"), -2147483647 - 1);
  for (const char* bad : {"", "G", "-1", " 1", "100000000"})
    EXPECT_EQ(ErrorOf([&] { XmlHexTextToInt(bad); }),
              FormatText(msg::kInvalidInteger, {std::string("$") + bad}))
        << bad;
  EXPECT_EQ(XmlIntToHexText(255, 4), "00FF");
  EXPECT_EQ(XmlIntToHexText(-1, 8), "FFFFFFFF");
  EXPECT_EQ(XmlIntToHexText(-1, 2), "FFFFFFFF");
  EXPECT_EQ(XmlIntToHexText(0, 0), "0");
  EXPECT_EQ(XmlIntToHexText(10, 32), std::string(31, '0') + "A");
  EXPECT_EQ(XmlIntToHexText(10, 33), "A");
}

TEST(ValueConversions, NumbersConvertDirectly) {
  EXPECT_EQ(XmlValueToInt(XmlValue::FromFloat64(2.5)), 2);
  EXPECT_EQ(XmlValueToInt(XmlValue::FromFloat64(-3.5)), -4);
  EXPECT_EQ(XmlValueToInt(XmlValue::FromCurrency(25000)), 2);
  EXPECT_EQ(XmlValueToInt(XmlValue::FromCurrency(35001)), 4);
  EXPECT_EQ(XmlValueToInt(XmlValue::FromCurrency(-15000)), -2);
  EXPECT_EQ(XmlValueToInt(XmlValue::FromBoolean(true)), -1);
  EXPECT_EQ(XmlValueToInt(XmlValue::FromDateTime(45356.6)), 45357);
  EXPECT_EQ(XmlValueToInt(XmlValue()), 0);
  EXPECT_EQ(XmlValueToInt(XmlValue::FromUInt8(200)), 200);
  for (const XmlValue& big : {XmlValue::FromFloat64(3e9), XmlValue::FromInt64(1LL << 40),
                              XmlValue::FromUInt32(4000000000u)})
    EXPECT_EQ(ErrorOf([&] { XmlValueToInt(big); }), msg::kRangeCheckError);
  EXPECT_EQ(ErrorOf([] { XmlValueToInt(XmlValue::Null()); }), CannotConvert("Null", "Integer"));
  EXPECT_TRUE(XmlValueToBool(XmlValue::FromFloat64(0.1)));
  EXPECT_FALSE(XmlValueToBool(XmlValue::FromCurrency(0)));
  EXPECT_FALSE(XmlValueToBool(XmlValue()));
  EXPECT_EQ(ErrorOf([] { XmlValueToBool(XmlValue::FromByteArray("")); }),
            CannotConvert("Array Byte", "Boolean"));
  EXPECT_EQ(XmlValueToDouble(XmlValue::FromCurrency(125000)), 12.5);
  EXPECT_EQ(XmlValueToDouble(XmlValue::FromBoolean(true)), -1);
  EXPECT_EQ(XmlValueToDouble(XmlValue::FromFloat32(0.5f)), 0.5);
  EXPECT_EQ(XmlValueToDateTime(XmlValue::FromInt32(2)), 2);
  EXPECT_EQ(XmlValueToDateTime(XmlValue::FromString("1900-01-01")), 2);
  EXPECT_EQ(XmlValueToDateTime(XmlValue::FromWideString(u"1900-01-01")), 2);
  EXPECT_EQ(ErrorOf([] { XmlValueToDateTime(XmlValue::Null()); }), CannotConvert("Null", "Date"));
}

TEST(ValueConversions, DateTimesTakeTheTextRouteToFloats) {
  TXmlLocale locale;
  locale.ShortDateFormat = "yyyy-MM-dd";
  TXmlLocaleScope scope(locale);
  EXPECT_EQ(ErrorOf([] { XmlValueToDouble(XmlValue::FromDateTime(2)); }),
            FormatText(msg::kInvalidFloat, {"1900-01-01"}));
  EXPECT_EQ(XmlValueToDouble(XmlValue::FromString("2,5")), 2.5);
  EXPECT_EQ(ErrorOf([] { XmlValueToDouble(XmlValue()); }), FormatText(msg::kInvalidFloat, {""}));
}

TEST(SameTextIgnoringCase, CoversTheCodePagesLetters) {
  EXPECT_TRUE(SameTextIgnoringCase("Center", "cENTER"));
  EXPECT_TRUE(SameTextIgnoringCase("\xC0\xA8\xDF", "\xE0\xB8\xFF"));  // АЁЯ and аёя
  EXPECT_FALSE(SameTextIgnoringCase("a", "b"));
  EXPECT_FALSE(SameTextIgnoringCase("a", "ab"));
  EXPECT_FALSE(SameTextIgnoringCase("[", "{"));
}

}  // namespace
