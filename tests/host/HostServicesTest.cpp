// Our host's services besides values: allocator, registry, faults, the services interface, and
// loading modules.

#include <gtest/gtest.h>

#include "host/HostSlots.h"
#include "host/XtraHost.h"

namespace {

TEST(HostAllocator, CountsLiveBlocksAndNoticesStrayFrees) {
  dxhost::TXtraHost host;
  IMoaAllocator& allocator = host.Allocator();
  void* first = allocator.Allocate(16);
  void* second = allocator.Allocate(0);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(static_cast<unsigned char*>(first)[15], dxhost::THostAllocator::kFreshPattern);
  EXPECT_EQ(host.LiveBlocks(), 2u);
  EXPECT_EQ(host.Allocator().SizeOf(first), 16u);
  allocator.Free(first);
  allocator.Free(first);
  allocator.Free(nullptr);
  EXPECT_EQ(host.Allocator().BadFrees(), 2);
  allocator.Free(second);
  EXPECT_EQ(host.LiveBlocks(), 0u);
}

TEST(HostRegistry, DictionariesKeepWhatIsPut) {
  dxhost::TXtraHost host;
  IMoaDict* entry = nullptr;
  const MoaClassID classId = MakeMoaID("11111111-2222-3333-4444-555555555555");
  ASSERT_EQ(host.Registry().AddRegistryEntry(nullptr, &classId, &kIID_IMoaScriptCall, &entry),
            kMoaOk);
  ASSERT_EQ(entry->Put(kMoaDictString, "text", 0, "msgTable"), kMoaOk);
  const MoaLong number = 0x01020304;
  ASSERT_EQ(entry->Put(kMoaDictInteger, &number, 4, "n"), kMoaOk);
  MoaLong type = 0;
  MoaLong size = 0;
  ASSERT_EQ(entry->GetEntryInfo(&type, &size, "msgTable"), kMoaOk);
  EXPECT_EQ(type, kMoaDictString);
  EXPECT_EQ(size, 5);  // with the terminator
  EXPECT_EQ(entry->GetEntryInfo(nullptr, nullptr, "missing"), dxhost::kHostErrNotFound);
  char buffer[3] = {};
  ASSERT_EQ(entry->Get(kMoaDictString, buffer, 2, "msgTable"), kMoaOk);
  EXPECT_EQ(std::string(buffer), "te");
  MoaLong back = 0;
  ASSERT_EQ(entry->Get(kMoaDictInteger, &back, 4, "n"), kMoaOk);
  EXPECT_EQ(back, number);
  EXPECT_EQ(host.OutstandingReferences(), 1);
  entry->Release();
  EXPECT_EQ(host.OutstandingReferences(), 0);
  const dxhost::THostDictionary* kept = host.RegistryEntry(classId, kIID_IMoaScriptCall);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->String("msgTable"), "text");
  EXPECT_EQ(kept->Bytes("msgTable"), std::string("text", 5));
}

TEST(HostFaults, FailAfterSkippingForAGivenNumberOfCalls) {
  dxhost::THostFaults faults;
  faults.Fail(dxhost::kValuesValueType, MoaError(0x80040042), 1, 2);
  faults.Fail(dxhost::kDictionaryPut, MoaError(0x80040043), 0, -1, "key");
  EXPECT_EQ(faults.Check(dxhost::kValuesValueType), kMoaOk);
  EXPECT_EQ(faults.Check(dxhost::kValuesValueType), MoaError(0x80040042));
  EXPECT_EQ(faults.Check(dxhost::kValuesValueType), MoaError(0x80040042));
  EXPECT_EQ(faults.Check(dxhost::kValuesValueType), kMoaOk);
  EXPECT_EQ(faults.Check(dxhost::kValuesValueAddRef), kMoaOk);
  EXPECT_EQ(faults.Check(dxhost::kDictionaryPut, "other"), kMoaOk);
  EXPECT_EQ(faults.Check(dxhost::kDictionaryPut, "key"), MoaError(0x80040043));
  EXPECT_EQ(faults.Calls(dxhost::kValuesValueType), 4);
  faults.Clear();
  EXPECT_EQ(faults.Check(dxhost::kDictionaryPut, "key"), kMoaOk);
}

TEST(HostServices, EveryServiceIsFoundByItsIdentifierAndReferencesAreCounted) {
  dxhost::TXtraHost host;
  IMoaHostServices& services = host.Services();
  const MoaInterfaceID ids[] = {kIID_IMoaMmValue,     kIID_IMoaMmList,        kIID_IMoaColorService,
                                kIID_IMoaPairService, kIID_IMoaAppInfo,       kIID_IMoaUtility,
                                kIID_IMoaPlayer,      kIID_IMoaMessageService};
  for (const MoaInterfaceID& id : ids) {
    void* service = nullptr;
    ASSERT_EQ(services.QueryInterface(&id, &service), kMoaOk);
    EXPECT_EQ(host.OutstandingReferences(), 1);
    static_cast<IMoaUnknown*>(service)->Release();
  }
  host.Faults().Refuse(kIID_IMoaAppInfo);
  void* refused = &host;
  EXPECT_EQ(services.QueryInterface(&kIID_IMoaAppInfo, &refused), kMoaErrNoInterface);
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(host.OutstandingReferences(), 0);
}

TEST(HostServices, AppInformationCarriesTheRunMode) {
  dxhost::TXtraHost host;
  char buffer[16];
  ASSERT_EQ(host.AppInfo().GetInfoString(1, buffer, sizeof buffer), kMoaOk);
  EXPECT_STREQ(buffer, "Projector");
  host.SetRunMode("Author");
  ASSERT_EQ(host.AppInfo().GetInfoString(1, buffer, sizeof buffer), kMoaOk);
  EXPECT_STREQ(buffer, "Author");
  EXPECT_EQ(host.AppInfo().GetInfoString(9, buffer, sizeof buffer), dxhost::kHostErrNotFound);
}

TEST(HostModule, FilesThatAreNotModulesAreRefused) {
  dxhost::TXtraHost host;
  EXPECT_FALSE(host.Load("no-such-module.x32"));
  EXPECT_NE(host.LastError().find("no-such-module.x32"), std::string::npos) << host.LastError();
  EXPECT_FALSE(host.Load(HOST_TEST_NOT_A_MODULE));
  EXPECT_NE(host.LastError().find("does not export DllGetClassForm"), std::string::npos)
      << host.LastError();
  EXPECT_FALSE(host.IsLoaded());
  std::vector<MoaClassTableEntry> table;
  EXPECT_EQ(host.ReadClassTable(table), dxhost::kHostErrNoModule);
  EXPECT_FALSE(host.New("anything"));
}

}  // namespace
