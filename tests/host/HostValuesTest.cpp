// Our host's values and value services: what a module relies on, and the checks that catch a
// module misusing them.

#include <gtest/gtest.h>

#include "host/XtraHost.h"

namespace {

using dxhost::THostValue;

class HostValuesTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(host.LiveValues(), 0u); }

  dxhost::TXtraHost host;
  dxhost::THostValues& V = host.Values();
  IMoaMmValue& values = host.ValueService();
};

TEST_F(HostValuesTest, ValuesPrintInLingosTextForm) {
  EXPECT_EQ(host.Text(V.String("text")), "\"text\"");
  EXPECT_EQ(host.Text(V.Integer(42)), "42");
  EXPECT_EQ(host.Text(V.Float(3.14)), "3.1400");
  EXPECT_EQ(host.Text(V.Symbol("name")), "#name");
  EXPECT_EQ(host.Text(V.List({V.Integer(1), V.Integer(2)})), "[1, 2]");
  EXPECT_EQ(host.Text(V.List({})), "[]");
  EXPECT_EQ(host.Text(V.PropertyList({{V.Symbol("a"), V.Integer(1)}})), "[#a: 1]");
  EXPECT_EQ(host.Text(V.PropertyList({{V.String("k"), V.List({})}})), "[\"k\": []]");
  EXPECT_EQ(host.Text(V.PropertyList({})), "[:]");
  EXPECT_EQ(host.Text(V.Point(1, 2)), "point(1, 2)");
  EXPECT_EQ(host.Text(V.Rect(1, 2, 3, 4)), "rect(1, 2, 3, 4)");
  EXPECT_EQ(host.Text(V.RGB(255, 0, 16)), "rgb(255, 0, 16)");
  EXPECT_EQ(host.Text(V.PaletteIndex(5)), "paletteIndex(5)");
  EXPECT_EQ(host.Text(V.Void()), "<Void>");
  EXPECT_EQ(host.Text(V.Object("dxProbe")), "<Xtra child \"dxProbe\">");
}

TEST_F(HostValuesTest, SymbolsCompareWithoutRegardToCaseAndKeepTheirFirstSpelling) {
  MoaMmSymbol first = 0;
  MoaMmSymbol second = 0;
  ASSERT_EQ(values.StringToSymbol("Width", &first), kMoaOk);
  ASSERT_EQ(values.StringToSymbol("WIDTH", &second), kMoaOk);
  EXPECT_EQ(first, second);
  EXPECT_NE(first, V.Intern("height"));
  char buffer[4];
  ASSERT_EQ(values.SymbolToString(first, buffer, sizeof buffer), kMoaOk);
  EXPECT_STREQ(buffer, "Wid");  // cut to the buffer, terminator included
  EXPECT_EQ(values.SymbolToString(9999, buffer, sizeof buffer), dxhost::kHostErrNotFound);
}

TEST_F(HostValuesTest, ReleasedValuesAreRecognisedAndRefused) {
  MoaMmValue value{};
  ASSERT_EQ(values.IntegerToValue(5, &value), kMoaOk);
  const MoaMmValue copy = value;
  EXPECT_EQ(values.ValueAddRef(&value), kMoaOk);
  EXPECT_EQ(values.ValueRelease(&value), kMoaOk);
  EXPECT_EQ(value.Word[0], 0u);  // the releasing copy becomes void
  MoaLong type = -1;
  EXPECT_EQ(values.ValueType(&copy, &type), kMoaOk);
  MoaMmValue last = copy;
  EXPECT_EQ(values.ValueRelease(&last), kMoaOk);
  // The box is free, then given to a new value: the old name no longer reaches it.
  const THostValue reuse = V.String("new");
  EXPECT_EQ(values.ValueType(&copy, &type), dxhost::kHostErrBadValue);
  MoaLong integer = 0;
  EXPECT_EQ(values.ValueToInteger(&reuse.Raw(), &integer), dxhost::kHostErrBadValue);
  EXPECT_EQ(V.BadUses(), 2);
}

