#include "ProbeClasses.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

// What happened to the module's classes, in order: class preparations, start-up, shut-down.
std::string gClassEvents;
bool gVeto = false;

std::string Describe(const IDXValue& value) {
  const TDXPoint point = value.AsPoint();
  const TDXRect rect = value.AsRect();
  const TDXPair pair = value.AsPair();
  char buffer[512];
  std::snprintf(buffer, sizeof buffer,
                "kind=%d int=%d float=%g bool=%d str=%s point=%d,%d rect=%d,%d,%d,%d "
                "color=%06X symbol=%d pair=%u,%u list=%d plist=%d",
                int(value.ValueKind()), int(value.AsInteger()), value.AsFloat(),
                int(value.AsBoolean()), value.AsString().c_str(), int(point.X), int(point.Y),
                int(rect.Left), int(rect.Top), int(rect.Right), int(rect.Bottom),
                unsigned(value.AsColor()), int(value.AsSymbol()), unsigned(pair.First),
                unsigned(pair.Second), value.AsList() ? 1 : 0, value.AsPropertyList() ? 1 : 0);
  return buffer;
}

// Passes a value on through the setters of its kind.
void CopyValue(const IDXValue& from, IDXValue& to) {
  switch (from.ValueKind()) {
    case dvVoid:
    case dvObject:
      break;
    case dvInteger:
      to.SetAsInteger(from.AsInteger());
      break;
    case dvString:
      to.SetAsString(from.AsString());
      break;
    case dvFloat:
      to.SetAsFloat(from.AsFloat());
      break;
    case dvRect:
      to.SetAsRect(from.AsRect());
      break;
    case dvPoint:
      to.SetAsPoint(from.AsPoint());
      break;
    case dvColor:
      to.SetAsColor(from.AsColor());
      break;
    case dvSymbol:
      to.SetAsSymbol(from.AsSymbol());
      break;
    case dvPair:
      to.SetAsPair(from.AsPair());
      break;
    case dvList:
      to.SetAsList(from.AsList());
      break;
    case dvPropertyList:
      to.SetAsPropertyList(from.AsPropertyList());
      break;
  }
}

void CopyOrNothing(const Ref<IDXValue>& from, IDXValue& to) {
  if (from) {
    CopyValue(*from, to);
  } else {
    to.SetAsString("nothing");
  }
}

// An element of a list argument of either kind, or nothing.
Ref<IDXValue> ItemOf(const IDXValue& list, std::int32_t index) {
  if (const Ref<IDXList> linear = list.AsList()) return linear->GetItem(index);
  if (const Ref<IDXPropertyList> properties = list.AsPropertyList())
    return properties->GetItem(index);
  return nullptr;
}

}  // namespace

// ---- TProbeScript

void TProbeScript::DeclareFunctions(TDXScriptInfo& info) {
  info.XtraName = "dxProbe";
  IDXScriptFunctions& f = *info.Functions;
  f.AddMethod("echo")->AddArgument("me", dvObject)->AddArgument("value", dvObject);
  f.AddMethod("describe")->AddArgument("me", dvObject)->AddArgument("value", dvObject);
  f.AddMethod("join")
      ->AddArgument("me", dvObject)
      ->AddArgument("a", dvString)
      ->AddArgument("b", dvString);
  f.AddMethod("argCount")->AddArgument("me", dvObject);
  f.AddMethod("readPastEnd")->AddArgument("me", dvObject);
  f.AddMethod("throwAfterResult")->AddArgument("me", dvObject);
  f.AddMethod("keepResult")->AddArgument("me", dvObject);
  f.AddMethod("declineAfterFilling")->AddArgument("me", dvObject);
  f.AddMethod("MixedCase")->AddArgument("me", dvObject);
  f.AddMethod("ghost")->AddArgument("me", dvObject);
  f.AddMethod("makeValue")->AddArgument("me", dvObject)->AddArgument("kind", dvString);
  f.AddMethod("listInfo")->AddArgument("me", dvObject)->AddArgument("l", dvList);
  f.AddMethod("listItem")
      ->AddArgument("me", dvObject)
      ->AddArgument("l", dvList)
      ->AddArgument("i", dvInteger);
  f.AddMethod("listAppend")
      ->AddArgument("me", dvObject)
      ->AddArgument("l", dvList)
      ->AddArgument("v", dvObject);
  f.AddMethod("listSetItem")
      ->AddArgument("me", dvObject)
      ->AddArgument("l", dvList)
      ->AddArgument("i", dvInteger)
      ->AddArgument("v", dvObject);
  f.AddMethod("propGet")
      ->AddArgument("me", dvObject)
      ->AddArgument("pl", dvPropertyList)
      ->AddArgument("s", dvSymbol);
  f.AddMethod("propGetByName")
      ->AddArgument("me", dvObject)
      ->AddArgument("pl", dvPropertyList)
      ->AddArgument("name", dvString);
  f.AddMethod("propSet")
      ->AddArgument("me", dvObject)
      ->AddArgument("pl", dvPropertyList)
      ->AddArgument("name", dvString)
      ->AddArgument("v", dvObject);
  f.AddMethod("propName")
      ->AddArgument("me", dvObject)
      ->AddArgument("pl", dvPropertyList)
      ->AddArgument("i", dvInteger);
  f.AddMethod("newPropList")->AddArgument("me", dvObject);
  f.AddMethod("services")->AddArgument("me", dvObject);
  f.AddMethod("printMessage")->AddArgument("me", dvObject)->AddArgument("text", dvString);
  f.AddMethod("paletteToRGB")->AddArgument("me", dvObject)->AddArgument("c", dvInteger);
  f.AddMethod("classEvents")->AddArgument("me", dvObject);
  f.AddMethod("setVeto")->AddArgument("me", dvObject)->AddArgument("flag", dvInteger);
  f.AddMethod("keep")
      ->AddArgument("me", dvObject)
      ->AddArgument("value", dvObject)
      ->AddArgument("other", dvObject);
  f.AddMethod("kept")->AddArgument("me", dvObject);
}

