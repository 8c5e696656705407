#include "host/XtraHost.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "host/HostText.h"

namespace dxhost {
namespace {

std::string Hex(MoaError code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X", unsigned(code));
  return buffer;
}

// The text in double quotes (built by appending: GCC 12 warns falsely on '"' + string).
std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted.append(text);
  quoted += '"';
  return quoted;
}

bool IsTerminator(const MoaClassTableEntry& entry) {
  return entry.ClassID == MoaClassID{} && entry.InterfaceID == MoaInterfaceID{};
}

// A method-table line's method name: its first word after a "* " or "+ " handler prefix.
std::string MethodName(std::string_view line) {
  if (line.starts_with("* ") || line.starts_with("+ ")) line.remove_prefix(2);
  return std::string(line.substr(0, line.find(' ')));
}

TScriptClass ParseMsgTable(const MoaClassID& classId, const std::string& text) {
  TScriptClass parsed{classId, {}, text, {}};
  std::size_t start = 0;
  bool first = true;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    if (first && line.starts_with("xtra "))
      parsed.XtraName = line.substr(5);
    else if (!first)
      parsed.Methods.push_back(MethodName(line));
    first = false;
    start = end + 1;
  }
  return parsed;
}

}  // namespace

// ---- TScriptClass

MoaLong TScriptClass::Selector(std::string_view method) const {
  for (std::size_t i = 0; i < Methods.size(); ++i)
    if (SameName(Methods[i], method)) return MoaLong(i);
  return -1;
}

// ---- TXtraInstance

TXtraInstance::TXtraInstance(TXtraInstance&& other) noexcept
    : host_(std::exchange(other.host_, nullptr)),
      script_(std::exchange(other.script_, nullptr)),
      class_(std::exchange(other.class_, nullptr)),
      me_(std::move(other.me_)) {}

TXtraInstance& TXtraInstance::operator=(TXtraInstance&& other) noexcept {
  if (this != &other) {
    Release();
    host_ = std::exchange(other.host_, nullptr);
    script_ = std::exchange(other.script_, nullptr);
    class_ = std::exchange(other.class_, nullptr);
    me_ = std::move(other.me_);
  }
  return *this;
}

void TXtraInstance::Release() {
  if (!script_) return;
  if (const MoaLong forget = class_ ? class_->Selector("forget") : -1; forget >= 0)
    host_->Call(*this, forget);
  std::exchange(script_, nullptr)->Release();
  me_ = {};
}

// ---- TXtraHost

TXtraHost::TXtraHost()
    : services_({faults_, valueService_, appInfo_, utility_, player_, messages_, registry_, *this,
                 handles_}) {
  player_.SetMovie(&movie_);
}

std::string TXtraHost::HexCode(MoaError code) {
  return Hex(code);
}

TXtraHost::~TXtraHost() {
  Unload();
}

bool TXtraHost::Load(const std::string& path) {
  if (!Unload()) {
    lastError_ = "the loaded module still has live objects";
    return false;
  }
  if (!module_.Load(path)) {
    lastError_ = module_.ErrorText();
    return false;
  }
  return true;
}

bool TXtraHost::Unload() {
  if (!IsLoaded()) return true;
  if (Exports().CanUnloadNow() != kMoaOk) return false;
  module_.Unload();
  scriptClasses_.clear();
  registry_.Clear();
  return true;
}

MoaError TXtraHost::ReadClassTable(std::vector<MoaClassTableEntry>& table) {
  table.clear();
  if (!IsLoaded()) return kHostErrNoModule;
  MoaClassTableEntry* block = nullptr;
  if (MoaError result = Exports().GetClassInfo(&allocator_, &block)) return result;
  // Read no further than the block the module allocated, terminator or not.
  const std::size_t capacity = allocator_.SizeOf(block) / sizeof(MoaClassTableEntry);
  for (std::size_t i = 0; i < capacity && !IsTerminator(block[i]); ++i) table.push_back(block[i]);
  allocator_.Free(block);
  return kMoaOk;
}

MoaError TXtraHost::Register() {
  std::vector<MoaClassTableEntry> table;
  if (MoaError result = ReadClassTable(table)) {
    lastError_ = "no class table: " + Hex(result);
    return result;
  }
  const MoaClassTableEntry* registrar = nullptr;
  for (const MoaClassTableEntry& entry : table)
    if (entry.InterfaceID == kIID_IMoaRegister) registrar = &entry;
  if (!registrar) {
    lastError_ = "the module offers no register class";
    return kHostErrNoModule;
  }
  void* made = nullptr;
  if (MoaError result = CreateObject(registrar->ClassID, kIID_IMoaRegister, &made)) {
    lastError_ = "the register class was not made: " + Hex(result);
    return result;
  }
  IMoaRegister* object = static_cast<IMoaRegister*>(made);
  const MoaError result = object->Register(&registry_, &xtraDictionary_);
  object->Release();
  if (result != kMoaOk) {
    lastError_ = "Register failed: " + Hex(result);
    return result;
  }
  LearnScriptClasses(table);
  return kMoaOk;
}

