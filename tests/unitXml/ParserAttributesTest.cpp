// Typed attributes of the current node: defaults, conversions and their failures.

#include "ParserFixture.h"
#include "XmlDom/XmlDom.h"
#include "common/Error.h"

using namespace xmldom;

namespace {

constexpr std::string_view kElement = "<n a='x' b='1' c='2.5' t='true' o='1' y='yes' e=''/>";

// The failure the library raises for a getter on kElement.
template <class TGetter>
std::string LibraryFailure(TGetter getter) {
  const Ref<IXmlDocument> document = MakeXmlDocument();
  document->LoadXML(kElement);
  try {
    getter(*document->GetDocumentElement());
  } catch (const EXmlError& failure) {
    return failure.Message();
  }
  return "(converted)";
}

class AttributeTest : public ParserTest {
 protected:
  void SetUp() override {
    ParserTest::SetUp();
    if (!HasFatalFailure()) LoadText(kElement);
  }
};

TEST_F(AttributeTest, TextAttributes) {
  EXPECT_EQ(Call("getTextAttr", {S("a")}), "\"x\"");
  EXPECT_EQ(Call("getTextAttr", {S("z")}), "\"\"");
  EXPECT_EQ(Call("getTextAttr", {S("A")}), "\"\"") << "names match exactly";
  EXPECT_EQ(Call("getTextAttr", {S("c")}), "\"2.5\"");
  EXPECT_TRUE(IsNoError());
}

TEST_F(AttributeTest, IntegerAttributes) {
  EXPECT_EQ(Call("getIntAttr", {S("b")}), "1");
  EXPECT_EQ(Call("getIntAttr", {S("z")}), "0");
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(Call("getIntAttr", {S("a")}), "0");
  EXPECT_EQ(ErrorMsg(), LibraryFailure([](IXmlNode& n) { n.GetIntAttr("a", 0); }));
  EXPECT_NE(ErrorMsg(), "");
}

TEST_F(AttributeTest, FloatAttributes) {
  EXPECT_EQ(Call("getDoubleAttr", {S("c")}), "2.5000");
  EXPECT_EQ(Call("getDoubleAttr", {S("b")}), "1.0000");
  EXPECT_EQ(Call("getDoubleAttr", {S("z")}), "0.0000");
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(Call("getDoubleAttr", {S("a")}), "0.0000");
  EXPECT_EQ(ErrorMsg(), LibraryFailure([](IXmlNode& n) { n.GetDoubleAttr("a", 0); }));
}

TEST_F(AttributeTest, BooleanAttributes) {
  EXPECT_EQ(Call("getBoolAttr", {S("t")}), "1");
  EXPECT_EQ(Call("getBoolAttr", {S("o")}), "1");
  EXPECT_EQ(Call("getBoolAttr", {S("z")}), "0");
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(Call("getBoolAttr", {S("y")}), "0");
  EXPECT_EQ(ErrorMsg(), LibraryFailure([](IXmlNode& n) { n.GetBoolAttr("y", false); }));
  EXPECT_NE(ErrorMsg(), "");
}

TEST_F(AttributeTest, NodesWithoutAttributesAnswerTheDefaults) {
  LoadText("<n a='5'>text</n>");
  ASSERT_EQ(Call("selectChild", {I(1)}), "1");
  EXPECT_EQ(Call("getIntAttr", {S("a")}), "0");
  EXPECT_EQ(Call("getTextAttr", {S("a")}), "\"\"");
  EXPECT_TRUE(IsNoError());
}

TEST_F(AttributeTest, WithoutACurrentNodeNothingIsRecorded) {
  EXPECT_EQ(Call("getIntAttr", {S("a")}), "0");  // a failure to keep
  const std::string failure = ErrorMsg();
  Call("nextNode");
  ASSERT_EQ(NodeName(), "");
  EXPECT_EQ(Call("getTextAttr", {S("a")}), "\"\"");
  EXPECT_EQ(Call("getBoolAttr", {S("t")}), "0");
  EXPECT_EQ(Call("getIntAttr", {S("b")}), "0");
  EXPECT_EQ(Call("getDoubleAttr", {S("c")}), "0.0000");
  EXPECT_EQ(ErrorMsg(), failure);
}

}  // namespace