void TProbeScript::InitializeClass(TDXInitializeClassInfo& info) {
  gClassEvents += "prepare(host=" + std::to_string(info.HostValue) +
                  ",registry=" + (info.RegistryDictionary ? "1" : "0") + ",symbol=" +
                  (info.SymbolManager && info.SymbolManager->StringToSymbol("probe") ? "1" : "0") +
                  ");";
}

std::span<const TDXPublishedMethod> TProbeScript::PublishedMethods() const {
  static constexpr TDXPublishedMethod kMethods[] = {
      Publish<&TProbeScript::echo>("echo"),
      Publish<&TProbeScript::describe>("describe"),
      Publish<&TProbeScript::join>("join"),
      Publish<&TProbeScript::argCount>("argCount"),
      Publish<&TProbeScript::readPastEnd>("readPastEnd"),
      Publish<&TProbeScript::throwAfterResult>("throwAfterResult"),
      Publish<&TProbeScript::keepResult>("keepResult"),
      Publish<&TProbeScript::declineAfterFilling>("declineAfterFilling"),
      Publish<&TProbeScript::mixedCase>("mixedcase"),
      Publish<&TProbeScript::makeValue>("makeValue"),
      Publish<&TProbeScript::listInfo>("listInfo"),
      Publish<&TProbeScript::listItem>("listItem"),
      Publish<&TProbeScript::listAppend>("listAppend"),
      Publish<&TProbeScript::listSetItem>("listSetItem"),
      Publish<&TProbeScript::propGet>("propGet"),
      Publish<&TProbeScript::propGetByName>("propGetByName"),
      Publish<&TProbeScript::propSet>("propSet"),
      Publish<&TProbeScript::propName>("propName"),
      Publish<&TProbeScript::newPropList>("newPropList"),
      Publish<&TProbeScript::services>("services"),
      Publish<&TProbeScript::printMessage>("printMessage"),
      Publish<&TProbeScript::paletteToRGB>("paletteToRGB"),
      Publish<&TProbeScript::classEvents>("classEvents"),
      Publish<&TProbeScript::setVeto>("setVeto"),
      Publish<&TProbeScript::keep>("keep"),
      Publish<&TProbeScript::kept>("kept"),
  };
  return kMethods;
}

void TProbeScript::echo(IDXArgList& args, IDXValue& result, bool&) {
  CopyValue(*args.Item(1), result);
}

void TProbeScript::describe(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsString(Describe(*args.Item(1)));
}

void TProbeScript::join(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsString(args.Item(1)->AsString() + args.Item(2)->AsString());
}

void TProbeScript::argCount(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsInteger(args.Count());
}

void TProbeScript::readPastEnd(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsString(Describe(*args.Item(args.Count() + 3)) + " / " + Describe(*args.Item(-1)));
}

void TProbeScript::throwAfterResult(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsInteger(99);
  throw std::runtime_error("a method that fails");
}