void TXtraHost::LearnScriptClasses(const std::vector<MoaClassTableEntry>& table) {
  for (const MoaClassTableEntry& entry : table) {
    if (!(entry.InterfaceID == kIID_IMoaScriptCall)) continue;
    bool known = false;
    for (const TScriptClass& script : scriptClasses_)
      known = known || script.ClassID == entry.ClassID;
    const THostDictionary* dictionary = registry_.Find(entry.ClassID, kIID_IMoaScriptCall);
    if (known || !dictionary) continue;
    scriptClasses_.push_back(
        ParseMsgTable(entry.ClassID, dictionary->String("msgTable").value_or("")));
  }
}

const TScriptClass* TXtraHost::FindScriptClass(std::string_view xtraName) const {
  for (const TScriptClass& script : scriptClasses_)
    if (LowerAscii(script.XtraName) == LowerAscii(xtraName)) return &script;
  return nullptr;
}

MoaError TXtraHost::Notify(const MoaInterfaceID& iid) {
  for (const MoaClassID& classId : registry_.ClassesWith(iid)) {
    void* made = nullptr;
    if (MoaError result = CreateObject(classId, iid, &made)) return result;
    // Both notification interfaces have their one operation in slot 3.
    MoaError result;
    if (iid == kIID_IMoaInitialize) {
      result = static_cast<IMoaInitialize*>(made)->Initialize();
    } else {
      result = static_cast<IMoaFinalize*>(made)->Finalize();
    }
    static_cast<IMoaUnknown*>(made)->Release();
    if (result != kMoaOk) return result;
  }
  return kMoaOk;
}

MoaError TXtraHost::RunInitializers() {
  return Notify(kIID_IMoaInitialize);
}

MoaError TXtraHost::RunFinalizers() {
  return Notify(kIID_IMoaFinalize);
}

MoaObjectRecord* TXtraHost::NewRecord(const MoaClassID& classId, MoaLong size) {
  if (size < MoaLong(sizeof(MoaObjectRecord))) return nullptr;
  // The class identifier travels with the record, right after the size the module asked for.
  const std::size_t idOffset =
      (std::size_t(size) + alignof(MoaClassID) - 1) & ~(alignof(MoaClassID) - 1);
  void* block = allocator_.Allocate(MoaUlong(idOffset + sizeof(MoaClassID)));
  if (!block) return nullptr;
  std::memset(block, 0, std::size_t(size));
  auto* id = reinterpret_cast<MoaClassID*>(static_cast<char*>(block) + idOffset);
  *id = classId;
  auto* record = static_cast<MoaObjectRecord*>(block);
  record->HostServices = &services_;
  record->Allocator = &allocator_;
  record->ClassID = id;
  return record;
}

MoaError TXtraHost::CreateObject(const MoaClassID& classId, const MoaInterfaceID& iid, void** out) {
  if (!IsLoaded()) return kHostErrNoModule;
  MoaLong size = 0;
  TMoaCreateCallback create = nullptr;
  TMoaDestroyCallback destroy = nullptr;
  if (MoaError result = Exports().GetClassForm(&classId, &size, &create, &destroy)) return result;
  if (!create || !destroy) return kHostErrNoModule;
  MoaObjectRecord* record = NewRecord(classId, size);
  if (!record) return kHostErrOutOfMemory;
  if (MoaError result = create(record)) {
    allocator_.Free(record);
    return result;
  }
  if (MoaError result = Exports().GetInterface(record, nullptr, &iid, out)) {
    destroy(record);
    allocator_.Free(record);
    return result;
  }
  return kMoaOk;
}

TXtraInstance TXtraHost::New(std::string_view xtraName, std::initializer_list<THostValue> args) {
  const TScriptClass* script = FindScriptClass(xtraName);
  if (!script) {
    lastError_ = "no scripting class " + Quoted(xtraName);
    return {};
  }
  return Make(*script, std::span<const THostValue>(args.begin(), args.size()));
}

TXtraInstance TXtraHost::New(const MoaClassID& classId, std::initializer_list<THostValue> args) {
  for (const TScriptClass& script : scriptClasses_)
    if (script.ClassID == classId)
      return Make(script, std::span<const THostValue>(args.begin(), args.size()));
  lastError_ = "no scripting class of that identifier";
  return {};
}

TXtraInstance TXtraHost::Make(const TScriptClass& script, std::span<const THostValue> args) {
  void* made = nullptr;
  if (MoaError result = CreateObject(script.ClassID, kIID_IMoaScriptCall, &made)) {
    lastError_ = Quoted(script.XtraName) + " was not made: " + Hex(result);
    return {};
  }
  TXtraInstance instance;
  instance.host_ = this;
  instance.script_ = static_cast<IMoaScriptCall*>(made);
  instance.class_ = &script;
  instance.me_ = values_.Object(script.XtraName);
  if (const MoaLong selector = script.Selector("new"); selector >= 0)
    Call(instance, selector, args);
  return instance;
}

