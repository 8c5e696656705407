// Lingo calls through the script-call interface: selectors, published methods, the fallback,
// the result field, and values crossing both ways.

#include "ModuleFixture.h"
#include "ProbeIds.h"
#include "host/HostSlots.h"

namespace {

using dxhost::THostValue;

}  // namespace

class CallTest : public ProbeTest {
 protected:
  // A call whose result field the host prepared with a value of its own; what the field
  // holds afterwards.
  std::string CallPrepared(MoaLong selector, MoaLong prepared) {
    MoaMmValue args[1] = {probe.Me().Raw()};
    MoaDrCallInfo call{};
    call.Selector = selector;
    call.Result = V().MakeInteger(prepared);
    call.ArgCount = 1;
    call.Args = args;
    EXPECT_EQ(host.CallRaw(probe, call), kMoaOk);
    return Text(THostValue(V(), call.Result));
  }
};

TEST_F(CallTest, SelectorsAreTheMethodTableLinesAfterTheXtraLine) {
  const dxhost::TScriptClass& script = *probe.Class();
  EXPECT_EQ(script.Selector("new"), 0);
  EXPECT_EQ(script.Selector("forget"), 1);
  EXPECT_EQ(script.Selector("echo"), 2);
  EXPECT_EQ(Text(host.Call(probe, 4, {V().String("a"), V().String("b")})), "\"ab\"");
}

TEST_F(CallTest, ArgumentsStartWithTheInstanceItself) {
  EXPECT_EQ(Call("argCount", {V().Integer(1), V().Integer(2)}), "3");
  EXPECT_EQ(Text(host.Call(probe, 3, {probe.Me()})).substr(0, 7), "\"kind=1");
}

TEST_F(CallTest, ValuesComeInWithTheirSlotsFilled) {
  EXPECT_EQ(Call("describe", {V().Integer(5)}),
            "\"kind=2 int=5 float=5 bool=1 str= point=0,0 rect=0,0,0,0 color=000000 symbol=0 "
            "pair=0,0 list=0 plist=0\"");
  EXPECT_EQ(Call("describe", {V().Float(-2.7)}),
            "\"kind=4 int=-2 float=-2.7 bool=1 str= point=0,0 rect=0,0,0,0 color=000000 "
            "symbol=0 pair=0,0 list=0 plist=0\"");
  EXPECT_NE(Call("describe", {V().Float(0.4)}).find("kind=4 int=0 float=0.4 bool=0 "),
            std::string::npos);
  const MoaMmSymbol abc = V().Intern("abc");
  EXPECT_EQ(Call("describe", {V().Symbol("ABC")}),
            "\"kind=2 int=" + std::to_string(abc) + " float=" + std::to_string(abc) +
                " bool=1 str= point=0,0 rect=0,0,0,0 color=000000 symbol=" + std::to_string(abc) +
                " pair=0,0 list=0 plist=0\"");
  EXPECT_EQ(Call("describe", {V().String("text")}).substr(0, 43),
            "\"kind=3 int=0 float=0 bool=0 str=text point");
  EXPECT_EQ(Call("describe", {V().Void()}).substr(0, 7), "\"kind=0");
  EXPECT_EQ(Call("describe", {V().Pair(7, 8)}).substr(0, 7), "\"kind=9");
}

TEST_F(CallTest, PointsAndRectsKeepTheirWordOrder) {
  EXPECT_NE(Call("describe", {V().Point(1, 2)}).find("kind=6 "), std::string::npos);
  EXPECT_NE(Call("describe", {V().Point(1, 2)}).find("point=1,2 "), std::string::npos);
  EXPECT_NE(Call("describe", {V().Rect(1, 2, 3, 4)}).find("rect=1,2,3,4 "), std::string::npos);
  EXPECT_EQ(Call("echo", {V().Point(-5, 9)}), "point(-5, 9)");
  EXPECT_EQ(Call("echo", {V().Rect(1, 2, 3, 4)}), "rect(1, 2, 3, 4)");
}

