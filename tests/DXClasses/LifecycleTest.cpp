// Objects through the class form, the host record and the entry points: creation, reference
// counting against the record, both ways of ending an object, and class preparation.

#include "ModuleFixture.h"
#include "ProbeIds.h"
#include "host/HostSlots.h"

namespace {

// An object made step by step as the host makes it.
struct TManualObject {
  MoaObjectRecord* Record = nullptr;
  TMoaCreateCallback Create = nullptr;
  TMoaDestroyCallback Destroy = nullptr;
};

}  // namespace

class LifecycleTest : public ModuleTest {
 protected:
  TManualObject Make(const MoaClassID& classId) {
    TManualObject object;
    MoaLong size = 0;
    EXPECT_EQ(host.Exports().GetClassForm(&classId, &size, &object.Create, &object.Destroy),
              kMoaOk);
    EXPECT_EQ(size, MoaLong(sizeof(MoaObjectRecord)));
    object.Record = host.NewRecord(classId, size);
    EXPECT_EQ(object.Create(object.Record), kMoaOk);
    return object;
  }

  IMoaScriptCall* ScriptCall(const TManualObject& object) {
    void* out = nullptr;
    EXPECT_EQ(host.Exports().GetInterface(object.Record, nullptr, &kIID_IMoaScriptCall, &out),
              kMoaOk);
    return static_cast<IMoaScriptCall*>(out);
  }
};

TEST_F(LifecycleTest, ModuleCanUnloadBeforeTheFirstObjectAndAfterTheLast) {
  Register();
  EXPECT_EQ(host.Exports().CanUnloadNow(), kMoaOk);
  dxhost::TXtraInstance first = host.New("dxProbe");
  dxhost::TXtraInstance second = host.New("dxFallback");
  EXPECT_EQ(host.Exports().CanUnloadNow(), kDXErrObjectsAlive);
  EXPECT_FALSE(host.Unload());
  first.Release();
  EXPECT_EQ(host.Exports().CanUnloadNow(), kDXErrObjectsAlive);
  second.Release();
  EXPECT_EQ(host.Exports().CanUnloadNow(), kMoaOk);
}

TEST_F(LifecycleTest, RecordKeepsTheHostsCountAndTheLastInterfaceReleaseEndsBoth) {
  TManualObject object = Make(kProbeClassID);
  ASSERT_TRUE(object.Record->Object);
  EXPECT_EQ(object.Record->RefCount, 1);
  IMoaScriptCall* script = ScriptCall(object);
  EXPECT_EQ(object.Record->RefCount, 2);
  EXPECT_EQ(script->AddRef(), 3u);
  EXPECT_EQ(object.Record->RefCount, 3);
  EXPECT_EQ(script->Release(), 2u);
  EXPECT_EQ(object.Record->RefCount, 2);
  EXPECT_EQ(host.LiveBlocks(), 2u);  // record and object
  EXPECT_EQ(script->Release(), 0u);
  // Only the record's own reference was left: object and record went back to the host.
  EXPECT_EQ(host.LiveBlocks(), 0u);
  EXPECT_EQ(host.Exports().CanUnloadNow(), kMoaOk);
}

TEST_F(LifecycleTest, DestroyCallbackDropsTheRecordsReferenceOnly) {
  TManualObject object = Make(kProbeClassID);
  IMoaScriptCall* script = ScriptCall(object);
  object.Destroy(object.Record);
  EXPECT_EQ(object.Record->Object, nullptr);
  EXPECT_EQ(object.Record->RefCount, 1);
  // The interface still works on the living object.
  MoaMmValue args[1] = {};
  MoaDrCallInfo call{};
  call.Selector = 5;  // argCount
  call.ArgCount = 1;
  call.Args = args;
  EXPECT_EQ(script->Call(&call), kMoaOk);
  EXPECT_EQ(host.Text(call.Result), "1");
  V().Release(call.Result);
  EXPECT_EQ(script->Release(), 0u);
  EXPECT_EQ(host.Exports().CanUnloadNow(), kMoaOk);
  EXPECT_EQ(host.LiveBlocks(), 1u);  // the record stays with the host
  host.Allocator().Free(object.Record);
}

TEST_F(LifecycleTest, DestroyCallbackEndsAnObjectNobodyAskedFor) {
  TManualObject object = Make(kFallbackClassID);
  EXPECT_EQ(host.Exports().CanUnloadNow(), kDXErrObjectsAlive);
  object.Destroy(object.Record);
  EXPECT_EQ(host.Exports().CanUnloadNow(), kMoaOk);
  object.Destroy(object.Record);  // a second call finds nothing to drop
  host.Allocator().Free(object.Record);
}

