#include "XmlDom/XmlSerializer.h"

#include <gtest/gtest.h>

#include "XmlDom/StringBuilder.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlValueText.h"
#include "XmlTestSupport.h"
#include "common/FormatText.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

class Serializer : public TXmlTest {
 protected:
  Ref<IXmlDocument> doc_ = MakeXmlDocument();
  Ref<IXmlElement> root_ = doc_->AddChildElement("r");

  void Compact() { doc_->SetKeepWhitespace(true); }
};

TEST_F(Serializer, IndentedLayoutPutsElementsOnTheirOwnLines) {
  root_->AddChildElement("a")->SetText("t");
  root_->AddChildElement("b");
  EXPECT_EQ(doc_->GetXML(), "\r\n<r>\r\n\t<a>t</a>\r\n\t<b/>\r\n</r>");
  EXPECT_EQ(root_->GetXML(), doc_->GetXML());
  // A node deep in its tree still starts at depth 0.
  EXPECT_EQ(root_->GetChildNodes()->GetItem(0)->GetXML(), "\r\n<a>t</a>");
  EXPECT_EQ(XmlIndentDepth(), 0);
}

TEST_F(Serializer, CompactLayoutWritesTheTreeAsHeld) {
  Compact();
  root_->AddChildElement("a")->SetText("t");
  root_->AddChildElement("b");
  EXPECT_EQ(doc_->GetXML(), "<r><a>t</a><b/></r>");
}

TEST_F(Serializer, DeeperLevelsIndentOneTabEach) {
  auto a = root_->AddChildElement("a");
  a->AddChildElement("b")->AddChildElement("c")->SetText("x");
  a->AddChildText("tail");
  EXPECT_EQ(doc_->GetXML(),
            "\r\n<r>\r\n\t<a>\r\n\t\t<b>\r\n\t\t\t<c>x</c>\r\n\t\t</b>tail\r\n\t</a>\r\n</r>");
}

TEST_F(Serializer, EndTagFollowsLineBreaksInText) {
  root_->AddChildText("a\r\nb");
  EXPECT_EQ(root_->GetXML(), "\r\n<r>a\r\nb\r\n</r>");
  root_->SetText("a\r\n");
  root_->GetChildNodes();  // the text becomes a child; same output either way
  EXPECT_EQ(root_->GetXML(), "\r\n<r>a\r\n</r>");
  auto nested = root_->AddChildElement("n");
  nested->AddChildText("x\ny");
  EXPECT_EQ(nested->GetXML(), "\r\n<n>x\ny\r\n</n>");
  Compact();
  EXPECT_EQ(root_->GetXML(), "<r>a\r\n<n>x\ny</n></r>");
}

TEST_F(Serializer, EmptyElementsAndAttributes) {
  root_->SetTextAttr("empty", "");
  root_->SetTextAttr("q", "\"&<>' \t");
  EXPECT_EQ(root_->GetXML(), "\r\n<r empty=\"\" q=\"&quot;&amp;&lt;&gt;' \t\"/>");
  Compact();
  EXPECT_EQ(root_->GetXML(), "<r empty=\"\" q=\"&quot;&amp;&lt;&gt;' \t\"/>");
  root_->SetText("");  // a value whose text is empty writes nothing either
  EXPECT_EQ(root_->GetXML(), "<r empty=\"\" q=\"&quot;&amp;&lt;&gt;' \t\"/>");
  root_->AddChildText("");
  EXPECT_EQ(root_->GetXML(), "<r empty=\"\" q=\"&quot;&amp;&lt;&gt;' \t\"/>");
}

TEST_F(Serializer, ValuesAreWrittenInTheirXmlForms) {
  Compact();
  root_->SetNodeValue(XmlValue::FromBoolean(true));
  root_->SetValueAttr("null", XmlValue::Null());
  root_->SetDoubleAttr("half", 0.5);
  root_->SetValueAttr("cur", XmlValue::FromCurrency(125000));
  root_->SetValueAttr("wide", XmlValue::FromWideString(u"<\u0416>"));  // 0xC6 in windows-1251
  root_->SetValueAttr("bytes", XmlValue::FromByteArray("\x01\x02\x03\x04\x05"));
  EXPECT_EQ(root_->GetXML(),
            "<r null=\"{{null}}\" half=\"0.5\" cur=\"12.5\" wide=\"&lt;\xC6&gt;\" "
            "bytes=\"AQIDBAU=\">1</r>");
  auto text = root_->AddChildText("");
  text->SetNodeValue(XmlValue::FromString("a<b"));
  EXPECT_EQ(text->GetXML(), "a&lt;b");
}

TEST_F(Serializer, CDataSectionsSplitAroundTheirTerminator) {
  auto c = root_->AddChildCDATA("x]]>y");
  EXPECT_EQ(c->GetXML(), "<![CDATA[x]]]><![CDATA[]>y]]>");
  c->SetText("a]]>]]>b<&");
  EXPECT_EQ(c->GetXML(), "<![CDATA[a]]]><![CDATA[]>]]]><![CDATA[]>b<&]]>");
  c->SetText("");
  EXPECT_EQ(c->GetXML(), "<![CDATA[]]>");
  EXPECT_EQ(doc_->CreateComment(" -- a<b ")->GetXML(), "<!-- -- a<b -->");
}

