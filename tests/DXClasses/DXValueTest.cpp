// TDXValue and TDXArgList in this process, over our host's value service.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "DXClasses/DXArgList.h"
#include "DXClasses/DXValue.h"
#include "host/HostSlots.h"
#include "host/XtraHost.h"

namespace {

using dxhost::THostValue;

class DXValueTest : public testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(host.LiveValues(), 0u);
    EXPECT_EQ(host.Values().BadUses(), 0);
  }

  // The value read from a host value, written back into a new host value.
  std::string RoundTrip(const THostValue& in, TDXValueKind expectedKind) {
    TDXValue value;
    value.ReadFromHost(host.ValueService(), in.Raw());
    EXPECT_EQ(value.ValueKind(), expectedKind);
    MoaMmValue out{};
    value.WriteToHost(host.ValueService(), out);
    return host.Text(THostValue(host.Values(), out));
  }

  dxhost::TXtraHost host;
  dxhost::THostValues& V = host.Values();
};

TEST_F(DXValueTest, FreshValueIsVoidAndEmpty) {
  const TDXValue value;
  EXPECT_EQ(value.ValueKind(), dvVoid);
  EXPECT_EQ(value.AsInteger(), 0);
  EXPECT_EQ(value.AsFloat(), 0.0);
  EXPECT_FALSE(value.AsBoolean());
  EXPECT_EQ(value.AsString(), "");
  EXPECT_EQ(value.AsPoint(), TDXPoint{});
  EXPECT_EQ(value.AsRect(), TDXRect{});
  EXPECT_EQ(value.AsColor(), 0u);
  EXPECT_EQ(value.AsSymbol(), 0);
  EXPECT_EQ(value.AsPair(), TDXPair{});
  EXPECT_FALSE(value.AsList());
  EXPECT_FALSE(value.AsPropertyList());
}

TEST_F(DXValueTest, NumericSettersKeepIntegerFloatAndBooleanInStep) {
  TDXValue value;
  value.SetAsFloat(-2.7);
  EXPECT_EQ(value.ValueKind(), dvFloat);
  EXPECT_EQ(value.AsInteger(), -2);
  EXPECT_TRUE(value.AsBoolean());
  value.SetAsFloat(0.4);
  EXPECT_EQ(value.AsInteger(), 0);
  EXPECT_FALSE(value.AsBoolean());
  value.SetAsBoolean(true);
  EXPECT_EQ(value.ValueKind(), dvInteger);
  EXPECT_EQ(value.AsInteger(), 1);
  EXPECT_EQ(value.AsFloat(), 1.0);
  value.SetAsInteger(0);
  EXPECT_FALSE(value.AsBoolean());
  value.SetAsInteger(-7);
  EXPECT_EQ(value.AsFloat(), -7.0);
  EXPECT_TRUE(value.AsBoolean());
}

