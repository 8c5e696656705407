// A scripting class declared by its method table: the method-table text and the dispatch come
// from the rows, and each row's failure value and error state decide what a call that fails
// leaves behind.

#include "ModuleFixture.h"
#include "ProbeClasses.h"
#include "ProbeIds.h"

namespace {

constexpr auto kSignatures = DXLingoSignatures<TTableScript>();
static_assert(kSignatures.size() == 7);
static_assert(kSignatures[0].Name == "greet" && kSignatures[0].ArgumentList().size() == 1);
static_assert(kSignatures[1].Failure == TDXFailureValue::Zero);
static_assert(kSignatures[5].Kind == fkGlobal && kSignatures[5].ArgumentList()[1].Kind == dvList);

class LingoTableTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    if (HasFatalFailure()) return;
    Register();
    table = host.New("dxTable");
    ASSERT_TRUE(table) << host.LastError();
  }
  void TearDown() override {
    table.Release();
    ModuleTest::TearDown();
  }

  std::string Call(std::string_view method, std::initializer_list<dxhost::THostValue> args = {}) {
    return Text(host.Call(table, method, args));
  }

  dxhost::TXtraInstance table;
};

}  // namespace

TEST_F(LingoTableTest, TheRowsMakeTheMethodTableText) {
  EXPECT_EQ(host.RegistryEntry(kTableClassID, kIID_IMoaScriptCall)->String("msgTable"),
            "xtra dxTable\n"
            "new object me\n"
            "forget object me\n"
            "greet object me, string name -- says hello\n"
            "fail object me, integer value\n"
            "restart object me\n"
            "drop object me\n"
            "lastError object me\n"
            "* tableGlobal integer x, list y\n"
            "+ tableXtra\n");
}

TEST_F(LingoTableTest, EachRowReachesItsHandler) {
  EXPECT_EQ(Call("greet", {V().String("you")}), "\"hello you\"");
  EXPECT_EQ(Call("tableGlobal"), "\"global\"");
  EXPECT_EQ(Call("tableXtra"), "\"xtra\"");
  EXPECT_EQ(Text(host.Call(table, 2 + 2, {})), "1") << "restart, by its selector";
}

TEST_F(LingoTableTest, RecordedFailuresKeepTheResultTheyHadAndReachTheErrorState) {
  EXPECT_EQ(Call("fail", {V().Integer(0)}), "0");
  EXPECT_EQ(Call("lastError"), "\"\"");
  EXPECT_EQ(Call("fail", {V().Integer(7)}), "7") << "set before the failure";
  EXPECT_EQ(Call("lastError"), "\"failed\"");
  EXPECT_EQ(Call("fail", {V().String("no number")}), "0") << "the failure value";
  EXPECT_EQ(Call("greet"), "\"hello \"");
  EXPECT_EQ(Call("lastError"), "\"failed\"") << "a success leaves the error state";
  EXPECT_EQ(Call("restart"), "1");
  EXPECT_EQ(Call("lastError"), "\"\"") << "cleared by the row that restarts it";
}

TEST_F(LingoTableTest, UntouchedRowsLeaveTheirFailuresToTheFrame) {
  EXPECT_EQ(Call("fail", {V().Integer(1)}), "1");
  EXPECT_EQ(Call("drop"), "<Void>") << "dropped: the result field is not written";
  EXPECT_EQ(Call("lastError"), "\"failed\"");
}