TEST_F(CallTest, ValuesGoBackAsTheHostsTypes) {
  EXPECT_EQ(Call("echo", {V().Integer(-42)}), "-42");
  EXPECT_EQ(Call("echo", {V().String("Привет")}), "\"Привет\"");
  EXPECT_EQ(Call("echo", {V().String("")}), "\"\"");
  EXPECT_EQ(Call("echo", {V().Float(2.5)}), "2.5000");
  EXPECT_EQ(Call("echo", {V().Pair(7, 8)}), "pair(7, 8)");
  EXPECT_EQ(Call("echo", {V().RGB(255, 128, 1)}), "rgb(255, 128, 1)");
  // A palette colour comes in converted through the host's palette.
  EXPECT_EQ(Call("echo", {V().PaletteIndex(0)}), "rgb(255, 255, 255)");
  EXPECT_EQ(Call("echo", {V().PaletteIndex(255)}), "rgb(0, 0, 0)");
  // A symbol comes in as an integer that carries the symbol, and goes back as the integer.
  EXPECT_EQ(Call("echo", {V().Symbol("name")}), std::to_string(V().Intern("NAME")));
  // A value of a type the framework does not model writes nothing.
  EXPECT_EQ(Call("echo", {probe.Me()}), "<Void>");
}

TEST_F(CallTest, EmptyHostStringIsNotCopied) {
  const int before = host.Faults().Calls(dxhost::kValuesValueToString);
  EXPECT_EQ(Call("echo", {V().String("")}), "\"\"");
  EXPECT_EQ(host.Faults().Calls(dxhost::kValuesValueToString), before);
  EXPECT_EQ(Call("echo", {V().String("x")}), "\"x\"");
  EXPECT_EQ(host.Faults().Calls(dxhost::kValuesValueToString), before + 1);
}

TEST_F(CallTest, SettersMakeTheKindsTheHostReceives) {
  EXPECT_EQ(Call("makeValue", {V().String("true")}), "1");
  EXPECT_EQ(Call("makeValue", {V().String("false")}), "0");
  EXPECT_EQ(Call("makeValue", {V().String("float")}), "-2.7000");
  EXPECT_EQ(Call("makeValue", {V().String("symbol")}), "#Hello");
  EXPECT_EQ(Call("makeValue", {V().String("point")}), "point(10, 20)");
  EXPECT_EQ(Call("makeValue", {V().String("rect")}), "rect(1, 2, 3, 4)");
  EXPECT_EQ(Call("makeValue", {V().String("color")}), "rgb(255, 128, 64)");
  EXPECT_EQ(Call("makeValue", {V().String("pair")}), "pair(7, 8)");
  EXPECT_EQ(Call("makeValue", {V().String("string")}), '"' + std::string(300, 'x') + '"');
  EXPECT_EQ(CallPrepared(probe.Class()->Selector("makeValue"), 31), "31");
  EXPECT_EQ(Call("makeValue", {V().String("emptyList")}), "<Void>");
}

TEST_F(CallTest, DeclaredButUnpublishedMethodLeavesTheResultAsPrepared) {
  EXPECT_EQ(CallPrepared(probe.Class()->Selector("ghost"), 777), "777");
}

TEST_F(CallTest, MethodThatThrowsLeavesTheResultAsPreparedAndTheNextCallClean) {
  EXPECT_EQ(CallPrepared(probe.Class()->Selector("throwAfterResult"), 777), "777");
  EXPECT_EQ(CallPrepared(probe.Class()->Selector("keepResult"), 555), "555");
  EXPECT_EQ(Call("join", {V().String("still "), V().String("working")}), "\"still working\"");
}

TEST_F(CallTest, MethodThatDeclinesAfterFillingTheResultStillReturnsIt) {
  EXPECT_EQ(Call("declineAfterFilling"), "5");
}

TEST_F(CallTest, MethodNamesMatchWithoutRegardToCase) {
  EXPECT_EQ(Call("MixedCase"), "\"reached\"");
  EXPECT_EQ(Call("MIXEDCASE"), "\"reached\"");
}

TEST_F(CallTest, MissingArgumentsReadAsVoid) {
  EXPECT_EQ(Call("join", {V().String("only")}), "\"only\"");
  EXPECT_EQ(Call("join"), "\"\"");
  const std::string voidValue =
      "kind=0 int=0 float=0 bool=0 str= point=0,0 rect=0,0,0,0 color=000000 symbol=0 pair=0,0 "
      "list=0 plist=0";
  EXPECT_EQ(Call("readPastEnd"), '"' + voidValue + " / " + voidValue + '"');
}

