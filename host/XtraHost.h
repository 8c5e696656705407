#pragma once

// TXtraHost: our host, playing Director's part. It loads a module, registers it as Director
// does (class table, register class, Register into a registry cache whose entries can be read
// back), makes Xtra objects through the module's class forms and records, and calls Lingo
// methods with Lingo values. Its services count what a module takes (allocator blocks, host
// values, service references), can fail on request, and print values as Lingo does.
//
//   dxhost::TXtraHost host;
//   host.Load(path) && host.Register() == kMoaOk;
//   dxhost::TXtraInstance parser = host.New("zelXMLParser");
//   host.Text(host.Call(parser, "loadFromText", {host.Values().String("<a/>")}));  // "1"

#include <deque>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "DXInt/MoaXtraInterfaces.h"
#include "DXInt/MoaXtraKinds.h"
#include "common/RefCounted.h"
#include "host/HostAllocator.h"
#include "host/HostHandles.h"
#include "host/HostModule.h"
#include "host/HostMovie.h"
#include "host/HostServices.h"
#include "host/HostStream.h"
#include "host/LingoText.h"

namespace dxhost {

// A scripting class a module registered, as its method table describes it.
struct TScriptClass {
  MoaClassID ClassID{};
  std::string XtraName;
  std::string MsgTable;
  std::vector<std::string> Methods;  // by selector

  // The selector of a method (names compare without regard to case), or -1.
  MoaLong Selector(std::string_view method) const;
};

class TXtraHost;

// Lingo's reference to one Xtra instance. Letting it go calls the instance's forget and then
// releases the host's reference, which ends the object.
class TXtraInstance {
 public:
  TXtraInstance() = default;
  TXtraInstance(TXtraInstance&& other) noexcept;
  TXtraInstance& operator=(TXtraInstance&& other) noexcept;
  ~TXtraInstance() { Release(); }

  explicit operator bool() const { return script_ != nullptr; }
  void Release();

  IMoaScriptCall* Script() const { return script_; }
  const THostValue& Me() const { return me_; }
  const TScriptClass* Class() const { return class_; }

 private:
  friend class TXtraHost;

  TXtraHost* host_ = nullptr;
  IMoaScriptCall* script_ = nullptr;
  const TScriptClass* class_ = nullptr;
  THostValue me_;
};

class TXtraHost final : private IHostObjectMaker {
 public:
  TXtraHost();
  TXtraHost(const TXtraHost&) = delete;
  TXtraHost& operator=(const TXtraHost&) = delete;
  ~TXtraHost();

  // ---- The module.
  bool Load(const std::string& path);
  // Unloads the module when it allows it; false (and the module stays) while it has live
  // objects.
  bool Unload();
  bool IsLoaded() const { return module_.IsLoaded(); }
  const THostExports& Exports() const { return module_.Exports(); }
  // Why the last Load, Register, New or Call by name failed.
  const std::string& LastError() const { return lastError_; }

  // ---- Registration, as Director does it for a module it loads.
  // The class table up to its terminator; the module's block goes back to the allocator.
  MoaError ReadClassTable(std::vector<MoaClassTableEntry>& table);
  // Class table, the register class made through its class form, Register, then the scripting
  // classes learnt from their "msgTable" entries.
  MoaError Register();
  THostDictionary* RegistryEntry(const MoaClassID& classId, const MoaInterfaceID& iid) {
    return registry_.Find(classId, iid);
  }
  const std::deque<TScriptClass>& ScriptClasses() const { return scriptClasses_; }
  const TScriptClass* FindScriptClass(std::string_view xtraName) const;
  // The start-up and shut-down calls of the module's initializer classes.
  MoaError RunInitializers();
  MoaError RunFinalizers();

  // ---- Objects.
  // An object of a registered class, answering iid: class form, record, create callback, the
  // interface. The host keeps nothing: the interface's last release ends object and record.
  MoaError CreateObject(const MoaClassID& classId, const MoaInterfaceID& iid, void** out) override;
  // A record as the host makes one for a class (size from the class form), or null.
  MoaObjectRecord* NewRecord(const MoaClassID& classId, MoaLong size);
  // CreateObject with the host holding the interface; empty (with LastError) when not made.
  template <class TInterface>
  Ref<TInterface> Make(const MoaClassID& classId, const MoaInterfaceID& iid) {
    void* made = nullptr;
    const MoaError result = CreateObject(classId, iid, &made);
    if (result != kMoaOk) lastError_ = "the object was not made: " + HexCode(result);
    return Ref<TInterface>::Adopt(result == kMoaOk ? static_cast<TInterface*>(made) : nullptr);
  }