TEST_F(HostValuesTest, StringsCopyIntoBuffersWithTheirTerminator) {
  const THostValue text = V.String("abcdef");
  MoaLong length = 0;
  ASSERT_EQ(values.StringLength(&text.Raw(), &length), kMoaOk);
  EXPECT_EQ(length, 6);
  char buffer[8] = "zzzzzzz";
  ASSERT_EQ(values.ValueToString(&text.Raw(), buffer, 4), kMoaOk);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], 'z');
}

TEST_F(HostValuesTest, ListsCountFromOneAndHoldTheirElements) {
  IMoaMmList& lists = host.ValueService().Lists();
  THostValue list = V.List({V.Integer(1)});
  const THostValue two = V.String("two");
  ASSERT_EQ(lists.AppendValue(const_cast<MoaMmValue*>(&list.Raw()), &two.Raw()), kMoaOk);
  EXPECT_EQ(lists.CountElements(&list.Raw()), 2);
  MoaMmValue item{};
  EXPECT_EQ(lists.GetValueByIndex(&list.Raw(), 0, &item), dxhost::kHostErrNotFound);
  EXPECT_EQ(lists.GetValueByIndex(&list.Raw(), 3, &item), dxhost::kHostErrNotFound);
  ASSERT_EQ(lists.GetValueByIndex(&list.Raw(), 2, &item), kMoaOk);
  EXPECT_EQ(host.Text(THostValue(V, item)), "\"two\"");
  EXPECT_EQ(lists.AppendProperty(const_cast<MoaMmValue*>(&list.Raw()), &two.Raw(), &two.Raw()),
            dxhost::kHostErrBadValue);  // a linear list has no properties
  list = {};
  EXPECT_EQ(host.Text(two), "\"two\"");  // still held by the test
}

TEST_F(HostValuesTest, PropertiesAreFoundByNameAndOnlyReplacedWhenPresent) {
  IMoaMmList& lists = host.ValueService().Lists();
  const THostValue list =
      V.PropertyList({{V.Symbol("a"), V.Integer(1)}, {V.String("a"), V.Integer(2)}});
  const THostValue symbol = V.Symbol("A");
  const THostValue missing = V.Symbol("b");
  MoaMmValue found{};
  ASSERT_EQ(lists.GetValueByProperty(&list.Raw(), &symbol.Raw(), &found), kMoaOk);
  EXPECT_EQ(host.Text(THostValue(V, found)), "1");
  const THostValue three = V.Integer(3);
  MoaMmValue* raw = const_cast<MoaMmValue*>(&list.Raw());
  EXPECT_EQ(lists.SetValueByProperty(raw, &missing.Raw(), &three.Raw()), dxhost::kHostErrNotFound);
  ASSERT_EQ(lists.SetValueByProperty(raw, &symbol.Raw(), &three.Raw()), kMoaOk);
  EXPECT_EQ(host.Text(list), "[#a: 3, \"a\": 2]");
  ASSERT_EQ(lists.GetPropertyNameByIndex(&list.Raw(), 2, &found), kMoaOk);
  EXPECT_EQ(host.Text(THostValue(V, found)), "\"a\"");
}

TEST_F(HostValuesTest, PointsAndRectsAreStoredVerticalWordFirst) {
  const THostValue point = V.Point(10, 20);
  MoaPointRecord record{};
  ASSERT_EQ(values.ValueToPoint(&point.Raw(), &record), kMoaOk);
  EXPECT_EQ(record.V, 20);
  EXPECT_EQ(record.H, 10);
  const THostValue rect = V.Rect(1, 2, 3, 4);
  MoaRectRecord corners{};
  ASSERT_EQ(values.ValueToRect(&rect.Raw(), &corners), kMoaOk);
  EXPECT_EQ(corners.Top, 2);
  EXPECT_EQ(corners.Left, 1);
  EXPECT_EQ(corners.Bottom, 4);
  EXPECT_EQ(corners.Right, 3);
}

}  // namespace