TEST_F(LifecycleTest, EveryInterfaceAnswersForTheSameObject) {
  TManualObject object = Make(kProbeClassID);
  IMoaScriptCall* script = ScriptCall(object);
  void* unknown = nullptr;
  void* factory = nullptr;
  void* stub = nullptr;
  ASSERT_EQ(script->QueryInterface(&kIID_IMoaUnknown, &unknown), kMoaOk);
  ASSERT_EQ(script->QueryInterface(&kIID_IMoaClassFactory, &factory), kMoaOk);
  ASSERT_EQ(static_cast<IMoaUnknown*>(factory)->QueryInterface(&kIID_IMoaScriptStub, &stub),
            kMoaOk);
  EXPECT_EQ(unknown, object.Record->Object);
  EXPECT_EQ(unknown, factory);
  EXPECT_EQ(object.Record->RefCount, 5);

  MoaLong state = 77;
  auto* stubInterface = static_cast<IMoaScriptStub*>(stub);
  EXPECT_EQ(stubInterface->StubGet(&state), kMoaOk);
  EXPECT_EQ(state, 0);
  EXPECT_EQ(stubInterface->StubSet(3), kMoaOk);
  EXPECT_EQ(stubInterface->StubNotify(4), kMoaOk);

  // The class factory makes nothing, but gives back the reference of its first argument.
  auto* classFactory = static_cast<IMoaClassFactory*>(factory);
  static_cast<IMoaUnknown*>(unknown)->AddRef();
  void* made = &state;
  EXPECT_EQ(
      classFactory->CreateInstance(static_cast<IMoaUnknown*>(unknown), &kIID_IMoaScriptCall, &made),
      kMoaOk);
  EXPECT_EQ(made, nullptr);
  EXPECT_EQ(classFactory->LockServer(1), kMoaOk);
  EXPECT_EQ(object.Record->RefCount, 5);

  void* none = &state;
  EXPECT_EQ(script->QueryInterface(&kIID_IMoaRegister, &none), kMoaErrNoInterface);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(host.Exports().GetInterface(object.Record, nullptr, &kIID_IMoaAsset, &none),
            kDXErrNotSupported);

  static_cast<IMoaUnknown*>(stub)->Release();
  classFactory->Release();
  static_cast<IMoaUnknown*>(unknown)->Release();
  script->Release();
}

TEST_F(LifecycleTest, CreateCallbackRefusesAClassThatIsNotRegistered) {
  TManualObject object = Make(kProbeClassID);
  const MoaClassID unknown = MakeMoaID("00000000-1111-2222-3333-444444444444");
  MoaObjectRecord* stranger = host.NewRecord(unknown, MoaLong(sizeof(MoaObjectRecord)));
  EXPECT_EQ(object.Create(stranger), kDXErrClassNotFound);
  EXPECT_EQ(object.Create(nullptr), kDXErrClassNotFound);
  host.Allocator().Free(stranger);
  object.Destroy(object.Record);
  host.Allocator().Free(object.Record);
}

TEST_F(LifecycleTest, ObjectWithoutMemoryIsNotMade) {
  Register();
  // The record is made, the object is not.
  host.Faults().Fail(dxhost::kAllocatorAllocate, dxhost::kHostErrInjected, 1, 1);
  void* out = nullptr;
  EXPECT_EQ(host.CreateObject(kProbeClassID, kIID_IMoaScriptCall, &out), kDXErrOutOfMemory);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(host.Exports().CanUnloadNow(), kMoaOk);
  EXPECT_TRUE(host.New("dxProbe"));
}

TEST_F(LifecycleTest, ClassIsPreparedOnceForItsFirstObject) {
  Register();
  const int contexts = host.Utility().Acquisitions();
  dxhost::TXtraInstance first = host.New("dxProbe");
  dxhost::TXtraInstance second = host.New("dxProbe");
  EXPECT_EQ(Text(host.Call(second, "classEvents")),
            "\"prepare(host=" + std::to_string(dxhost::THostUtility::kHostValue) +
                ",registry=1,symbol=1);\"");
  // Inside the host's utility context, which is left again.
  EXPECT_EQ(host.Utility().Acquisitions(), contexts + 1);
}

TEST_F(LifecycleTest, ApplicationInformationIsReadOnTheFirstCreation) {
  host.SetRunMode("Author");
  Register();  // makes the module's first object, the register object
  host.SetRunMode("Projector");
  dxhost::TXtraInstance probe = host.New("dxProbe");
  EXPECT_EQ(Text(host.Call(probe, "services")),
            "\"runMode=Author registry=1 product=zelXML host\"");
  EXPECT_EQ(host.Faults().Calls(dxhost::kAppInfoGetInfoString), 9);
}

TEST_F(LifecycleTest, InitializerIsStartedAndFinishedThroughTheHost) {
  Register();
  ASSERT_EQ(host.RunInitializers(), kMoaOk);
  EXPECT_EQ(host.Exports().CanUnloadNow(), kDXErrObjectsAlive);  // kept until shut-down
  ASSERT_EQ(host.RunFinalizers(), kMoaOk);
  EXPECT_EQ(host.Exports().CanUnloadNow(), kMoaOk);
  dxhost::TXtraInstance probe = host.New("dxProbe");
  const std::string events = Text(host.Call(probe, "classEvents"));
  EXPECT_NE(events.find("initialize;finalize;"), std::string::npos) << events;
}

TEST_F(LifecycleTest, ModuleStateStartsAfreshAfterAReload) {
  Register();
  host.New("dxProbe").Release();
  ASSERT_TRUE(host.Unload());
  Load(DXTEST_FULL_MODULE);
  Register();
  dxhost::TXtraInstance probe = host.New("dxProbe");
  const std::string events = Text(host.Call(probe, "classEvents"));
  EXPECT_EQ(events.find("prepare"), events.rfind("prepare")) << events;
}