  // ---- Properties and functions of an asset's or a sprite's object, by name. A function gets
  // a member reference as its first argument, then args; the result as the module wrote it.
  MoaError GetProperty(IMoaPropertyOwner& object, std::string_view name, THostValue& value);
  MoaError SetProperty(IMoaPropertyOwner& object, std::string_view name, const THostValue& value);
  MoaError CallFunction(IMoaPropertyOwner& object, std::string_view name,
                        std::initializer_list<THostValue> args, THostValue& result);

  // ---- Lingo.
  // new(xtra "name", args...); an empty instance when the class is unknown or not made.
  TXtraInstance New(std::string_view xtraName, std::initializer_list<THostValue> args = {});
  TXtraInstance New(const MoaClassID& classId, std::initializer_list<THostValue> args = {});
  // A method by name (void, with LastError, when the class has no such method) or by
  // selector; the result as the module wrote it, void when it wrote nothing.
  THostValue Call(const TXtraInstance& instance, std::string_view method,
                  std::initializer_list<THostValue> args = {});
  THostValue Call(const TXtraInstance& instance, MoaLong selector,
                  std::initializer_list<THostValue> args = {});
  THostValue Call(const TXtraInstance& instance, MoaLong selector,
                  std::span<const THostValue> args);
  // The instance's script call with the record as given.
  MoaError CallRaw(const TXtraInstance& instance, MoaDrCallInfo& call);

  THostValues& Values() { return values_; }
  // The value service a module's objects get, for code that drives values without a module.
  THostValueService& ValueService() { return valueService_; }
  std::string Text(const THostValue& value) { return LingoText(values_, value); }
  std::string Text(const MoaMmValue& value) { return LingoText(values_, value); }

  // ---- The host's state.
  void SetRunMode(std::string mode) { appInfo_.SetRunMode(std::move(mode)); }
  THostFaults& Faults() { return faults_; }
  THostAllocator& Allocator() { return allocator_; }
  IMoaHostServices& Services() { return services_; }
  THostUtility& Utility() { return utility_; }
  THostMessages& Messages() { return messages_; }
  THostRegistry& Registry() { return registry_; }
  THostAppInfo& AppInfo() { return appInfo_; }
  THostPlayer& Player() { return player_; }
  // The active movie (the player hands it out until told otherwise).
  THostMovie& Movie() { return movie_; }
  THostHandles& Handles() { return handles_; }
  // A stream of the host in memory, for an asset to save into or load from.
  THostStream NewStream(std::string bytes = {}) { return THostStream(faults_, std::move(bytes)); }

  // ---- What a module holds of the host: zero for each when it has given everything back.
  std::size_t LiveBlocks() const { return allocator_.LiveBlocks(); }
  // Values not released, besides those the movie's properties keep.
  std::size_t LiveValues() const { return values_.Live() - movie_.HeldValues(); }
  // References to host services not given back.
  int OutstandingReferences() const;
  // The module's own answer: DllCanUnloadNow is 0.
  bool ModuleCanUnload() const;
  // Everything above and the host's records of misuse, one line for each thing the module
  // still holds or did wrong (objects, memory, values, service references, utility contexts,
  // handles and their locks); empty when it has given everything back.
  std::vector<std::string> HeldByModule() const;

 private:
  static std::string HexCode(MoaError code);
  MoaError Notify(const MoaInterfaceID& iid);
  TXtraInstance Make(const TScriptClass& script, std::span<const THostValue> args);
  void LearnScriptClasses(const std::vector<MoaClassTableEntry>& table);

  THostFaults faults_;
  THostAllocator allocator_{faults_};
  THostValues values_;
  THostValueService valueService_{values_, faults_};
  THostRegistry registry_{faults_};
  THostDictionary xtraDictionary_{faults_};
  THostAppInfo appInfo_{faults_};
  THostUtility utility_{faults_};
  THostPlayer player_;
  THostMessages messages_{faults_};
  THostHandles handles_{faults_};
  THostMovie movie_{values_, faults_, handles_};
  THostServices services_;
  std::deque<TScriptClass> scriptClasses_;  // instances point into it
  std::string lastError_;
  // Last: the module goes first, while every service it may still call is there.
  THostModule module_;
};

}  // namespace dxhost
