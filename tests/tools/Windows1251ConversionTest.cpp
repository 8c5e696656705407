// UTF-8 and UTF-16 documents made into the windows-1251 text the module reads as intended.

#include "Windows1251Conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "Привет" in UTF-8, and in windows-1251.
const std::string kUtf8Privet = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
const std::string kCp1251Privet = "\xCF\xF0\xE8\xE2\xE5\xF2";

std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : text) {
    const char high = char(unit >> 8), low = char(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// The message of the failure, or "(converted)".
std::string Failure(std::string_view bytes, TSourceEncoding encoding) {
  try {
    ConvertToWindows1251(bytes, encoding);
  } catch (const EEncodingError& error) {
    return error.what();
  }
  return "(converted)";
}

TEST(Windows1251Conversion, EveryCharacterBecomesItsByteOrAQuestionMark) {
  // U+00BD (one half) and U+1F600 (an emoji) are not in windows-1251; U+20AC (euro) is.
  const TWindows1251Text text = ConvertToWindows1251(
      "<a>" + kUtf8Privet + " \xC2\xBD \xE2\x82\xAC \xF0\x9F\x98\x80</a>", TSourceEncoding::Utf8);
  EXPECT_EQ(text.Text, "<a>" + kCp1251Privet + " ? \x88 ?</a>");
  EXPECT_EQ(text.Replaced, 2u);
  const std::u16string wide = u"<a>\u041F\u0440\u0438\u0432\u0435\u0442 \U0001F600</a>";
  for (bool bigEndian : {false, true}) {
    const std::string mark = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (TSourceEncoding encoding : {TSourceEncoding::Utf16, TSourceEncoding::Auto}) {
      const TWindows1251Text utf16 = ConvertToWindows1251(mark + Utf16(wide, bigEndian), encoding);
      EXPECT_EQ(utf16.Text, "<a>" + kCp1251Privet + " ?</a>") << bigEndian;
      EXPECT_EQ(utf16.Replaced, 1u) << "a surrogate pair is one character";
    }
    EXPECT_EQ(ConvertToWindows1251(Utf16(wide, bigEndian), TSourceEncoding::Auto).Text,
              "<a>" + kCp1251Privet + " ?</a>")
        << "without a mark, the first \"<\" tells the byte order";
  }
}

TEST(Windows1251Conversion, AutoGoesByTheMarkThenTheDeclaration) {
  EXPECT_EQ(
      ConvertToWindows1251("\xEF\xBB\xBF<a>" + kUtf8Privet + "</a>", TSourceEncoding::Auto).Text,
      "<a>" + kCp1251Privet + "</a>")
      << "the byte-order mark is dropped, not made a text node";
  EXPECT_EQ(ConvertToWindows1251("<a>" + kUtf8Privet + "</a>", TSourceEncoding::Auto).Text,
            "<a>" + kCp1251Privet + "</a>")
      << "neither: UTF-8";
  const std::string cp1251 =
      "<?xml version='1.0' encoding='Windows-1251'?><a>" + kCp1251Privet + "</a>";
  EXPECT_EQ(ConvertToWindows1251(cp1251, TSourceEncoding::Auto).Text, cp1251);
  EXPECT_EQ(Failure(cp1251, TSourceEncoding::Utf8), "not UTF-8 (byte 0xCF) at line 1, column 49");
  EXPECT_EQ(Failure("<?xml version=\"1.0\" encoding=\"KOI8-R\"?><a/>", TSourceEncoding::Auto),
            "declares the encoding \"KOI8-R\"; --from auto reads UTF-8, UTF-16 and windows-1251");
  EXPECT_EQ(Failure("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>", TSourceEncoding::Auto),
            "declares the encoding \"UTF-16\" but is written in 8-bit bytes");
}

TEST(Windows1251Conversion, BytesThatAreNotOfTheEncodingNameTheirPlace) {
  EXPECT_EQ(Failure("<a>\r\n\tx\xFF</a>", TSourceEncoding::Utf8),
            "not UTF-8 (byte 0xFF) at line 2, column 3");
  EXPECT_EQ(Failure("\xC0\xAF", TSourceEncoding::Utf8), "not UTF-8 (byte 0xC0) at line 1, column 1")
      << "an overlong form";
  EXPECT_EQ(Failure("a\xED\xA0\x80", TSourceEncoding::Utf8),
            "not UTF-8 (byte 0xED) at line 1, column 2")
      << "a surrogate";
  EXPECT_EQ(Failure("ab\xE2\x82", TSourceEncoding::Utf8),
            "not UTF-8 (byte 0xE2) at line 1, column 3")
      << "cut short";
  EXPECT_EQ(Failure(std::string("\xFF\xFE<\0", 4), TSourceEncoding::Auto), "(converted)");
  EXPECT_EQ(Failure(std::string("\xFF\xFE<\0\x00", 5), TSourceEncoding::Auto),
            "not UTF-16: an odd number of bytes");
  EXPECT_EQ(Failure(std::string("<\0\n\0\x00\xDC", 6), TSourceEncoding::Utf16),
            "not UTF-16 (a lone surrogate) at line 2, column 1");
}

TEST(Windows1251Conversion, TheDeclarationSaysWindows1251) {
  EXPECT_EQ(DeclaredWindows1251("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a/>"),
            "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<a/>");
  EXPECT_EQ(DeclaredWindows1251("<?xml version='1.0' encoding = 'utf8' standalone='yes'?><a/>"),
            "<?xml version='1.0' encoding = 'windows-1251' standalone='yes'?><a/>");
  EXPECT_EQ(DeclaredWindows1251("<?xml version=\"1.0\"?><a/>"),
            "<?xml version=\"1.0\" encoding=\"windows-1251\"?><a/>");
  EXPECT_EQ(DeclaredWindows1251("<?xml ?><a/>"), "<?xml encoding=\"windows-1251\" ?><a/>");
  EXPECT_EQ(DeclaredWindows1251("<a encoding='x'/>"), "<a encoding='x'/>") << "no declaration";
  EXPECT_EQ(DeclaredWindows1251("<?xml-stylesheet href='a'?><a/>"),
            "<?xml-stylesheet href='a'?><a/>");
  EXPECT_EQ(DeclaredWindows1251("<?xml version='1.0'?><a encoding='x'/>"),
            "<?xml version='1.0' encoding=\"windows-1251\"?><a encoding='x'/>")
      << "only the declaration's own";
}

TEST(Windows1251Conversion, EncodingsAreNamedAsPeopleWriteThem) {
  EXPECT_EQ(SourceEncodingNamed("UTF-8"), TSourceEncoding::Utf8);
  EXPECT_EQ(SourceEncodingNamed("utf8"), TSourceEncoding::Utf8);
  EXPECT_EQ(SourceEncodingNamed("utf-16"), TSourceEncoding::Utf16);
  EXPECT_EQ(SourceEncodingNamed("Auto"), TSourceEncoding::Auto);
  EXPECT_FALSE(SourceEncodingNamed("koi8-r"));
}

}  // namespace
