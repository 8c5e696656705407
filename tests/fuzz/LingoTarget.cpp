// The Lingo surface: the bytes drive a sequence of calls on one zelXMLParser instance through
// our host, as a script would make them: the method, how many arguments and of what kinds,
// and their values. After every call the error state must follow its rules; after forget the
// module must hold nothing of the host.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzTarget.h"
#include "LingoFuzzRig.h"
#include "unitXml/zelXMLParser.h"

namespace {

using fuzzing::TStringRole;

// The class's own method table: selectors from 2 on, as the host numbers its lines.
constexpr auto kMethods = DXLingoSignatures<TzelXMLParser>();
constexpr int kFirstMethod = 2;  // after new and forget
constexpr int kMethodCount = kFirstMethod + int(kMethods.size());
constexpr int kMaxCalls = 48;
constexpr std::uint8_t kVersionChoice = 249;

// new, forget and selectors outside the table: no arguments, no result, no error state.
constexpr TDXLingoSignature kFrameCall{};

const TDXLingoSignature& MethodOf(MoaLong selector) {
  return selector >= kFirstMethod && selector < kMethodCount ? kMethods[selector - kFirstMethod]
                                                             : kFrameCall;
}

std::string MethodName(MoaLong selector) {
  if (selector == 0) return "new";
  if (selector == 1) return "forget";
  if (selector < kMethodCount && selector >= 0) return std::string(MethodOf(selector).Name);
  return "unknown " + std::to_string(selector);
}

// The pool a string argument's values come from, by the argument's Lingo name.
TStringRole RoleOf(std::string_view argument) {
  if (argument == "xmlFile") return TStringRole::File;
  if (argument == "logFile") return TStringRole::LogFile;
  if (argument == "xmlString") return TStringRole::Document;
  if (argument == "nodePath") return TStringRole::Path;
  if (argument == "nodeName" || argument == "attrName") return TStringRole::Name;
  return TStringRole::Any;
}

[[noreturn]] void Violation(const std::string& method, const std::string& what) {
  std::fprintf(stderr, "lingo: after %s: %s\n", method.c_str(), what.c_str());
  std::abort();
}

// The readers of the current node, which answer their failure value without one.
bool ReadsNode(std::string_view name) {
  return name == "getNodeName" || name == "getXML" || name == "getText" || name.ends_with("Attr");
}

// The navigation methods that fail without a current node.
bool NeedsNode(std::string_view name) {
  return name == "selectSingleNode" || name == "nodeCount" || name == "selectNode" ||
         name == "childCount" || name == "selectChild" || name == "parentNode" ||
         name == "nextNode";
}

// The outcome of one call, in the terms the rules speak of.
struct TCallView {
  std::string Method;
  const TDXLingoSignature* Signature = &kFrameCall;
  std::vector<dxhost::THostValue> Args;
  dxhost::THostValue Result;
  std::string ErrorBefore, ErrorAfter;
  bool HadCurrentNode = false;
};

class TLingoRun {
 public:
  TLingoRun(fuzzing::TLingoRig& rig, fuzzing::TByteReader& bytes)
      : rig_(rig), host_(rig.Host()), bytes_(bytes), maker_(host_, rig.Pools(), bytes) {}

  void Run();

 private:
  MoaLong ChooseSelector();
  std::vector<dxhost::THostValue> ChooseArguments(MoaLong selector);
  dxhost::THostValue Call(MoaLong selector, const std::vector<dxhost::THostValue>& args) {
    return host_.Call(parser_, selector, std::span<const dxhost::THostValue>(args));
  }
  // The error state, read as a script reads it; both readers must agree and change nothing.
  std::string ErrorState(const std::string& after);
  bool HasCurrentNode();

  void CheckCall(const TCallView& call);
  void CheckType(const TCallView& call, MoaLong type);
  void CheckFailureValue(const TCallView& call);
  void CheckHostHoldsNothing();

