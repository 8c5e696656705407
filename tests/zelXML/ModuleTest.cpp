// zelXML itself, as the host sees it: the class table, the registration and its registry
// entries, and the entry points' answers.

#include <gtest/gtest.h>

#include "common/HostChecks.h"
#include "host/XtraHost.h"

namespace {

constexpr MoaClassID kRegisterClassID = MakeMoaID("ED49E742-0EB1-4596-BCF9-0FAE033CEF21");
constexpr MoaClassID kParserClassID = MakeMoaID("740B13D1-F782-4932-84B5-20B457FF7239");

class ZelXmlModuleTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Load(ZELXML_MODULE)) << host.LastError(); }
  void TearDown() override {
    ExpectEverythingGivenBack(host);
    EXPECT_TRUE(host.Unload());
  }

  dxhost::TXtraHost host;
};

TEST_F(ZelXmlModuleTest, ClassTableEndsWithTheRegisterClass) {
  std::vector<MoaClassTableEntry> table;
  ASSERT_EQ(host.ReadClassTable(table), kMoaOk);
  ASSERT_GE(table.size(), 2u);
  const MoaClassTableEntry& factory = table[table.size() - 2];
  const MoaClassTableEntry& registrar = table.back();
  EXPECT_EQ(factory.ClassID, kRegisterClassID);
  EXPECT_EQ(factory.InterfaceID, kIID_IMoaClassFactory);
  EXPECT_EQ(registrar.ClassID, kRegisterClassID);
  EXPECT_EQ(registrar.InterfaceID, kIID_IMoaRegister);
  for (const MoaClassTableEntry& entry : table) {
    EXPECT_EQ(entry.ClassVersion, 1);
    EXPECT_EQ(entry.InterfaceVersion, 1);
  }
}

TEST_F(ZelXmlModuleTest, ClassTableHoldsExactlyTheParserAndTheRegisterClass) {
  // The framework's other kinds are built into the module too: none of them may show here.
  MoaClassTableEntry* block = nullptr;
  ASSERT_EQ(host.Exports().GetClassInfo(&host.Allocator(), &block), kMoaOk);
  ASSERT_EQ(host.Allocator().SizeOf(block), 2 * 120u + 40u);
  const MoaClassTableEntry expected[] = {
      {kParserClassID, 1, kIID_IMoaClassFactory, 1},
      {kParserClassID, 1, kIID_IMoaScriptCall, 1},
      {kRegisterClassID, 1, kIID_IMoaClassFactory, 1},
      {kRegisterClassID, 1, kIID_IMoaRegister, 1},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(block[i].ClassID, expected[i].ClassID);
    EXPECT_EQ(block[i].ClassVersion, 1);
    EXPECT_EQ(block[i].InterfaceID, expected[i].InterfaceID);
    EXPECT_EQ(block[i].InterfaceVersion, 1);
  }
  EXPECT_EQ(block[4].ClassID, MoaClassID{});
  EXPECT_EQ(block[4].InterfaceID, MoaInterfaceID{});
  host.Allocator().Free(block);
}

TEST_F(ZelXmlModuleTest, RegistersAndEveryScriptingClassHasItsMethodTable) {
  ASSERT_EQ(host.Register(), kMoaOk) << host.LastError();
  EXPECT_TRUE(host.RegistryEntry(kRegisterClassID, kIID_IMoaRegister));
  std::vector<MoaClassTableEntry> table;
  ASSERT_EQ(host.ReadClassTable(table), kMoaOk);
  for (const MoaClassTableEntry& entry : table) {
    if (!(entry.InterfaceID == kIID_IMoaScriptCall)) continue;
    const dxhost::THostDictionary* dictionary =
        host.RegistryEntry(entry.ClassID, entry.InterfaceID);
    ASSERT_TRUE(dictionary);
    EXPECT_EQ(dictionary->String("msgTable").value_or("").substr(0, 5), "xtra ");
    EXPECT_EQ(dictionary->Bytes("safeForShockwave"), std::string(1, '\xFF'));
  }
  EXPECT_EQ(host.ScriptClasses().size(),
            std::size_t(std::count_if(table.begin(), table.end(), [](const auto& entry) {
              return entry.InterfaceID == kIID_IMoaScriptCall;
            })));
}

TEST_F(ZelXmlModuleTest, EntryPointsAnswerAsTheHostExpects) {
  EXPECT_EQ(host.Exports().CanUnloadNow(), kMoaOk);
  void* out = nullptr;
  EXPECT_EQ(host.Exports().GetClassObject(&kRegisterClassID, &kIID_IMoaClassFactory, &out),
            kDXErrClassNotFound);
  MoaLong size = 0;
  TMoaCreateCallback create = nullptr;
  TMoaDestroyCallback destroy = nullptr;
  ASSERT_EQ(host.Exports().GetClassForm(&kRegisterClassID, &size, &create, &destroy), kMoaOk);
  EXPECT_EQ(size, MoaLong(sizeof(MoaObjectRecord)));
  void* registrar = nullptr;
  ASSERT_EQ(host.CreateObject(kRegisterClassID, kIID_IMoaRegister, &registrar), kMoaOk);
  EXPECT_EQ(host.Exports().CanUnloadNow(), kDXErrObjectsAlive);
  static_cast<IMoaUnknown*>(registrar)->Release();
}

}  // namespace
