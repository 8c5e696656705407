// Registration as the host does it: the class table, the register class and the registry
// entries it writes.

#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "ProbeIds.h"
#include "host/HostSlots.h"

namespace {

std::string NameOf(const MoaID& id) {
  const std::pair<MoaID, const char*> names[] = {
      {kProbeClassID, "probe"},
      {kFallbackClassID, "fallback"},
      {kNewArgClassID, "newArg"},
      {kHandWrittenClassID, "handWritten"},
      {kPartialClassID, "partial"},
      {kTableClassID, "table"},
      {kInitializerClassID, "initializer"},
      {kRegisterClassID, "register"},
      {kIID_IMoaClassFactory, "factory"},
      {kIID_IMoaScriptCall, "scriptCall"},
      {kIID_IMoaRegister, "registerInterface"},
      {kIID_IMoaInitialize, "initialize"},
      {kIID_IMoaFinalize, "finalize"},
  };
  for (const auto& [known, name] : names)
    if (known == id) return name;
  return "?";
}

std::vector<std::string> Describe(const std::vector<MoaClassTableEntry>& table) {
  std::vector<std::string> lines;
  for (const MoaClassTableEntry& entry : table) {
    EXPECT_EQ(entry.ClassVersion, 1);
    EXPECT_EQ(entry.InterfaceVersion, 1);
    lines.push_back(NameOf(entry.ClassID) + " " + NameOf(entry.InterfaceID));
  }
  return lines;
}

constexpr const char* kProbeMsgTable =
    "xtra dxProbe\n"
    "new object me\n"
    "forget object me\n"
    "echo object me, object value\n"
    "describe object me, object value\n"
    "join object me, string a, string b\n"
    "argCount object me\n"
    "readPastEnd object me\n"
    "throwAfterResult object me\n"
    "keepResult object me\n"
    "declineAfterFilling object me\n"
    "MixedCase object me\n"
    "ghost object me\n"
    "makeValue object me, string kind\n"
    "listInfo object me, list l\n"
    "listItem object me, list l, integer i\n"
    "listAppend object me, list l, object v\n"
    "listSetItem object me, list l, integer i, object v\n"
    "propGet object me, list pl, symbol s\n"
    "propGetByName object me, list pl, string name\n"
    "propSet object me, list pl, string name, object v\n"
    "propName object me, list pl, integer i\n"
    "newPropList object me\n"
    "services object me\n"
    "printMessage object me, string text\n"
    "paletteToRGB object me, integer c\n"
    "classEvents object me\n"
    "setVeto object me, integer flag\n"
    "keep object me, object value, object other\n"
    "kept object me\n";

}  // namespace

TEST_F(ModuleTest, ClassTableOffersEachClassWithTheInterfacesOfItsKind) {
  std::vector<MoaClassTableEntry> table;
  ASSERT_EQ(host.ReadClassTable(table), kMoaOk);
  EXPECT_EQ(Describe(table),
            (std::vector<std::string>{
                "probe factory", "probe scriptCall", "fallback factory", "fallback scriptCall",
                "newArg factory", "newArg scriptCall", "handWritten factory",
                "handWritten scriptCall", "partial factory", "partial scriptCall", "table factory",
                "table scriptCall", "initializer factory", "initializer initialize",
                "initializer finalize", "register factory", "register registerInterface"}));
}

TEST_F(ModuleTest, PairModuleHasFourEntriesAndTheTerminator) {
  host.Unload();
  Load(DXTEST_PAIR_MODULE);
  MoaClassTableEntry* block = nullptr;
  ASSERT_EQ(host.Exports().GetClassInfo(&host.Allocator(), &block), kMoaOk);
  // Room for three entries per class and the terminator, which ends the four entries.
  EXPECT_EQ(host.Allocator().SizeOf(block), 2 * 120u + 40u);
  EXPECT_EQ(Describe(std::vector<MoaClassTableEntry>(block, block + 4)),
            (std::vector<std::string>{"probe factory", "probe scriptCall", "register factory",
                                      "register registerInterface"}));
  EXPECT_EQ(block[4].ClassID, MoaClassID{});
  EXPECT_EQ(block[4].InterfaceID, MoaInterfaceID{});
  host.Allocator().Free(block);
}

TEST_F(ModuleTest, ClassTableWithoutMemoryIsRefused) {
  host.Faults().Fail(dxhost::kAllocatorAllocate);
  MoaClassTableEntry* untouched = reinterpret_cast<MoaClassTableEntry*>(&host);
  EXPECT_EQ(host.Exports().GetClassInfo(&host.Allocator(), &untouched), kDXErrOutOfMemory);
  EXPECT_EQ(untouched, reinterpret_cast<MoaClassTableEntry*>(&host));
}

TEST_F(ModuleTest, UnknownClassesAreNotFoundAndOutArgumentsStayUntouched) {
  const MoaClassID unknown = MakeMoaID("00000000-1111-2222-3333-444444444444");
  MoaLong size = -7;
  TMoaCreateCallback create = reinterpret_cast<TMoaCreateCallback>(&host);
  TMoaDestroyCallback destroy = reinterpret_cast<TMoaDestroyCallback>(&host);
  EXPECT_EQ(host.Exports().GetClassForm(&unknown, &size, &create, &destroy), kDXErrClassNotFound);
  EXPECT_EQ(size, -7);
  EXPECT_EQ(create, reinterpret_cast<TMoaCreateCallback>(&host));
  EXPECT_EQ(destroy, reinterpret_cast<TMoaDestroyCallback>(&host));
  void* object = &size;
  EXPECT_EQ(host.Exports().GetClassObject(&unknown, &kIID_IMoaClassFactory, &object),
            kDXErrClassNotFound);
  EXPECT_EQ(host.Exports().GetClassObject(&kProbeClassID, &kIID_IMoaClassFactory, &object),
            kDXErrClassNotFound);
}