  fuzzing::TLingoRig& rig_;
  dxhost::TXtraHost& host_;
  fuzzing::TByteReader& bytes_;
  fuzzing::TValueMaker maker_;
  dxhost::TXtraInstance parser_;
  bool reported_ = false;
};

void TLingoRun::Run() {
  std::remove(rig_.Pools().LogFile.c_str());
  parser_ = host_.New("zelXMLParser");
  if (!parser_) Violation("new", "no instance: " + host_.LastError());
  std::string error = ErrorState("new");
  if (!error.empty()) Violation("new", "a new instance has an error");
  for (int i = 0; i < kMaxCalls && !bytes_.AtEnd(); ++i) {
    TCallView call;
    const MoaLong selector = ChooseSelector();
    call.Method = MethodName(selector);
    call.Signature = &MethodOf(selector);
    call.Args = ChooseArguments(selector);
    // Asked only where a rule reads it: every question is a call through the host.
    call.HadCurrentNode = (ReadsNode(call.Method) || NeedsNode(call.Method)) && HasCurrentNode();
    call.ErrorBefore = error;
    call.Result = Call(selector, call.Args);
    call.ErrorAfter = error = ErrorState(call.Method);
    CheckCall(call);
  }
  parser_.Release();
  CheckHostHoldsNothing();
}

MoaLong TLingoRun::ChooseSelector() {
  const std::uint8_t choice = bytes_.Byte();
  // The version report reads the module's file (slowly: milliseconds, the cost of a hundred
  // other calls) and answers the same every time: once a run is enough, and one byte value
  // chooses it. Not zero, the value the fuzzer writes most.
  if (choice == kVersionChoice && !reported_) {
    reported_ = true;
    return 2;
  }
  if (choice < 250) return 3 + choice % (kMethodCount - 3);
  constexpr MoaLong kOthers[] = {0, 1, kMethodCount, -1, 0x7FFFFFFF, 1000};
  return kOthers[choice - 250];
}

std::vector<dxhost::THostValue> TLingoRun::ChooseArguments(MoaLong selector) {
  const std::span<const TDXLingoArgument> declared = MethodOf(selector).ArgumentList();
  // Mostly what the method declares; now and then fewer or more, as Lingo does not check.
  const std::uint8_t shape = bytes_.Byte();
  const std::size_t count = shape < 224 ? declared.size() : shape % 5;
  std::vector<dxhost::THostValue> args;
  for (std::size_t i = 0; i < count; ++i) {
    if (i >= declared.size()) {
      args.push_back(maker_.AnyValue(0));
      continue;
    }
    const TStringRole role = RoleOf(declared[i].Name);
    args.push_back(maker_.Argument(int(declared[i].Kind), role));
    // A file name that is a string comes from its pool, whatever kind the bytes chose.
    const bool fileName = role == TStringRole::File || role == TStringRole::LogFile;
    if (fileName && host_.Values().TypeOf(args.back().Raw()) == kMoaValueString)
      args.back() = maker_.String(role);
  }
  return args;
}

// That reading changes nothing is checked where a script reads it: both readers leave the state
// untouched as every such method must, and a reader that cleared it would leave isNoError at
// odds with errorMsg here.
std::string TLingoRun::ErrorState(const std::string& after) {
  const dxhost::THostValue message = host_.Call(parser_, "errorMsg");
  const dxhost::THostBox* text = host_.Values().Find(message.Raw(), kMoaValueString);
  if (!text) Violation(after, "errorMsg answered " + host_.Text(message));
  const std::string noError = host_.Text(host_.Call(parser_, "isNoError"));
  if (noError != (text->Text.empty() ? "1" : "0"))
    Violation(after, "isNoError " + noError + " with errorMsg \"" + text->Text + "\"");
  return text->Text;
}

bool TLingoRun::HasCurrentNode() {
  // Every node has a name that is not empty, so the empty name means no current node.
  return host_.Text(host_.Call(parser_, "getNodeName")) != "\"\"";
}

void TLingoRun::CheckCall(const TCallView& call) {
  const std::string& name = call.Method;
  const TDXErrorState errors = call.Signature->Errors;
  const bool changed = call.ErrorAfter != call.ErrorBefore;
  // Methods outside the error capture never touch the state.
  if (errors == TDXErrorState::Untouched && changed)
    Violation(name, "the error state changed to \"" + call.ErrorAfter + "\"");
  // Only the methods that restart it clear it.
  if (call.ErrorAfter.empty() && !call.ErrorBefore.empty() && errors != TDXErrorState::Restarts)
    Violation(name, "cleared the error state");
  // A recorded failure leaves the failure value (a load's or the report's clearing is none).
  if (changed && !call.ErrorAfter.empty()) CheckFailureValue(call);
  CheckType(call, host_.Values().TypeOf(call.Result.Raw()));
  // A result's text is made only where a rule reads it: the XML of a large document runs to
  // megabytes, and quoting it for nothing would cost more than the call.
  if (name == "loadFromFile" || name == "loadFromText") {
    const std::string result = host_.Text(call.Result);
    if ((result == "1") != call.ErrorAfter.empty())
      Violation(name, "answered " + result + " with errorMsg \"" + call.ErrorAfter + "\"");
  } else if (name == "xtraVersion") {
    const dxhost::THostBox* list = host_.Values().Find(call.Result.Raw(), kMoaValuePropertyList);
    if (call.ErrorAfter.empty() && (!list || list->Items.size() != 10))
      Violation(name, "no ten-entry report without an error: " + host_.Text(call.Result));
  } else if (name == "testPL" || name == "testL") {
    const MoaLong wanted = name == "testPL" ? kMoaValuePropertyList : kMoaValueList;
    const bool given = !call.Args.empty() && host_.Values().TypeOf(call.Args[0].Raw()) == wanted;
    const std::string result = host_.Text(call.Result);
    if (given && result != host_.Text(call.Args[0]))
      Violation(name, "handed back " + result + " for " + host_.Text(call.Args[0]));
  }
  // Without a current node the readers answer their failure value and record nothing; the
  // navigation methods that need one fail.
  if (!call.HadCurrentNode && ReadsNode(name)) {
    if (changed) Violation(name, "recorded a failure without a current node");
    CheckFailureValue(call);
  }
  if (!call.HadCurrentNode && NeedsNode(name) && call.ErrorAfter.empty())
    Violation(name, "succeeded without a current node");
}

// The host's type of a result of the method's kind; lists are not checked: they are handed
// back only when given, and the version report's may be missing after a failure.
MoaLong HostTypeOf(TDXLingoResult result) {
  switch (result) {
    case TDXLingoResult::None:
      return kMoaValueVoid;
    case TDXLingoResult::Boolean:
    case TDXLingoResult::Integer:
      return kMoaValueInteger;
    case TDXLingoResult::Float:
      return kMoaValueFloat;
    case TDXLingoResult::String:
      return kMoaValueString;
    case TDXLingoResult::List:
    case TDXLingoResult::PropertyList:
      break;
  }
  return -2;
}

void TLingoRun::CheckType(const TCallView& call, MoaLong type) {
  const std::string& name = call.Method;
  const TDXLingoResult kind = call.Signature->Result;
  const MoaLong wanted = HostTypeOf(kind);
  if (wanted != -2 && type != wanted)
    Violation(name, "answered " + host_.Text(call.Result) + ", of the wrong type");
  if (kind != TDXLingoResult::Boolean && !name.ends_with("Count")) return;
  const std::string result = host_.Text(call.Result);
  if (kind == TDXLingoResult::Boolean && result != "0" && result != "1")
    Violation(name, "answered " + result);
  if (name.ends_with("Count") && result.starts_with("-")) Violation(name, "answered " + result);
}

void TLingoRun::CheckFailureValue(const TCallView& call) {
  std::string failure;
  switch (call.Signature->Failure) {
    case TDXFailureValue::False:
    case TDXFailureValue::Zero:
      failure = "0";
      break;
    case TDXFailureValue::EmptyString:
      failure = "\"\"";
      break;
    case TDXFailureValue::ZeroFloat:
      failure = "0.0000";
      break;
    case TDXFailureValue::None:
      // The result stays void, unless the method answers something before its work is done.
      if (call.Signature->Result == TDXLingoResult::None) failure = "<Void>";
      break;
  }
  const std::string result = host_.Text(call.Result);
  if (!failure.empty() && result != failure)
    Violation(call.Method, "answered " + result + " where it failed (" + call.ErrorAfter + ")");
}

void TLingoRun::CheckHostHoldsNothing() {
  const std::vector<std::string> held = host_.HeldByModule();
  if (!held.empty()) Violation("forget", held.front());
}

}  // namespace

#ifdef ZEL_FUZZ_ENGINE
// A run of calls allocates and frees megabytes (the XML of a large document, the host's values),
// and ASan's default quarantine of 256 MB cycled the process through fresh pages that the
// kernel had to fault in, a third of the fuzzer's time. 64 MB still holds many runs' worth of
// freed memory, so a use after free in a run still lands on poisoned memory.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=64";
}
#endif

ZEL_FUZZ_TARGET(lingo) {
  fuzzing::TLingoRig& rig = fuzzing::TLingoRig::Get();
  fuzzing::TByteReader bytes(data, size);
  TLingoRun(rig, bytes).Run();
  return 0;
}