TEST_F(DXValueTest, FloatOutsideTheIntegerRangeLeavesTheIntegerSlotZero) {
  TDXValue value;
  value.SetAsFloat(1e300);
  EXPECT_EQ(value.AsInteger(), 0);
  EXPECT_FALSE(value.AsBoolean());
  value.SetAsFloat(-2147483648.9);
  EXPECT_EQ(value.AsInteger(), std::numeric_limits<std::int32_t>::min());
  value.SetAsFloat(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(value.AsInteger(), 0);
  EXPECT_TRUE(std::isnan(value.AsFloat()));
}

TEST_F(DXValueTest, SlotsDoNotConvertAndSettersClearTheOthers) {
  TDXValue value;
  value.SetAsString("12");
  EXPECT_EQ(value.AsInteger(), 0);
  value.SetAsInteger(12);
  EXPECT_EQ(value.AsString(), "");
  value.SetAsPair({3, 4});
  value.SetAsPoint({1, 2});
  EXPECT_EQ(value.AsInteger(), 0);
  // Clearing keeps the pair slot; only the setter of a pair replaces it.
  EXPECT_EQ(value.AsPair(), (TDXPair{3, 4}));
  value.Clear();
  EXPECT_EQ(value.ValueKind(), dvVoid);
  EXPECT_EQ(value.AsPoint(), TDXPoint{});
  EXPECT_EQ(value.AsPair(), (TDXPair{3, 4}));
}

TEST_F(DXValueTest, HostValuesRoundTripWithTheirTypes) {
  EXPECT_EQ(RoundTrip(V.Integer(-5), dvInteger), "-5");
  EXPECT_EQ(RoundTrip(V.String("a\tb"), dvString), "\"a\tb\"");
  EXPECT_EQ(RoundTrip(V.Float(1.25), dvFloat), "1.2500");
  EXPECT_EQ(RoundTrip(V.Point(-1, 2), dvPoint), "point(-1, 2)");
  EXPECT_EQ(RoundTrip(V.Rect(-1, 2, 30, 40), dvRect), "rect(-1, 2, 30, 40)");
  EXPECT_EQ(RoundTrip(V.RGB(0, 1, 2), dvColor), "rgb(0, 1, 2)");
  EXPECT_EQ(RoundTrip(V.PaletteIndex(128), dvColor), "rgb(127, 127, 127)");
  EXPECT_EQ(RoundTrip(V.Pair(-1, 5), dvPair), "pair(-1, 5)");
  EXPECT_EQ(RoundTrip(V.List({V.Integer(1)}), dvList), "[1]");
  EXPECT_EQ(RoundTrip(V.PropertyList({}), dvPropertyList), "[:]");
  EXPECT_EQ(RoundTrip(V.Symbol("Sym"), dvInteger), std::to_string(V.Intern("sym")));
}

// A host string is read by its length, zero bytes and all (binary XML holds them); what goes
// back to the host is zero-terminated, so it ends at the first zero byte.
TEST_F(DXValueTest, HostStringsKeepTheirWholeLength) {
  TDXValue value;
  const std::string binary("<\0b\0", 4);
  value.ReadFromHost(host.ValueService(), V.String(binary).Raw());
  EXPECT_EQ(value.ValueKind(), dvString);
  EXPECT_EQ(value.AsString(), binary);
  EXPECT_EQ(RoundTrip(V.String(binary), dvString), "\"<\"");
}

// A host that fills less than the length it announced leaves zeros, never the bytes of the
// string the value held before.
TEST_F(DXValueTest, UnfilledBytesOfAHostStringAreZeros) {
  TDXValue value;
  value.ReadFromHost(host.ValueService(), V.String("secret").Raw());
  host.Faults().Fail(dxhost::kValuesValueToString);
  value.ReadFromHost(host.ValueService(), V.String("public").Raw());
  EXPECT_EQ(value.ValueKind(), dvString);
  EXPECT_EQ(value.AsString(), std::string(6, '\0'));
}

TEST_F(DXValueTest, HostSymbolReadsAsItsSymbolAndItsNumber) {
  TDXValue value;
  value.ReadFromHost(host.ValueService(), V.Symbol("width").Raw());
  EXPECT_EQ(value.AsSymbol(), V.Intern("WIDTH"));
  EXPECT_EQ(value.AsInteger(), value.AsSymbol());
  EXPECT_TRUE(value.AsBoolean());
}

TEST_F(DXValueTest, ColourWordsLoseTheirTopByte) {
  TDXValue value;
  const THostValue odd(V, V.MakeWords(kMoaValueColor, {MoaLong(0x7F123456)}));
  value.ReadFromHost(host.ValueService(), odd.Raw());
  EXPECT_EQ(value.AsColor(), 0x123456u);
  EXPECT_EQ(value.AsInteger(), 0);
  value.SetAsColor(0xFFABCDEF);
  MoaMmValue out{};
  value.WriteToHost(host.ValueService(), out);
  EXPECT_EQ(host.Text(THostValue(V, out)), "rgb(171, 205, 239)");
}

TEST_F(DXValueTest, ValuesWithoutHostFormLeaveTheDestinationAlone) {
  const THostValue me = V.Object("x");
  TDXValue value;
  value.ReadFromHost(host.ValueService(), me.Raw());
  EXPECT_EQ(value.ValueKind(), dvObject);
  MoaMmValue destination = V.MakeInteger(7);
  value.WriteToHost(host.ValueService(), destination);
  value.Clear();
  value.WriteToHost(host.ValueService(), destination);
  value.SetAsList(nullptr);
  value.WriteToHost(host.ValueService(), destination);
  EXPECT_EQ(host.Text(THostValue(V, destination)), "7");
}

TEST_F(DXValueTest, ArgListAppendsEachKindThroughItsSetter) {
  TDXArgList args;
  args.AddInteger(3);
  args.AddFloat(2.5);
  args.AddString("s");
  args.AddPoint({1, 2});
  args.AddRect({1, 2, 3, 4});
  args.AddColor(0x010203);
  args.AddSymbol(9);
  args.AddPair({5, 6});
  args.AddList(nullptr);
  args.AddPropertyList(nullptr);
  ASSERT_EQ(args.Count(), 10);
  const TDXValueKind kinds[] = {dvInteger, dvFloat,  dvString, dvPoint, dvRect,
                                dvColor,   dvSymbol, dvPair,   dvList,  dvPropertyList};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(args.Item(i)->ValueKind(), kinds[i]) << i;
  EXPECT_EQ(args.Item(1)->AsInteger(), 2);
  EXPECT_EQ(args.Item(6)->AsSymbol(), 9);
  args.Clear();
  EXPECT_EQ(args.Count(), 0);
}

TEST_F(DXValueTest, ArgListItemsOutsideTheListAreFreshVoidValues) {
  TDXArgList args;
  args.AddString("only");
  Ref<IDXValue> outside = args.Item(1);
  EXPECT_EQ(outside->ValueKind(), dvVoid);
  outside->SetAsInteger(5);
  EXPECT_EQ(args.Item(1)->ValueKind(), dvVoid);
  EXPECT_EQ(args.Item(-1)->ValueKind(), dvVoid);
  EXPECT_EQ(args.Count(), 1);
}

TEST_F(DXValueTest, ArgListLoadsAndStoresRangesOfHostArguments) {
  const THostValue in[] = {V.Integer(1), V.String("two"), V.Float(3)};
  MoaMmValue raw[3] = {in[0].Raw(), in[1].Raw(), in[2].Raw()};
  TDXArgList args;
  args.LoadFromCall(host.ValueService(), raw, 1, 3);
  ASSERT_EQ(args.Count(), 2);
  EXPECT_EQ(args.Item(0)->AsString(), "two");
  EXPECT_EQ(args.Item(1)->AsFloat(), 3.0);
  args.LoadFromCall(host.ValueService(), raw, 2, 1);
  EXPECT_EQ(args.Count(), 0);

  args.LoadFromCall(host.ValueService(), raw, 0, 2);
  MoaMmValue out[3] = {};
  args.StoreToCall(host.ValueService(), out, 1, 2);
  EXPECT_EQ(host.Text(out[0]), "<Void>");
  EXPECT_EQ(host.Text(THostValue(V, out[1])), "1");
  EXPECT_EQ(host.Text(THostValue(V, out[2])), "\"two\"");
}

}  // namespace
