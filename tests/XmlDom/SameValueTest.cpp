// The "same value" rule by which the searches by attribute compare values.
#include "XmlDom/XmlSameValue.h"

#include <gtest/gtest.h>

#include "XmlDom/XmlLocale.h"
#include "XmlTestSupport.h"

using namespace xmldom;

namespace {

struct TCase {
  XmlValue A, B;
  bool Same;
};

TEST(SameValue, EmptyAndNullMatchOnlyThemselves) {
  const TCase cases[] = {{XmlValue(), XmlValue(), true},
                         {XmlValue::Null(), XmlValue::Null(), true},
                         {XmlValue(), XmlValue::Null(), false},
                         {XmlValue(), XmlValue::FromString(""), false},
                         {XmlValue::Null(), XmlValue::FromInt32(0), false},
                         {XmlValue::FromString(""), XmlValue::FromString(""), true}};
  for (const TCase& c : cases) {
    EXPECT_EQ(XmlSameValue(c.A, c.B), c.Same) << c.A.Type() << " " << c.B.Type();
    EXPECT_EQ(XmlSameValue(c.B, c.A), c.Same) << c.A.Type() << " " << c.B.Type();
  }
}

TEST(SameValue, TextsByteForByteNumbersByValue) {
  const TCase cases[] = {{XmlValue::FromString("abc"), XmlValue::FromString("abc"), true},
                         {XmlValue::FromString("abc"), XmlValue::FromString("ABC"), false},
                         {XmlValue::FromString("\xC6"), XmlValue::FromWideString(u"\x0416"), true},
                         {XmlValue::FromWideString(u"x"), XmlValue::FromWideString(u"x"), true},
                         {XmlValue::FromInt32(10), XmlValue::FromInt64(10), true},
                         {XmlValue::FromInt32(10), XmlValue::FromFloat64(10.0), true},
                         {XmlValue::FromUInt8(10), XmlValue::FromCurrency(100000), true},
                         {XmlValue::FromInt64(std::int64_t(1) << 60),
                          XmlValue::FromInt64((std::int64_t(1) << 60) + 1), false},
                         {XmlValue::FromBoolean(true), XmlValue::FromInt32(-1), true},
                         {XmlValue::FromBoolean(true), XmlValue::FromInt32(1), false},
                         {XmlValue::FromDateTime(45000), XmlValue::FromInt32(45000), true},
                         {XmlValue::FromByteArray("ab"), XmlValue::FromByteArray("ab"), true},
                         {XmlValue::FromByteArray("ab"), XmlValue::FromString("ab"), false}};
  for (const TCase& c : cases) {
    EXPECT_EQ(XmlSameValue(c.A, c.B), c.Same) << c.A.Type() << " " << c.B.Type();
    EXPECT_EQ(XmlSameValue(c.B, c.A), c.Same) << c.A.Type() << " " << c.B.Type();
  }
}

TEST(SameValue, ATextMeetsANumberAsANumberOrFailsQuietly) {
  const TXmlLocaleScope locale(LocaleWithMark(','));
  const TCase cases[] = {{XmlValue::FromString("10"), XmlValue::FromInt32(10), true},
                         {XmlValue::FromString(" 10 "), XmlValue::FromInt32(10), true},
                         {XmlValue::FromString("1,5"), XmlValue::FromFloat64(1.5), true},
                         {XmlValue::FromString("11"), XmlValue::FromInt32(10), false},
                         {XmlValue::FromString("abc"), XmlValue::FromInt32(10), false},
                         {XmlValue::FromString(""), XmlValue::FromInt32(0), false},
                         {XmlValue::FromString("true"), XmlValue::FromBoolean(true), true},
                         {XmlValue::FromString("0"), XmlValue::FromBoolean(false), true},
                         {XmlValue::FromString("yes"), XmlValue::FromBoolean(true), false}};
  for (const TCase& c : cases) {
    EXPECT_EQ(XmlSameValue(c.A, c.B), c.Same) << c.A.ByteView();
    EXPECT_EQ(XmlSameValue(c.B, c.A), c.Same) << c.A.ByteView();
  }
}

}  // namespace