void TProbeScript::keepResult(IDXArgList&, IDXValue&, bool&) {}

void TProbeScript::declineAfterFilling(IDXArgList&, IDXValue& result, bool& handled) {
  result.SetAsInteger(5);
  handled = false;
}

void TProbeScript::mixedCase(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsString("reached");
}

void TProbeScript::makeValue(IDXArgList& args, IDXValue& result, bool&) {
  const std::string& kind = args.Item(1)->AsString();
  if (kind == "true") result.SetAsBoolean(true);
  if (kind == "false") result.SetAsBoolean(false);
  if (kind == "float") result.SetAsFloat(-2.7);
  if (kind == "hugeFloat") result.SetAsFloat(1e300);
  if (kind == "symbol") result.SetAsSymbol(NewSymbolManager()->StringToSymbol("Hello"));
  if (kind == "point") result.SetAsPoint({10, 20});
  if (kind == "rect") result.SetAsRect({1, 2, 3, 4});
  if (kind == "color") result.SetAsColor(0xAAFF8040);
  if (kind == "pair") result.SetAsPair({7, 8});
  if (kind == "emptyList") result.SetAsPropertyList(nullptr);
  if (kind == "string") result.SetAsString(std::string(300, 'x'));
}

void TProbeScript::listInfo(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> list = args.Item(1);
  if (const Ref<IDXList> linear = list->AsList()) {
    result.SetAsString("list " + std::to_string(linear->Count()));
  } else if (const Ref<IDXPropertyList> properties = list->AsPropertyList()) {
    result.SetAsString("propertyList " + std::to_string(properties->Count()));
  } else {
    result.SetAsString("none");
  }
}

void TProbeScript::listItem(IDXArgList& args, IDXValue& result, bool&) {
  CopyOrNothing(ItemOf(*args.Item(1), args.Item(2)->AsInteger()), result);
}

void TProbeScript::listAppend(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXList> list = args.Item(1)->AsList();
  if (!list) return;
  list->Add(*args.Item(2));
  result.SetAsList(list);
}

void TProbeScript::listSetItem(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> list = args.Item(1);
  if (const Ref<IDXList> linear = list->AsList())
    linear->SetItem(args.Item(2)->AsInteger(), *args.Item(3));
  if (const Ref<IDXPropertyList> properties = list->AsPropertyList())
    properties->SetItem(args.Item(2)->AsInteger(), *args.Item(3));
  CopyValue(*list, result);
}

void TProbeScript::propGet(IDXArgList& args, IDXValue& result, bool&) {
  if (const Ref<IDXPropertyList> list = args.Item(1)->AsPropertyList())
    CopyOrNothing(list->GetProp(args.Item(2)->AsSymbol()), result);
}

void TProbeScript::propGetByName(IDXArgList& args, IDXValue& result, bool&) {
  if (const Ref<IDXPropertyList> list = args.Item(1)->AsPropertyList())
    CopyOrNothing(list->GetPropByName(args.Item(2)->AsString()), result);
}

void TProbeScript::propSet(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXPropertyList> list = args.Item(1)->AsPropertyList();
  if (!list) return;
  list->SetPropByName(args.Item(2)->AsString(), *args.Item(3));
  result.SetAsPropertyList(list);
}

void TProbeScript::propName(IDXArgList& args, IDXValue& result, bool&) {
  if (const Ref<IDXPropertyList> list = args.Item(1)->AsPropertyList())
    result.SetAsString(list->GetPropName(args.Item(2)->AsInteger()));
}

void TProbeScript::newPropList(IDXArgList&, IDXValue& result, bool&) {
  const Ref<IDXPropertyList> list = NewPropertyList();
  list->SetPropByName("a", *NewStringValue("x"));
  const Ref<IDXValue> one = NewValue();
  one->SetAsInteger(1);
  list->SetPropByName("b", *one);
  list->SetPropByName("A", *one);  // symbols ignore case: replaces the first property
  result.SetAsPropertyList(list);
}

void TProbeScript::services(IDXArgList&, IDXValue& result, bool&) {
  AcquireContext();
  ReleaseContext();
  result.SetAsString("runMode=" + GetAppInfo().RunMode() + " registry=" +
                     (GetRegistryDictionary() ? "1" : "0") + " product=" + GetAppInfo().Fields[1]);
}

void TProbeScript::printMessage(IDXArgList& args, IDXValue& result, bool&) {
  PrintMessage(args.Item(1)->AsString());
  result.SetAsBoolean(true);
}

