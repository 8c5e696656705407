#include <gtest/gtest.h>

#include <cmath>

#include "XmlDom/XmlDateTime.h"
#include "XmlDom/XmlElement.h"
#include "XmlTestSupport.h"
#include "common/FormatText.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

class Attributes : public TXmlTest {
 protected:
  Ref<TXmlNameTable> table_ = MakeLoose<TXmlNameTable>();
  Ref<IXmlDocument> doc_ = MakeXmlDocument("e", "1.0", "", table_.Get());
  Ref<IXmlElement> e_ = doc_->GetDocumentElement();
  TXmlLocaleScope locale_{LocaleWithMark('.')};

  std::string CannotConvert(const char* from, const char* to) {
    return FormatText(msg::kCannotConvertVariant, {from, to});
  }
};

TEST_F(Attributes, OrderOfFirstSettingAndReplacementInPlace) {
  e_->SetTextAttr("a", "1");
  e_->SetTextAttr("b", "2");
  e_->SetTextAttr("c", "3");
  e_->SetTextAttr("a", "again");
  EXPECT_EQ(e_->GetAttributeCount(), 3);
  EXPECT_EQ(e_->GetAttributeName(0), "a");
  EXPECT_EQ(e_->GetTextAttr("a", ""), "again");
  e_->RemoveAttribute("b");
  e_->RemoveAttribute("missing");
  e_->SetTextAttr("d", "4");
  EXPECT_EQ(e_->GetXML(), "\r\n<e a=\"again\" c=\"3\" d=\"4\"/>");
  EXPECT_EQ(e_->GetAttributeNameIndex(1), table_->FindName("c"));
  EXPECT_EQ(ErrorOf([&] { e_->GetAttributeNameIndex(3); }), msg::kListIndexOutOfRange.View());
  EXPECT_EQ(ErrorOf([&] { e_->GetAttributeName(-1); }), msg::kListIndexOutOfRange.View());
  e_->ClearAttributes();
  EXPECT_EQ(e_->GetAttributeCount(), 0);
  EXPECT_FALSE(e_->HasAttribute("a"));
}

TEST_F(Attributes, ArrayGrowsInSteps) {
  auto& attributes = static_cast<TXmlElement&>(*e_).Attributes();
  std::vector<int> capacities;
  for (int i = 0; i < 70; ++i) {
    const int before = attributes.Capacity();
    e_->SetIntAttr(std::string(1, 'a').append(std::to_string(i)), i);
    if (attributes.Capacity() != before) capacities.push_back(attributes.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76}));
  EXPECT_EQ(e_->GetIntAttr("a69", -1), 69);
}

TEST_F(Attributes, LookupsInternNamesAndEmptyNamesCannotBeSet) {
  const int names = table_->NameCount();
  EXPECT_FALSE(e_->HasAttribute("never"));
  EXPECT_EQ(table_->NameCount(), names + 1);
  EXPECT_EQ(e_->GetAttributeType("never"), 256);
  const std::string missingName(msg::kAttributeNameMissing.View());
  EXPECT_EQ(ErrorOf([&] { e_->SetTextAttr("", "x"); }), missingName);
  EXPECT_EQ(ErrorOf([&] { e_->SetIntAttr(-1, 1); }), missingName);
  EXPECT_EQ(ErrorOf([&] { e_->SetValueAttr(99, XmlValue()); }), msg::kListIndexOutOfRange.View());
  EXPECT_EQ(e_->GetAttributeCount(), 0);
}

TEST_F(Attributes, TypedSettersKeepTheirTypes) {
  e_->SetIntAttr("i", 7);
  e_->SetBoolAttr("b", true);
  e_->SetDoubleAttr("d", 0.5);
  e_->SetDateAttr("t", 45356.5);
  e_->SetHexNumberAttr("h", 255, 4);
  e_->SetValueAttr("v", XmlValue::FromInt16(3));
  EXPECT_EQ(e_->GetAttributeType("i"), 3);
  EXPECT_EQ(e_->GetAttributeType("b"), 11);
  EXPECT_EQ(e_->GetAttributeType("d"), 5);
  EXPECT_EQ(e_->GetAttributeType("t"), 7);
  EXPECT_EQ(e_->GetAttributeType("h"), 256);
  EXPECT_EQ(e_->GetAttributeType("v"), 2);
  EXPECT_EQ(e_->GetTextAttr("i", ""), "7");
  EXPECT_TRUE(e_->GetBoolAttr("i", false));
  EXPECT_EQ(e_->GetIntAttr("b", 0), -1);
  EXPECT_EQ(e_->GetTextAttr("h", ""), "00FF");
  EXPECT_EQ(e_->GetHexNumberAttr("h", 0), 255);
  EXPECT_EQ(e_->GetValueAttr("v", XmlValue()), XmlValue::FromInt16(3));
  EXPECT_EQ(e_->RequireValueAttr(table_->FindName("v")), XmlValue::FromInt16(3));
  EXPECT_EQ(e_->RequireValueAttr("v"), XmlValue::FromString("3"));
  EXPECT_EQ(e_->GetXML(),
            "\r\n<e i=\"7\" b=\"1\" d=\"0.5\" t=\"2024-03-05T12-00-00\" h=\"00FF\" v=\"3\"/>");
}

