// Host lists through the framework's list wrappers: counting, element access by 0-based
// positions, properties by symbol and by name, lists made by Xtra code and lists passed back.

#include "ModuleFixture.h"

namespace {

using dxhost::THostValue;

}  // namespace

class ListCallTest : public ProbeTest {
 protected:
  THostValue Numbers() { return V().List({V().Integer(1), V().Integer(2), V().Integer(3)}); }
  THostValue Properties() {
    return V().PropertyList(
        {{V().Symbol("a"), V().Integer(1)}, {V().Symbol("b"), V().String("x")}});
  }
};

TEST_F(ListCallTest, ListsAreCountedByTheHost) {
  const THostValue numbers = Numbers();
  EXPECT_EQ(Call("listInfo", {numbers}), "\"list 3\"");
  // The call's hold on its arguments ends with the call.
  EXPECT_EQ(V().Find(numbers.Raw())->References, 1);
  EXPECT_EQ(Call("listInfo", {Properties()}), "\"propertyList 2\"");
  EXPECT_EQ(Call("listInfo", {V().List({})}), "\"list 0\"");
  EXPECT_EQ(Call("listInfo", {V().Integer(3)}), "\"none\"");
}

TEST_F(ListCallTest, ElementsAreReadByPositionsFromZero) {
  EXPECT_EQ(Call("listItem", {Numbers(), V().Integer(0)}), "1");
  EXPECT_EQ(Call("listItem", {Numbers(), V().Integer(2)}), "3");
  EXPECT_EQ(Call("listItem", {Properties(), V().Integer(1)}), "\"x\"");
  EXPECT_EQ(Call("listItem", {Numbers(), V().Integer(3)}), "\"nothing\"");
  EXPECT_EQ(Call("listItem", {Numbers(), V().Integer(-1)}), "\"nothing\"");
}

TEST_F(ListCallTest, ListPassedBackIsTheSameHostList) {
  const THostValue list = Numbers();
  EXPECT_EQ(Call("listAppend", {list, V().String("four")}), "[1, 2, 3, \"four\"]");
  EXPECT_EQ(Text(list), "[1, 2, 3, \"four\"]");
  // A symbol passes through Xtra code as the integer that carries it.
  const std::string one = std::to_string(V().Intern("one"));
  EXPECT_EQ(Call("listSetItem", {list, V().Integer(0), V().Symbol("one")}),
            "[" + one + ", 2, 3, \"four\"]");
  EXPECT_EQ(Call("listAppend", {list, V().List({V().Float(0.5)})}),
            "[" + one + ", 2, 3, \"four\", [0.5000]]");
  EXPECT_EQ(Call("echo", {list}), Text(list));
}

TEST_F(ListCallTest, PropertiesAreFoundBySymbolAndByNameWithoutRegardToCase) {
  const THostValue list = Properties();
  EXPECT_EQ(Call("propGet", {list, V().Symbol("b")}), "\"x\"");
  EXPECT_EQ(Call("propGetByName", {list, V().String("A")}), "1");
  EXPECT_EQ(Call("propGetByName", {list, V().String("missing")}), "\"nothing\"");
  EXPECT_EQ(Call("propName", {list, V().Integer(1)}), "\"b\"");
  EXPECT_EQ(Call("propName", {list, V().Integer(2)}), "\"\"");
}

TEST_F(ListCallTest, SettingAPropertyReplacesItOrAddsIt) {
  const THostValue list = Properties();
  EXPECT_EQ(Call("propSet", {list, V().String("B"), V().Integer(7)}), "[#a: 1, #b: 7]");
  EXPECT_EQ(Call("propSet", {list, V().String("c"), V().Rect(1, 2, 3, 4)}),
            "[#a: 1, #b: 7, #c: rect(1, 2, 3, 4)]");
  EXPECT_EQ(Text(list), "[#a: 1, #b: 7, #c: rect(1, 2, 3, 4)]");
}

TEST_F(ListCallTest, XtraCodeMakesPropertyListsOfItsOwn) {
  EXPECT_EQ(Call("newPropList"), "[#a: 1, #b: 1]");
  EXPECT_EQ(Call("listInfo", {V().PropertyList({})}), "\"propertyList 0\"");
}
