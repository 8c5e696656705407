// No Lingo call, however wrong its arguments, crashes the module, leaks or raises into Lingo:
// the failure shows only in the error state. The fixture checks the host's counts after each
// test; the asan leg checks the module's own memory.

#include <string>
#include <vector>

#include "ParserFixture.h"
#include "common/Messages.h"
#include "unitXml/zelXMLParser.h"

namespace {

constexpr auto kMethods = DXLingoSignatures<TzelXMLParser>();

class BadInputTest : public ParserTest {
 protected:
  // Argument lists of every wrong kind, for any method.
  std::vector<std::vector<dxhost::THostValue>> WrongArguments() {
    dxhost::THostValues& v = host.Values();
    return {
        {},
        {v.Void(), v.Void(), v.Void()},
        {I(-1), I(-2147483647 - 1)},
        {v.Float(-1e300), v.Float(3.99)},
        {Sym("root"), Sym("a")},
        {v.List({S("a"), S("b")}), v.List({})},
        {v.PropertyList({{Sym("a"), S("b")}}), v.PropertyList({})},
        {v.Point(1, 2), v.Rect(1, 2, 3, 4)},
        {v.RGB(1, 2, 3), v.Pair(1, 2)},
        {v.Object("zelXMLParser"), v.Object("zelXMLParser")},
        {S(std::string(1 << 20, 'a')), I(1)},
        {S(std::string("a\0b", 3)), S("\xFF\xFE")},
        {S("a"), I(1), S("extra"), I(4), v.List({})},
    };
  }

  // Every method with every argument list, from a loaded document; each call leaves the
  // instance able to answer. (Projector: errorLog and errorDialog switch nothing on.)
  void CallEverything(std::string_view xml) {
    for (const auto& args : WrongArguments())
      for (const TDXLingoSignature& signature : kMethods) {
        const std::string_view method = signature.Name;
        LoadText(xml);
        const dxhost::THostValue result = host.Call(parser, Selector(method), args);
        ASSERT_GE(host.Values().TypeOf(result.Raw()), 0) << method;
        ASSERT_EQ(host.Values().TypeOf(host.Call(parser, "errorMsg").Raw()), kMoaValueString)
            << method;
      }
  }
};

TEST_F(BadInputTest, NoCallOfAnyKindUpsetsTheInstance) {
  CallEverything("<root a='1'><a><b/></a><c>t</c></root>");
  CallEverything("");
}

TEST_F(BadInputTest, MissingArgumentsReadAsVoid) {
  EXPECT_EQ(Call("loadFromText"), "1") << "no text: an empty document";
  EXPECT_EQ(NodeName(), "");
  LoadText("<r><b/><b/></r>");
  EXPECT_EQ(Call("selectNode", {S("b")}), "0");
  EXPECT_EQ(ErrorMsg(), std::string(msg::kListIndexOutOfRange.View())) << "item 0";
  EXPECT_EQ(Call("selectSingleNode"), "0");
  EXPECT_EQ(ErrorMsg(), std::string(msg::kNotSupported.View())) << "the empty name";
  EXPECT_EQ(Call("pathNode"), "1") << "the empty path";
  EXPECT_EQ(Call("getTextAttr"), "\"\"");
  EXPECT_EQ(Call("loadFromFile"), "0");
  EXPECT_EQ(Call("testL"), "<Void>");
  Call("errorLog");
  Call("errorDialog");
}

TEST_F(BadInputTest, WrongKindsReadAsTheEmptyValueOfTheirSlot) {
  LoadText("<r><b/><b/></r>");
  // A list where a string belongs reads as the empty string: an empty document.
  EXPECT_EQ(Call("loadFromText", {host.Values().List({S("<a/>")})}), "1");
  EXPECT_EQ(NodeName(), "");
  LoadText("<r><b/><b/></r>");
  // A string where an integer belongs reads as 0; a float is cut toward zero.
  EXPECT_EQ(Call("selectChild", {S("2")}), "0");
  EXPECT_EQ(Call("selectChild", {host.Values().Float(2.9)}), "1");
  EXPECT_EQ(Call("nextNode"), "<Void>");
  EXPECT_EQ(NodeName(), "");
}

TEST_F(BadInputTest, HugeAndDeepInputsFailCleanly) {
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "<d>";
  EXPECT_EQ(Call("loadFromText", {S(deep)}), "0");
  EXPECT_NE(ErrorMsg(), "");
  LoadText("<r/>");
  const std::string longName(4 << 20, 'n');
  EXPECT_EQ(Call("selectSingleNode", {S(longName)}), "0");
  EXPECT_EQ(Call("nodeCount", {S(longName)}), "0");
  EXPECT_EQ(Call("getTextAttr", {S(longName)}), "\"\"");
  std::string longPath;
  for (int i = 0; i < 100000; ++i) longPath += "r/";
  EXPECT_EQ(Call("pathNode", {S(longPath)}), "0");
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(Call("loadFromFile", {S(std::string(100000, 'f'))}), "0");
  EXPECT_NE(ErrorMsg(), "");
}

TEST_F(BadInputTest, ListsThatHoldThemselvesShowWithoutEnd) {
  dxhost::THostValues& v = host.Values();
  const dxhost::THostValue list = v.List({I(1)});
  dxhost::THostBox& box = *v.Find(list.Raw());
  for (int i = 0; i < 3; ++i) {
    v.AddRef(list.Raw());
    box.Items.push_back(list.Raw());
  }
  host.Call(parser, "testL", {list});  // not printed here: the host's printer would not end
  const auto boxes = testing_support::TakeCapturedBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text.substr(0, 8), "[1, [1, ");
  EXPECT_LT(boxes[0].Text.size(), 200000u);
  // The host's list holds itself: take the loops apart before it goes.
  for (int i = 0; i < 3; ++i) {
    MoaMmValue item = box.Items.back();
    box.Items.pop_back();
    v.Release(item);
  }
}

TEST_F(BadInputTest, InstancesAreIndependentAndForgetEverything) {
  LoadText("<r><a/></r>");
  dxhost::TXtraInstance other = host.New("zelXMLParser");
  ASSERT_TRUE(other);
  EXPECT_EQ(host.Text(host.Call(other, "loadFromText", {S("<other/>")})), "1");
  EXPECT_EQ(NodeName(), "r");
  EXPECT_EQ(host.Text(host.Call(other, "childCount", {})), "0");
  EXPECT_EQ(host.Text(host.Call(other, "selectSingleNode", {S("*")})), "0");
  EXPECT_TRUE(IsNoError());
  other.Release();
  EXPECT_EQ(Call("selectSingleNode", {S("a")}), "1");
  for (int i = 0; i < 50; ++i) {
    dxhost::TXtraInstance many = host.New("zelXMLParser");
    host.Call(many, "loadFromText", {S("<x><y/></x>")});
    host.Call(many, "selectChild", {I(1)});
  }
}

}  // namespace
