#include <gtest/gtest.h>

#include "XmlDom/XmlElement.h"
#include "XmlTestSupport.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

class TextStorage : public TXmlTest {
 protected:
  Ref<IXmlDocument> doc_ = MakeXmlDocument("e");
  Ref<IXmlElement> e_ = doc_->GetDocumentElement();

  std::string Kinds() {
    std::string kinds;
    Ref<IXmlNodeList> children = e_->GetChildNodes();
    for (int i = 0; i < children->GetCount(); ++i)
      kinds += std::to_string(children->GetItem(i)->GetNodeType());
    return kinds;
  }
};

TEST_F(TextStorage, CDataReplacesTextAndSplitsAtTheTerminator) {
  e_->AddChildText("old");
  e_->AddChildElement("keep");
  e_->AddChildCDATA("old");
  e_->SetTextAsCDATA("a]]>b");
  EXPECT_EQ(Kinds(), "144");
  Ref<IXmlNodeList> children = e_->GetChildNodes();
  EXPECT_EQ(children->GetItem(1)->ToCDATASection()->GetText(), "a]");
  EXPECT_EQ(children->GetItem(2)->GetText(), "]>b");
  e_->SetTextAsCDATA("plain");
  EXPECT_EQ(Kinds(), "14");
  e_->SetTextAsCDATA("");
  EXPECT_EQ(Kinds(), "14");
  EXPECT_EQ(e_->GetDirectText(), "");
}

TEST_F(TextStorage, AHeldValueSurvivesInFrontOfTheSections) {
  e_->SetNodeValue(XmlValue::FromInt32(5));
  e_->SetTextAsCDATA("x");
  EXPECT_EQ(Kinds(), "34");
  EXPECT_EQ(e_->GetDirectText(), "5x");
}

TEST_F(TextStorage, Base64RoundTrip) {
  const std::string bytes("\x00\x01\xFE\xFF\x80 binary", 12);
  e_->AddChildComment("stays");
  e_->SetTextAsBase64(bytes.data(), int(bytes.size()), 8);
  EXPECT_EQ(Kinds(), "83");
  EXPECT_EQ(e_->GetChildNodes()->GetItem(1)->GetText(), "AAH+/4Ag\r\nYmluYXJ5");
  EXPECT_EQ(e_->GetTextFromBase64(), bytes);
  e_->SetTextAsBase64(bytes.data(), int(bytes.size()), 0);
  EXPECT_EQ(e_->GetChildNodes()->GetItem(1)->GetText(), "AAH+/4AgYmluYXJ5");
  e_->SetTextAsBase64(nullptr, 0, 76);
  EXPECT_EQ(Kinds(), "83");
  EXPECT_EQ(e_->GetTextFromBase64(), "");
  EXPECT_EQ(ErrorOf([&] { e_->SetTextAsBase64(nullptr, 4, 0); }), msg::kRangeCheckError);
  EXPECT_EQ(ErrorOf([&] { e_->SetTextAsBase64(bytes.data(), -1, 0); }), msg::kRangeCheckError);
}

TEST_F(TextStorage, DirectTextJoinsOnlyDirectTextAndCData) {
  e_->AddChildText(" a ");
  e_->AddChildElement("inner")->SetText("skipped");
  e_->AddChildCDATA("  b  ");
  e_->AddChildComment("skipped");
  e_->AddChildText("c");
  EXPECT_EQ(e_->GetDirectText(), " a bc");
  doc_->SetKeepWhitespace(true);
  EXPECT_EQ(e_->GetDirectText(), " a   b  c");
}

}  // namespace
