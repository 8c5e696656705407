// What a Lingo string brings to the parser: every byte the host announces (binary XML holds
// zero bytes), character references above 255, and the lines that errors name.

#include "ParserFixture.h"
#include "XmlDom/BinXmlReader.h"
#include "XmlDom/XmlDom.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/File.h"

#ifndef _WIN32
#include <cerrno>
#endif

using namespace xmldom;

namespace {

using testing_support::ScratchFolder;
using testing_support::WriteWholeFile;

#ifdef _WIN32
constexpr int kInvalidName = 123;  // ERROR_INVALID_NAME
#else
constexpr int kInvalidName = EINVAL;
#endif

const char kCatalogue[] =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
    "<!-- leading comment -->\r\n"
    "<catalogue count=\"2\">\r\n"
    "  <item id=\"1\" name=\"&lt;first&gt; &amp; best\">plain text</item>\r\n"
    "  <item id=\"2\"><![CDATA[raw <cdata>]]><note>\xF2\xE5\xEA\xF1\xF2</note></item>\r\n"
    "  <?process some data?>\r\n"
    "  <\xFD\xEB\xE5\xEC \xE0\xF2\xF0=\"\xE7\xED\xE0\xF7\"/>\r\n"
    "</catalogue>\r\n";

std::string CatalogueAsBinary(int options) {
  const Ref<IXmlDocument> document = MakeXmlDocument();
  document->LoadXML(kCatalogue);
  const std::string path = ScratchFolder("catalogue") + "/catalogue.bxml";
  document->SaveAsBinary(path, options);
  return testing_support::ReadWholeFile(path);
}

// A value of every type, on attributes and as element values.
std::string EveryValueTypeAsBinary() {
  const Ref<IXmlDocument> document = MakeXmlDocument({}, {}, {}, MakeXmlNameTable().Get());
  const Ref<IXmlElement> root = document->InitDocument("1.0", "", "\xEA\xEE\xF0\xE5\xED\xFC");
  const XmlValue values[] = {XmlValue(),
                             XmlValue::Null(),
                             XmlValue::FromInt16(-2),
                             XmlValue::FromInt32(-3),
                             XmlValue::FromFloat32(0.5f),
                             XmlValue::FromFloat64(0.25),
                             XmlValue::FromCurrency(12345),
                             XmlValue::FromDateTime(45000.25),
                             XmlValue::FromWideString(u"\x0416-\x00E9"),
                             XmlValue::FromBoolean(true),
                             XmlValue::FromInt8(-8),
                             XmlValue::FromUInt8(200),
                             XmlValue::FromUInt16(60000),
                             XmlValue::FromUInt32(4000000000u),
                             XmlValue::FromInt64(-5000000000),
                             XmlValue::FromString("text"),
                             XmlValue::FromByteArray(std::string("\0\1\2", 3))};
  for (const XmlValue& value : values) {
    std::string name(1, 'v');
    name += std::to_string(value.Type());
    root->SetValueAttr(name, value);
    root->AddChildElement(name)->SetNodeValue(value);
  }
  return document->ToBinaryString();
}

class TextInputTest : public ParserTest {
 protected:
  // The document as a script walks it from its document element: each node's name and text,
  // child by child, and the XML of the whole.
  std::string Walk() {
    Call("startXML");
    return Text("getXML") + WalkFromHere(0);
  }

  std::string LoadedFromFileAndWalked(const std::string& bytes) {
    const std::string path = ScratchFolder("binary-input") + "/doc.bxml";
    WriteWholeFile(path, bytes);
    EXPECT_EQ(Call("loadFromFile", {S(path)}), "1") << ErrorMsg();
    return Walk();
  }

  std::string LoadedFromTextAndWalked(const std::string& bytes) {
    EXPECT_EQ(Call("loadFromText", {S(bytes)}), "1") << ErrorMsg();
    return Walk();
  }

  std::string ErrorOfText(const std::string& xml) {
    EXPECT_EQ(Call("loadFromText", {S(xml)}), "0");
    return ErrorMsg();
  }