TEST_F(Attributes, DefaultsOnlyForAbsentAttributes) {
  EXPECT_EQ(e_->GetTextAttr("x", ""), "");
  EXPECT_EQ(e_->GetTextAttr("x", "def"), "def");
  EXPECT_EQ(e_->GetIntAttr("x", 9), 9);
  EXPECT_TRUE(e_->GetBoolAttr("x", true));
  EXPECT_EQ(e_->GetDoubleAttr("x", 1.5), 1.5);
  EXPECT_EQ(e_->GetDateAttr("x", 3), 3);
  EXPECT_EQ(e_->GetHexNumberAttr("x", 17), 17);
  EXPECT_EQ(e_->GetChoiceAttr("x", {"a"}, 5), 5);
  EXPECT_EQ(e_->GetValueAttr("x", XmlValue::FromInt32(4)), XmlValue::FromInt32(4));
  e_->SetTextAttr("empty", "");
  EXPECT_EQ(ErrorOf([&] { e_->GetIntAttr("empty", 9); }), CannotConvert("String", "Boolean"));
  EXPECT_EQ(ErrorOf([&] { e_->GetBoolAttr("empty", true); }), CannotConvert("String", "Boolean"));
  EXPECT_EQ(ErrorOf([&] { e_->GetDoubleAttr("empty", 1); }), FormatText(msg::kInvalidFloat, {""}));
  EXPECT_EQ(ErrorOf([&] { e_->GetDateAttr("empty", 1); }), FormatText(msg::kInvalidDateTime, {""}));
  EXPECT_EQ(ErrorOf([&] { e_->GetHexNumberAttr("empty", 1); }),
            FormatText(msg::kInvalidInteger, {"$"}));
  EXPECT_EQ(e_->GetTextAttr("empty", "def"), "");
}

TEST_F(Attributes, RequiredAttributesNameTheMissingOne) {
  const std::string notSet = FormatText(msg::kAttributeNotSet, {"need"});
  EXPECT_EQ(ErrorOf([&] { e_->RequireTextAttr("need"); }), notSet);
  EXPECT_EQ(ErrorOf([&] { e_->RequireValueAttr("need"); }), notSet);
  EXPECT_EQ(ErrorOf([&] { e_->RequireDoubleAttr("need"); }), notSet);
  const int id = table_->FindName("need");
  EXPECT_EQ(ErrorOf([&] { e_->RequireTextAttr(id); }), notSet);
  EXPECT_EQ(ErrorOf([&] { e_->RequireValueAttr(id); }), notSet);
  EXPECT_EQ(ErrorOf([&] { e_->RequireDoubleAttr(id); }), notSet);
  EXPECT_EQ(ErrorOf([&] { e_->RequireChoiceAttr("need", {"a"}); }),
            FormatText(msg::kAttributeNotFound, {"need"}));
  e_->SetTextAttr("need", "2,5");
  EXPECT_EQ(e_->RequireDoubleAttr("need"), 2.5);
  EXPECT_EQ(e_->RequireTextAttr(id), "2,5");
  e_->SetValueAttr("null", XmlValue::Null());
  EXPECT_EQ(ErrorOf([&] { e_->RequireTextAttr("null"); }), CannotConvert("Null", "String"));
  EXPECT_EQ(ErrorOf([&] { e_->GetTextAttr("null", ""); }), CannotConvert("Null", "String"));
}