THostValue TXtraHost::Call(const TXtraInstance& instance, std::string_view method,
                           std::initializer_list<THostValue> args) {
  const MoaLong selector = instance.class_ ? instance.class_->Selector(method) : -1;
  if (selector < 0) {
    lastError_ = "no method " + Quoted(method);
    return {};
  }
  return Call(instance, selector, std::span<const THostValue>(args.begin(), args.size()));
}

THostValue TXtraHost::Call(const TXtraInstance& instance, MoaLong selector,
                           std::initializer_list<THostValue> args) {
  return Call(instance, selector, std::span<const THostValue>(args.begin(), args.size()));
}

THostValue TXtraHost::Call(const TXtraInstance& instance, MoaLong selector,
                           std::span<const THostValue> args) {
  // The arguments, me first. A short list lives on the stack, the places after it filled with
  // a value that names nothing, so that a module reading past the list is caught as a bad use.
  constexpr std::size_t kInlineArgs = 8;
  constexpr MoaMmValue kNothing{{0xFFFFFFFF, 0xFFFFFFFF}};
  MoaMmValue inlineArgs[kInlineArgs];
  std::vector<MoaMmValue> heapArgs;
  const std::size_t count = args.size() + 1;
  MoaMmValue* raw = inlineArgs;
  if (count > kInlineArgs) {
    heapArgs.resize(count);
    raw = heapArgs.data();
  } else {
    std::fill(inlineArgs + count, inlineArgs + kInlineArgs, kNothing);
  }
  raw[0] = instance.Me().Raw();
  for (std::size_t i = 0; i < args.size(); ++i) raw[i + 1] = args[i].Raw();
  MoaDrCallInfo call{};
  call.Selector = selector;
  call.ArgCount = MoaLong(count);
  call.Args = raw;
  CallRaw(instance, call);
  return THostValue(values_, call.Result);
}

MoaError TXtraHost::CallRaw(const TXtraInstance& instance, MoaDrCallInfo& call) {
  return instance.Script() ? instance.Script()->Call(&call) : kHostErrNoModule;
}

MoaError TXtraHost::GetProperty(IMoaPropertyOwner& object, std::string_view name,
                                THostValue& value) {
  MoaMmValue out{};
  const MoaError result = object.GetProp(values_.Intern(name), &out);
  value = THostValue(values_, out);
  return result;
}

MoaError TXtraHost::SetProperty(IMoaPropertyOwner& object, std::string_view name,
                                const THostValue& value) {
  return object.SetProp(values_.Intern(name), &value.Raw());
}

MoaError TXtraHost::CallFunction(IMoaPropertyOwner& object, std::string_view name,
                                 std::initializer_list<THostValue> args, THostValue& result) {
  const THostValue member = values_.Object("member");
  std::vector<MoaMmValue> raw{member.Raw()};
  for (const THostValue& arg : args) raw.push_back(arg.Raw());
  MoaDrCallInfo call{};
  call.Selector = values_.Intern(name);
  call.ArgCount = MoaLong(raw.size());
  call.Args = raw.data();
  const MoaError code = object.CallFunction(&call);
  result = THostValue(values_, call.Result);
  return code;
}

int TXtraHost::OutstandingReferences() const {
  return allocator_.Outstanding() + valueService_.OutstandingAll() + registry_.OutstandingAll() +
         xtraDictionary_.Outstanding() + appInfo_.Outstanding() + utility_.Outstanding() +
         player_.Outstanding() + messages_.Outstanding() + services_.Outstanding() +
         handles_.Outstanding() + movie_.OutstandingAll();
}

bool TXtraHost::ModuleCanUnload() const {
  return module_.IsLoaded() && Exports().CanUnloadNow() == kMoaOk;
}

std::vector<std::string> TXtraHost::HeldByModule() const {
  std::vector<std::string> held;
  const auto expect = [&](bool given, std::string_view what, long long count = 0) {
    if (given) return;
    held.emplace_back(what);
    if (count != 0) held.back() += " (" + std::to_string(count) + ")";
  };
  expect(ModuleCanUnload(), "framework objects still alive");
  expect(LiveBlocks() == 0, "host memory not given back", (long long)LiveBlocks());
  expect(LiveValues() == 0, "host values not released", (long long)LiveValues());
  expect(OutstandingReferences() == 0, "host service references not released",
         OutstandingReferences());
  expect(values_.BadUses() == 0, "values used after release, or of a wrong type",
         values_.BadUses());
  expect(allocator_.BadFrees() == 0, "host memory freed that was not allocated",
         allocator_.BadFrees());
  expect(utility_.OpenContexts() <= utility_.RefusedReleases(), "utility contexts left open",
         utility_.OpenContexts() - utility_.RefusedReleases());
  expect(utility_.BadReleases() == 0, "utility contexts released that were not open",
         utility_.BadReleases());
  expect(handles_.LiveHandles() == 0, "handles not freed", (long long)handles_.LiveHandles());
  expect(handles_.OpenLocks() == 0, "handles left locked", handles_.OpenLocks());
  expect(handles_.BadUses() == 0, "handles misused", handles_.BadUses());
  return held;
}

}  // namespace dxhost