 private:
  std::string WalkFromHere(int depth) {
    std::string out(std::size_t(depth) * 2, ' ');
    out.append(NodeName()).append(" ").append(Quoted(Text("getText"))).append("\n");
    const int count = std::stoi(Call("childCount"));
    for (int i = 1; i <= count; ++i) {
      EXPECT_EQ(Call("selectChild", {I(i)}), "1");
      out += WalkFromHere(depth + 1);
      EXPECT_EQ(Call("parentNode"), "1");
    }
    return out;
  }
};

TEST_F(TextInputTest, BinaryXmlLoadsFromTextAsFromAFile) {
  const std::string documents[] = {CatalogueAsBinary(0), CatalogueAsBinary(kBinXmlWideStrings),
                                   EveryValueTypeAsBinary()};
  for (const std::string& bytes : documents) {
    ASSERT_NE(bytes.find('\0'), std::string::npos) << "binary XML holds zero bytes";
    const std::string fromFile = LoadedFromFileAndWalked(bytes);
    ASSERT_GT(fromFile.size(), 100u);
    EXPECT_EQ(LoadedFromTextAndWalked(bytes), fromFile);
    EXPECT_TRUE(IsNoError());
  }
}

// A zero byte is a character of the text like any other: it neither ends the document nor
// hides what follows it.
TEST_F(TextInputTest, AZeroByteInTextIsACharacter) {
  LoadText(std::string("<r>a\0b<c/></r>", 14));
  EXPECT_EQ(Call("childCount"), "2");
  EXPECT_EQ(Call("selectChild", {I(2)}), "1");
  EXPECT_EQ(NodeName(), "c");
  LoadText(std::string("\0<r n='1'/>", 11));
  EXPECT_EQ(NodeName(), "r");
  EXPECT_EQ(Call("getIntAttr", {S("n")}), "1");
  EXPECT_EQ(ErrorOfText(std::string("<r>\0</x>", 8)),
            FormatText(msg::kExpected, {std::string_view("r"), 0, 6}));
}

// A file name with a zero byte would be opened only up to it, as another file: it opens none.
TEST_F(TextInputTest, AFileNameHoldingAZeroByteIsRefused) {
  const std::string path = ScratchFolder("zero-name") + "/doc.xml";
  WriteWholeFile(path, "<r/>");
  EXPECT_EQ(Call("loadFromFile", {S(path + std::string("\0.txt", 5))}), "0");
  EXPECT_EQ(ErrorMsg(),
            FormatText(msg::kCannotOpenFile,
                       {platform::FullPathName(path), platform::SystemErrorText(kInvalidName)}));
  EXPECT_EQ(NodeName(), "");
}

TEST_F(TextInputTest, ReferencesAboveByteRangeAreCodePageCharacters) {
  LoadText("<a>&#1044;&#8364;&#65;</a>");
  EXPECT_EQ(Text("getText"), "\xC4\x88\x41");
  LoadText("<a v='&#x2116;&#x4E2D;&#x10FFFF;&#x110000;&#255;'/>");
  EXPECT_EQ(Text("getTextAttr", {S("v")}), "\xB9???\xFF");
}

TEST_F(TextInputTest, ErrorsNameTheLineWhateverTheLineEnds) {
  const std::string error = FormatText(msg::kStringConstantExpected, {4, 6});
  EXPECT_EQ(ErrorOfText("<r>\n\n\n\n<b x=1/>\n</r>"), error);
  EXPECT_EQ(ErrorOfText("<r>\r\n\r\n\r\n\r\n<b x=1/>\r\n</r>"), error);
  EXPECT_EQ(ErrorOfText("<r>\n\r\n\n\r\n<b x=1/>\r\n</r>"), error);
  const std::string path = ScratchFolder("lines") + "/lf.xml";
  WriteWholeFile(path, "<r>\n\n\n\n<b x=1/>\n</r>");
  EXPECT_EQ(Call("loadFromFile", {S(path)}), "0");
  EXPECT_EQ(ErrorMsg(), FormatText(msg::kWithFileName, {error, path}));
}

}  // namespace