TEST_F(ModuleTest, RegisterWritesEachScriptingClassesMethodTableAndShockwaveFlag) {
  Register();
  const dxhost::THostDictionary* probe = host.RegistryEntry(kProbeClassID, kIID_IMoaScriptCall);
  ASSERT_TRUE(probe);
  EXPECT_EQ(probe->String("msgTable"), kProbeMsgTable);
  EXPECT_EQ(probe->TypeOf("msgTable"), kMoaDictString);
  EXPECT_EQ(probe->Bytes("safeForShockwave"), std::string(1, '\xFF'));
  EXPECT_EQ(probe->TypeOf("safeForShockwave"), kMoaDictBoolean);
  EXPECT_EQ(probe->Size(), 2u);

  EXPECT_EQ(host.RegistryEntry(kFallbackClassID, kIID_IMoaScriptCall)->String("msgTable"),
            "xtra dxFallback\n"
            "new object me\n"
            "forget object me\n"
            "* globalOne string name -- a global handler\n"
            "+ xtraOne integer count\n"
            "commented object me, integer x -- says hello\n"
            "plain object me\n");
  // new declared with arguments: they follow "object me, " directly; a kind without a type
  // word leaves two spaces before the name.
  EXPECT_EQ(host.RegistryEntry(kNewArgClassID, kIID_IMoaScriptCall)->String("msgTable"),
            "xtra dxNewArg\n"
            "NEW object me,  integer x,  blank\n"
            "forget object me\n"
            "method object me\n");
  const dxhost::THostDictionary* handWritten =
      host.RegistryEntry(kHandWrittenClassID, kIID_IMoaScriptCall);
  EXPECT_EQ(handWritten->String("msgTable"), "xtra dxHandWritten\n-- written by hand\n");
  EXPECT_EQ(handWritten->Bytes("safeForShockwave"), std::string(1, '\0'));
  // The registration-time declaration of dxPartial is whole.
  EXPECT_EQ(host.RegistryEntry(kPartialClassID, kIID_IMoaScriptCall)->String("msgTable"),
            "xtra dxPartial\nnew object me\nforget object me\nfirst object me\nsecond object me\n");
}

TEST_F(ModuleTest, RegisterWritesEntriesForTheRegisterAndInitializerClasses) {
  Register();
  EXPECT_TRUE(host.RegistryEntry(kRegisterClassID, kIID_IMoaRegister));
  EXPECT_TRUE(host.RegistryEntry(kInitializerClassID, kIID_IMoaInitialize));
  EXPECT_TRUE(host.RegistryEntry(kInitializerClassID, kIID_IMoaFinalize));
  EXPECT_EQ(host.Registry().Count(), 9u);  // 6 scripting classes, 2 initializer, 1 register
  EXPECT_EQ(host.ScriptClasses().size(), 6u);
  ASSERT_TRUE(host.FindScriptClass("dxprobe"));
  EXPECT_EQ(host.FindScriptClass("dxProbe")->Selector("setVeto"), 26);
  dxhost::TXtraInstance byId = host.New(kNewArgClassID);
  ASSERT_TRUE(byId);
  EXPECT_EQ(byId.Class()->XtraName, "dxNewArg");
  EXPECT_FALSE(host.New(kRegisterClassID));
}

TEST_F(ModuleTest, FailingMsgTablePutReturnsItsCodeAndWritesNoShockwaveFlag) {
  const MoaError refused = MoaError(0x80045678);
  host.Faults().Fail(dxhost::kDictionaryPut, refused, 0, -1, "msgTable");
  EXPECT_EQ(host.Register(), refused);
  const dxhost::THostDictionary* probe = host.RegistryEntry(kProbeClassID, kIID_IMoaScriptCall);
  ASSERT_TRUE(probe);  // entries already written stay
  EXPECT_FALSE(probe->Has("safeForShockwave"));
  EXPECT_FALSE(host.RegistryEntry(kFallbackClassID, kIID_IMoaScriptCall));
}

TEST_F(ModuleTest, FailingRegistryEntryEndsRegistrationWithItsCode) {
  const MoaError refused = MoaError(0x80045679);
  host.Faults().Fail(dxhost::kRegistryAddRegistryEntry, refused, 2);
  EXPECT_EQ(host.Register(), refused);
  EXPECT_EQ(host.Registry().Count(), 2u);
}

TEST_F(ModuleTest, RegisterClassCanVetoTheRegistration) {
  Register();
  {
    dxhost::TXtraInstance probe = host.New("dxProbe");
    host.Call(probe, "setVeto", {V().Integer(1)});
  }
  EXPECT_EQ(host.Register(), kDXErrOutOfMemory);
  dxhost::TXtraInstance probe = host.New("dxProbe");
  host.Call(probe, "setVeto", {V().Integer(0)});
  EXPECT_EQ(host.Register(), kMoaOk);
}