TEST_F(Serializer, InstructionDataKeepsItsOwnLeadingWhitespace) {
  EXPECT_EQ(doc_->CreateProcessingInstruction("t", "x")->GetXML(), "<?t x?>");
  EXPECT_EQ(doc_->CreateProcessingInstruction("t", " data")->GetXML(), "<?t data?>");
  EXPECT_EQ(doc_->CreateProcessingInstruction("t", "\tdata")->GetXML(), "<?t\tdata?>");
  EXPECT_EQ(doc_->CreateProcessingInstruction("t", "\r\ndata")->GetXML(), "<?t\r\ndata?>");
  EXPECT_EQ(doc_->CreateProcessingInstruction("xml-stylesheet", "href=\"a\"")->GetXML(),
            "<?xml-stylesheet href=\"a\"?>");
  auto declaration = doc_->CreateProcessingInstruction("xml", "");
  EXPECT_EQ(declaration->GetXML(), "<?xml?>");
  declaration->SetTextAttr("version", "1.0");
  declaration->SetTextAttr("encoding", "windows-1251");
  EXPECT_EQ(declaration->GetXML(), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>");
}

TEST_F(Serializer, AValueWithoutTextFormFailsTheWriteAndTheDepthComesBack) {
  auto a = root_->AddChildElement("a");
  a->AddChildElement("b")->SetDateAttr("when", 1e300);
  EXPECT_EQ(ErrorOf([&] { doc_->GetXML(); }), FormatText(msg::kInvalidDateTime, {"1E300"}));
  EXPECT_EQ(XmlIndentDepth(), 0);
  a->GetChildNodes()->Clear();
  EXPECT_EQ(doc_->GetXML(), "\r\n<r>\r\n\t<a/>\r\n</r>");
}

TEST_F(Serializer, NodeListsWriteTheirItemsWithoutSeparators) {
  root_->AddChildElement("a");
  root_->AddChildText("t");
  root_->AddChildComment("c");
  EXPECT_EQ(root_->GetChildNodes()->GetXML(), "\r\n<a/>t<!--c-->");
  EXPECT_EQ(MakeLoose<TXmlNodeList>()->GetXML(), "");
}

TEST_F(Serializer, DocumentsInDocumentsUseTheirOwnLayout) {
  auto inner = MakeXmlDocument("inner");
  inner->SetKeepWhitespace(true);
  inner->GetDocumentElement()->AddChildElement("x");
  root_->AppendChild(inner.Get());
  EXPECT_EQ(doc_->GetXML(),
            "\r\n<r><?xml version=\"\" encoding=\"windows-1251\"?><inner><x/></inner></r>");
}

TEST(StringBuilder, GrowsByTheRuleAndKeepsItsText) {
  TStringBuilder builder;
  builder.Add("abc");
  EXPECT_EQ(builder.Capacity(), 7u);  // n <= 8: n + 4
  builder.Add("defghi");
  EXPECT_EQ(builder.Capacity(), 25u);  // 9: n + 16
  builder.Add(std::string(70, 'x'));
  EXPECT_EQ(builder.Capacity(), 98u);  // 79: n + n / 4
  builder.Add("");
  builder.SetAt(0, 'A');
  EXPECT_EQ(builder.Length(), 79u);
  EXPECT_EQ(builder.GetText(), "Abcdefghi" + std::string(70, 'x'));
  builder.AddRepeated('\t', 3);
  EXPECT_EQ(builder.View().substr(78), "x\t\t\t");
  builder.Init();
  EXPECT_EQ(builder.GetText(), "");
  EXPECT_EQ(builder.Capacity(), 0u);
}

TEST(StringBuilder, LargeTextsDoubleTheStorageAndKeepEveryCharacter) {
  TStringBuilder builder;
  std::string expected;
  std::size_t growths = 0;
  for (int i = 0; expected.size() < 3 * TStringBuilder::kLargeText; ++i) {
    const std::size_t before = builder.Capacity();
    const std::string piece = "<e" + std::to_string(i) + ">";
    builder.Add(piece);
    builder.AddRepeated('\t', std::size_t(i % 40));
    builder.Add('\n');
    expected += piece + std::string(std::size_t(i % 40), '\t') + '\n';
    if (builder.Capacity() == before) continue;
    EXPECT_GE(builder.Capacity(), builder.Length());
    if (builder.Length() > TStringBuilder::kLargeText) ++growths;
  }
  EXPECT_LE(growths, 2u);  // from 64 KiB to 192 KiB
  EXPECT_EQ(builder.Length(), expected.size());
  EXPECT_EQ(builder.GetText(), expected);
}

TEST(EscapeXml, ReturnsItsInputWhenNothingNeedsEscaping) {
  std::string plain(100, 'p');
  const char* storage = plain.data();
  const std::string result = EscapeXml(std::move(plain));
  EXPECT_EQ(result.data(), storage);
  EXPECT_EQ(EscapeXml("a\"b&c<d>e'f"), "a&quot;b&amp;c&lt;d&gt;e'f");
  EXPECT_EQ(EscapeXml(""), "");
}

}  // namespace
