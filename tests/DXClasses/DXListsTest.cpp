// The list wrappers' hold on host lists, in this process.

#include <gtest/gtest.h>

#include "DXClasses/DXLists.h"
#include "DXClasses/DXValue.h"
#include "host/XtraHost.h"

namespace {

using dxhost::THostValue;

class DXListsTest : public testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(host.LiveValues(), 0u);
    EXPECT_EQ(host.Values().BadUses(), 0);
    EXPECT_EQ(host.OutstandingReferences(), 0);
  }

  Ref<IMoaMmValue> Values() { return Ref<IMoaMmValue>::Retain(&host.ValueService()); }
  int References(const THostValue& value) { return host.Values().Find(value.Raw())->References; }

  dxhost::TXtraHost host;
  dxhost::THostValues& V = host.Values();
};

TEST_F(DXListsTest, WrapperHoldsOneHostReferenceForItsLife) {
  const THostValue list = V.List({V.Integer(1), V.Integer(2)});
  {
    const Ref<TDXList> wrapper = MakeRef<TDXList>(Values(), list.Raw());
    EXPECT_EQ(References(list), 2);
    EXPECT_EQ(wrapper->Count(), 2);
    TDXValue three;
    three.SetAsInteger(3);
    wrapper->Add(three);
    wrapper->SetItem(0, three);
    EXPECT_EQ(host.Text(list), "[3, 2, 3]");
    EXPECT_EQ(wrapper->GetItem(2)->AsInteger(), 3);
    EXPECT_FALSE(wrapper->GetItem(3));
  }
  EXPECT_EQ(References(list), 1);
}

TEST_F(DXListsTest, ListValueWrittenOutIsTheSameHostListWithAReferenceMore) {
  const THostValue list = V.List({});
  TDXValue value;
  value.ReadFromHost(host.ValueService(), list.Raw());
  MoaMmValue out{};
  value.WriteToHost(host.ValueService(), out);
  EXPECT_EQ(out.Word[0], list.Raw().Word[0]);
  EXPECT_EQ(out.Word[1], list.Raw().Word[1]);
  EXPECT_EQ(References(list), 3);  // the test, the wrapper, the written value
  V.Release(out);
}

TEST_F(DXListsTest, NewPropertyListIsMadeByTheHostAndKeptByTheWrapper) {
  const Ref<TDXPropertyList> list = MakeRef<TDXPropertyList>(Values());
  TDXValue value;
  value.SetAsString("v");
  list->SetPropByName("Key", value);
  list->SetProp(V.Intern("key"), value);
  list->SetPropByName("other", value);
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(list->GetPropName(0), "Key");
  EXPECT_EQ(host.Text(list->ListObject().HostList()), "[#Key: \"v\", #other: \"v\"]");
  EXPECT_EQ(host.LiveValues(), 5u);  // the list, two names, two values
}

}  // namespace