TEST_F(CallTest, SelectorsOutsideTheTableLeaveTheResultAsPrepared) {
  EXPECT_EQ(CallPrepared(27, 1), "1");
  EXPECT_EQ(CallPrepared(-1, 2), "2");
  EXPECT_EQ(CallPrepared(0x7FFFFFFF, 3), "3");
}

TEST_F(CallTest, CallRecordWithoutItsArgumentArrayIsHarmless) {
  MoaDrCallInfo call{};
  call.Selector = probe.Class()->Selector("argCount");
  call.ArgCount = 3;
  call.Args = nullptr;
  EXPECT_EQ(host.CallRaw(probe, call), kMoaOk);
  EXPECT_EQ(Text(THostValue(V(), call.Result)), "0");
  MoaMmValue args[1] = {probe.Me().Raw()};
  call = {};
  call.Selector = probe.Class()->Selector("argCount");
  call.ArgCount = -4;
  call.Args = args;
  EXPECT_EQ(host.CallRaw(probe, call), kMoaOk);
  EXPECT_EQ(Text(THostValue(V(), call.Result)), "0");
  EXPECT_EQ(probe.Script()->Call(nullptr), kMoaOk);
}

TEST_F(CallTest, ArgumentsAMethodKeptOutliveItsCall) {
  Call("keep", {V().String("first"), V().String("second")});
  EXPECT_EQ(Call("join", {V().String("a"), V().String("b")}), "\"ab\"");
  EXPECT_EQ(Call("kept"), "\"kind=3 first / 3 second\"");
  EXPECT_EQ(Call("join", {V().String("c"), V().String("d")}), "\"cd\"");
  // A list the host passed, kept by the method, keeps its host reference until the object goes.
  const THostValue list = V().List({});
  Call("keep", {list, V().String("x")});
  EXPECT_EQ(V().Find(list.Raw())->References, 2);
}

TEST_F(CallTest, HostServicesReachTheObject) {
  EXPECT_EQ(Call("printMessage", {V().String("hello")}), "1");
  EXPECT_EQ(host.Messages().Printed(), std::vector<std::string>{"hello"});
  EXPECT_EQ(Call("paletteToRGB", {V().Integer(0)}), std::to_string(0xFFFFFF));
  EXPECT_EQ(Call("paletteToRGB", {V().Integer(255)}), "0");
  EXPECT_EQ(Call("paletteToRGB", {V().Integer(0x12345678)}), std::to_string(0x345678));
  EXPECT_EQ(Call("services"), "\"runMode=Projector registry=1 product=zelXML host\"");
}

TEST_F(CallTest, NewAndForgetGoToTheFallbackUnlessPublished) {
  dxhost::TXtraInstance fallback = host.New("dxFallback");
  EXPECT_EQ(Text(host.Call(fallback, 0, {V().Integer(1)})), "\"fallback 0 with 2\"");
  EXPECT_EQ(Text(host.Call(fallback, "forget")), "\"fallback 1 with 1\"");
  EXPECT_EQ(Text(host.Call(fallback, "commented", {V().Integer(1)})), "\"fallback 4 with 2\"");
  EXPECT_EQ(Text(host.Call(fallback, 99)), "\"fallback 99 with 1\"");
  EXPECT_EQ(Text(host.Call(fallback, -1)), "\"fallback -1 with 1\"");
  // The probe publishes neither: its new and forget do nothing.
  EXPECT_EQ(CallPrepared(0, 8), "8");
  EXPECT_EQ(CallPrepared(1, 9), "9");
}

TEST_F(CallTest, ClassDispatchesWithWhatWasDeclaredBeforeItsDeclarationFailed) {
  dxhost::TXtraInstance partial = host.New("dxPartial");
  ASSERT_TRUE(partial);
  EXPECT_EQ(Text(host.Call(partial, "first")), "\"first\"");
  EXPECT_EQ(Text(host.Call(partial, "second")), "\"fallback 3\"");
}