void TProbeScript::paletteToRGB(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsInteger(std::int32_t(PaletteToRGB(MoaUlong(args.Item(1)->AsInteger()))));
}

void TProbeScript::classEvents(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsString(gClassEvents);
}

void TProbeScript::setVeto(IDXArgList& args, IDXValue&, bool&) {
  gVeto = args.Item(1)->AsBoolean();
}

void TProbeScript::keep(IDXArgList& args, IDXValue&, bool&) {
  keptValue_ = args.Item(1);
  keptArgs_ = Ref<IDXArgList>::Retain(&args);
}

void TProbeScript::kept(IDXArgList&, IDXValue& result, bool&) {
  if (!keptValue_ || !keptArgs_) return;
  result.SetAsString(Describe(*keptValue_).substr(0, 6) + " " + keptValue_->AsString() + " / " +
                     std::to_string(keptArgs_->Count()) + " " + keptArgs_->Item(2)->AsString());
}

// ---- TTableScript

std::string TTableScript::greet(std::string_view name) {
  return "hello " + std::string(name);
}

void TTableScript::fail(TDXResultSlot<std::int32_t> result, std::int32_t value) {
  result.Set(value);
  if (value != 0) throw std::runtime_error("failed");
}

bool TTableScript::restart() {
  return true;
}

void TTableScript::drop(TDXResultSlot<std::string> result) {
  result.Set("dropped");
  throw std::runtime_error("dropped");
}

std::string_view TTableScript::lastError() const {
  return error_;
}

std::string_view TTableScript::tableGlobal(TDXDeferred<std::int32_t>, TDXDeferred<Ref<IDXList>>) {
  return "global";
}

std::string_view TTableScript::tableXtra() {
  return "xtra";
}

// ---- TFallbackScript

void TFallbackScript::DeclareFunctions(TDXScriptInfo& info) {
  info.XtraName = "dxFallback";
  IDXScriptFunctions& f = *info.Functions;
  f.AddGlobalFunction("globalOne", "a global handler")->AddArgument("name", dvString);
  f.AddXtraFunction("xtraOne")->AddArgument("count", dvInteger);
  f.AddMethod("commented", "says hello")->AddArgument("me", dvObject)->AddArgument("x", dvInteger);
  f.AddMethod("plain")->AddArgument("me", dvObject);
}

void TFallbackScript::CallFunction(MoaLong selector, IDXArgList& args, IDXValue& result) {
  result.SetAsString("fallback " + std::to_string(selector) + " with " +
                     std::to_string(args.Count()));
}

// ---- TNewArgScript

void TNewArgScript::DeclareFunctions(TDXScriptInfo& info) {
  info.XtraName = "dxNewArg";
  IDXScriptFunctions& f = *info.Functions;
  f.AddMethod("NEW")->AddArgument("x", dvInteger)->AddArgument("blank", dvVoid);
  f.AddMethod("method")->AddArgument("me", dvObject);
}

// ---- THandWrittenScript

void THandWrittenScript::DeclareFunctions(TDXScriptInfo& info) {
  info.XtraName = "ignored";
  info.MsgTable = "xtra dxHandWritten\n-- written by hand\n";
  info.SafeForShockwave = false;
}

// ---- TPartialScript

void TPartialScript::DeclareFunctions(TDXScriptInfo& info) {
  static int declarations = 0;
  info.XtraName = "dxPartial";
  info.Functions->AddMethod("first")->AddArgument("me", dvObject);
  // The second declaration is the runtime table of the first object.
  if (++declarations == 2) throw std::runtime_error("declaration failed");
  info.Functions->AddMethod("second")->AddArgument("me", dvObject);
}

std::span<const TDXPublishedMethod> TPartialScript::PublishedMethods() const {
  static constexpr TDXPublishedMethod kMethods[] = {
      Publish<&TPartialScript::first>("first"),
      Publish<&TPartialScript::second>("second"),
  };
  return kMethods;
}

void TPartialScript::CallFunction(MoaLong selector, IDXArgList&, IDXValue& result) {
  result.SetAsString("fallback " + std::to_string(selector));
}

void TPartialScript::first(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsString("first");
}

void TPartialScript::second(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsString("second");
}

// ---- TProbeInitializer and TProbeRegister

void TProbeInitializer::Initialize() {
  gClassEvents += "initialize;";
}

void TProbeInitializer::Finalize() {
  gClassEvents += "finalize;";
}

bool TProbeRegister::RegistrationAllowed() {
  return !gVeto;
}
