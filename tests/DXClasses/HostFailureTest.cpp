// Host services that fail: every Lingo call still answers 0 with a clean result, nothing is
// read that the host did not write, and nothing leaks.

#include "ModuleFixture.h"
#include "ProbeIds.h"
#include "host/HostSlots.h"

namespace {

using dxhost::THostValue;

constexpr MoaError kRefused = MoaError(0x80047777);

}  // namespace

class HostFailureTest : public ProbeTest {
 protected:
  void Fail(dxhost::THostSlot operation) { host.Faults().Fail(operation, kRefused); }
};

TEST_F(HostFailureTest, ValuesTheHostCannotDescribeReadAsVoid) {
  Fail(dxhost::kValuesValueType);
  EXPECT_EQ(Call("describe", {V().Integer(5)}).substr(0, 7), "\"kind=0");
}

TEST_F(HostFailureTest, FailedConversionsLeaveEmptySlots) {
  Fail(dxhost::kValuesValueToInteger);
  Fail(dxhost::kValuesValueToFloat);
  Fail(dxhost::kValuesValueToString);
  Fail(dxhost::kValuesValueToPoint);
  EXPECT_EQ(Call("describe", {V().Integer(5)}).substr(0, 14), "\"kind=2 int=0 ");
  EXPECT_EQ(Call("describe", {V().Float(5.5)}).substr(0, 22), "\"kind=4 int=0 float=0 ");
  EXPECT_EQ(Call("echo", {V().String("lost")}), "\"\"");
  EXPECT_EQ(Call("echo", {V().Point(3, 4)}), "point(0, 0)");
}

TEST_F(HostFailureTest, ResultTheHostCannotMakeIsNotWritten) {
  Fail(dxhost::kValuesStringToValue);
  EXPECT_EQ(Call("join", {V().String("a"), V().String("b")}), "<Void>");
  Fail(dxhost::kColorsColorToValue);
  EXPECT_EQ(Call("echo", {V().RGB(1, 2, 3)}), "<Void>");
}

TEST_F(HostFailureTest, ColourAndPairServicesThatAreMissingGiveEmptyValues) {
  host.Faults().Refuse(kIID_IMoaColorService);
  host.Faults().Refuse(kIID_IMoaPairService);
  EXPECT_NE(Call("describe", {V().RGB(1, 2, 3)})
                .find("kind=7 int=0 float=0 bool=0 str= "
                      "point=0,0 rect=0,0,0,0 color=000000 "),
            std::string::npos);
  EXPECT_NE(Call("describe", {V().Pair(1, 2)}).find("pair=0,0 "), std::string::npos);
  EXPECT_EQ(Call("makeValue", {V().String("color")}), "<Void>");
  EXPECT_EQ(Call("makeValue", {V().String("pair")}), "<Void>");
}

TEST_F(HostFailureTest, ListsWithoutAListServiceAreEmpty) {
  host.Faults().Refuse(kIID_IMoaMmList);
  const THostValue list = V().List({V().Integer(1)});
  EXPECT_EQ(Call("listInfo", {list}), "\"list 0\"");
  EXPECT_EQ(Call("listItem", {list, V().Integer(0)}), "\"nothing\"");
  EXPECT_EQ(Call("listAppend", {list, V().Integer(2)}), "[1]");
  EXPECT_EQ(
      Call("propName", {V().PropertyList({{V().Symbol("a"), V().Integer(1)}}), V().Integer(0)}),
      "\"\"");
  // A property list made without a list service is an inert empty one.
  EXPECT_EQ(Call("newPropList"), "<Void>");
}

TEST_F(HostFailureTest, ListOperationsTheHostRefusesGiveNothing) {
  Fail(dxhost::kListsGetValueByIndex);
  Fail(dxhost::kListsGetValueByProperty);
  Fail(dxhost::kListsGetPropertyNameByIndex);
  const THostValue properties = V().PropertyList({{V().Symbol("a"), V().Integer(1)}});
  EXPECT_EQ(Call("listItem", {V().List({V().Integer(1)}), V().Integer(0)}), "\"nothing\"");
  EXPECT_EQ(Call("propGet", {properties, V().Symbol("a")}), "\"nothing\"");
  EXPECT_EQ(Call("propName", {properties, V().Integer(0)}), "\"\"");
}

TEST_F(HostFailureTest, RefusedPropertyUpdateFallsBackToAddingTheProperty) {
  Fail(dxhost::kListsSetValueByProperty);
  const THostValue properties = V().PropertyList({{V().Symbol("a"), V().Integer(1)}});
  EXPECT_EQ(Call("propSet", {properties, V().String("a"), V().Integer(2)}), "[#a: 1, #a: 2]");
}

TEST_F(HostFailureTest, CallWithoutAValueServiceDoesNothing) {
  host.Faults().Refuse(kIID_IMoaMmValue);
  MoaMmValue args[1] = {probe.Me().Raw()};
  MoaDrCallInfo call{};
  call.Selector = probe.Class()->Selector("argCount");
  call.Result = V().MakeInteger(4);
  call.ArgCount = 1;
  call.Args = args;
  EXPECT_EQ(host.CallRaw(probe, call), kMoaOk);
  EXPECT_EQ(Text(THostValue(V(), call.Result)), "4");
}

TEST_F(HostFailureTest, ServicesThatFailLeaveObjectsWorking) {
  Fail(dxhost::kUtilityAcquireContext);
  Fail(dxhost::kMessagesPrintMessage);
  Fail(dxhost::kMessagesPaletteIndexToColor);
  Fail(dxhost::kHostServicesGetRegistry);
  EXPECT_EQ(Call("services"), "\"runMode=Projector registry=0 product=zelXML host\"");
  EXPECT_EQ(Call("printMessage", {V().String("lost")}), "1");
  EXPECT_TRUE(host.Messages().Printed().empty());
  EXPECT_EQ(Call("paletteToRGB", {V().Integer(3)}), "0");
}

// A fresh module: the failures hit the first creation and the class preparation.
TEST_F(ModuleTest, ClassPreparationWithFailingServicesStillMakesObjects) {
  host.Faults().Fail(dxhost::kAppInfoGetInfoString, kRefused);
  host.Faults().Fail(dxhost::kUtilityGetHostValue, kRefused);
  host.Faults().Fail(dxhost::kRegistryEnumerateEntries, kRefused);
  host.Faults().Refuse(kIID_IMoaUtility);
  Register();
  dxhost::TXtraInstance probe = host.New("dxProbe");
  ASSERT_TRUE(probe);
  EXPECT_EQ(Text(host.Call(probe, "classEvents")), "\"prepare(host=0,registry=0,symbol=1);\"");
  EXPECT_EQ(Text(host.Call(probe, "services")), "\"runMode= registry=0 product=\"");
  EXPECT_EQ(Text(host.Call(probe, "join", {V().String("a"), V().String("b")})), "\"ab\"");
}

TEST_F(ModuleTest, RegistryEntryWithoutItsDictionaryEndsRegistration) {
  // The host accepts the entry but the Xtra code cannot write into it.
  host.Faults().Fail(dxhost::kDictionaryPut, kRefused);
  EXPECT_EQ(host.Register(), kRefused);
  EXPECT_FALSE(host.New("dxProbe"));
}