TEST_F(Attributes, TextValuesConvertByTheTextRules) {
  const std::pair<const char*, bool> booleans[] = {
      {"true", true}, {"TRUE", true}, {"1", true}, {"false", false}, {"0", false}};
  for (const auto& [text, expected] : booleans) {
    e_->SetTextAttr("b", text);
    EXPECT_EQ(e_->GetBoolAttr("b", !expected), expected) << text;
  }
  e_->SetTextAttr("b", "yes");
  EXPECT_EQ(ErrorOf([&] { e_->GetBoolAttr("b", true); }), CannotConvert("String", "Boolean"));
  const std::pair<const char*, int> integers[] = {{"42", 42}, {"-7", -7}, {"$1F", 31}, {"true", 1}};
  for (const auto& [text, expected] : integers) {
    e_->SetTextAttr("i", text);
    EXPECT_EQ(e_->GetIntAttr("i", 0), expected) << text;
  }
  e_->SetTextAttr("i", "abc");
  EXPECT_EQ(ErrorOf([&] { e_->GetIntAttr("i", 0); }), CannotConvert("String", "Boolean"));
  e_->SetTextAttr("h", "ff");
  EXPECT_EQ(e_->GetHexNumberAttr("h", 0), 255);
  e_->SetHexNumberAttr("h", -1, 8);
  EXPECT_EQ(e_->GetTextAttr("h", ""), "FFFFFFFF");
  EXPECT_EQ(e_->GetHexNumberAttr("h", 0), -1);
}

TEST_F(Attributes, FloatsReadEitherMarkInEitherLocale) {
  for (char mark : {'.', ','}) {
    TXmlLocaleScope scope(LocaleWithMark(mark));
    e_->SetTextAttr("f", "1.5");
    EXPECT_EQ(e_->GetDoubleAttr("f", 0), 1.5);
    e_->SetTextAttr("f", "1,5");
    EXPECT_EQ(e_->GetDoubleAttr("f", 0), 1.5);
    e_->SetTextAttr("f", "1,234.5");
    EXPECT_EQ(ErrorOf([&] { e_->GetDoubleAttr("f", 0); }),
              FormatText(msg::kInvalidFloat, {"1,234.5"}));
    e_->SetDoubleAttr("f", 1.5);
    EXPECT_EQ(e_->GetTextAttr("f", ""), mark == '.' ? "1.5" : "1,5");
    EXPECT_EQ(e_->GetDoubleAttr("f", 0), 1.5);
    EXPECT_EQ(e_->GetXML(), "\r\n<e f=\"1.5\"/>");
  }
}

TEST_F(Attributes, DatesReadTheXmlForm) {
  TXmlDateTime expected = 0;
  ASSERT_TRUE(EncodeXmlDateTime({2024, 2, 29, 13, 45, 7}, expected));
  e_->SetTextAttr("d", "2024-02-29T13-45-07");
  EXPECT_EQ(e_->GetDateAttr("d", 0), expected);
  e_->SetTextAttr("d", "2024-02-29");
  EXPECT_EQ(e_->GetDateAttr("d", 0), std::floor(expected));
  e_->SetTextAttr("d", "2024-02-30");
  EXPECT_EQ(ErrorOf([&] { e_->GetDateAttr("d", 0); }),
            FormatText(msg::kInvalidDateTime, {"2024-02-30"}));
  e_->SetIntAttr("d", 2);
  EXPECT_EQ(e_->GetDateAttr("d", 0), 2);
  e_->SetDateAttr("d", expected);
  EXPECT_EQ(e_->GetDateAttr("d", 0), expected);
}

TEST_F(Attributes, WordListsIgnoreCaseAndListTheWordsOnFailure) {
  const std::vector<std::string> words{"left", "center", "right"};
  e_->SetTextAttr("align", "Center");
  EXPECT_EQ(e_->GetChoiceAttr("align", words, -1), 1);
  EXPECT_EQ(e_->RequireChoiceAttr("align", words), 1);
  e_->SetTextAttr("align", "middle");
  const std::string expected =
      FormatText(msg::kBadAttributeChoice, {"align", "e", "left\r\ncenter\r\nright"});
  EXPECT_EQ(ErrorOf([&] { e_->GetChoiceAttr("align", words, 0); }), expected);
  EXPECT_EQ(ErrorOf([&] { e_->RequireChoiceAttr(table_->FindName("align"), words); }), expected);
  EXPECT_EQ(ErrorOf([&] { e_->GetChoiceAttr("align", {}, 0); }),
            FormatText(msg::kBadAttributeChoice, {"align", "e", ""}));
  e_->SetIntAttr("n", 2);
  EXPECT_EQ(e_->GetChoiceAttr("n", {"1", "2"}, -1), 1);
}

TEST_F(Attributes, AttributesOfOtherKindsOfNodes) {
  auto pi = doc_->CreateProcessingInstruction("target", "");
  pi->SetTextAttr("x", "1");
  EXPECT_EQ(pi->GetXML(), "<?target x=\"1\"?>");
  auto text = doc_->CreateText("t");
  text->SetTextAttr("x", "1");
  EXPECT_EQ(text->GetIntAttr("x", 0), 1);
  EXPECT_EQ(text->GetXML(), "t");
}

}  // namespace
