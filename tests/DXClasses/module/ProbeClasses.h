#pragma once

// Classes of the test modules. Each probes one part of the framework from the inside and
// reports what it saw as Lingo results.

#include "DXClasses/DXInitializer.h"
#include "DXClasses/DXRegister.h"
#include "DXClasses/DXScript.h"

// "dxProbe": reads, writes and passes through Lingo values, lists and host services.
class TProbeScript : public TDXScript {
 public:
  static void DeclareFunctions(TDXScriptInfo& info);
  static void InitializeClass(TDXInitializeClassInfo& info);

 protected:
  std::span<const TDXPublishedMethod> PublishedMethods() const override;

 private:
  void echo(IDXArgList& args, IDXValue& result, bool& handled);
  void describe(IDXArgList& args, IDXValue& result, bool& handled);
  void join(IDXArgList& args, IDXValue& result, bool& handled);
  void argCount(IDXArgList& args, IDXValue& result, bool& handled);
  void readPastEnd(IDXArgList& args, IDXValue& result, bool& handled);
  void throwAfterResult(IDXArgList& args, IDXValue& result, bool& handled);
  void keepResult(IDXArgList& args, IDXValue& result, bool& handled);
  void declineAfterFilling(IDXArgList& args, IDXValue& result, bool& handled);
  void mixedCase(IDXArgList& args, IDXValue& result, bool& handled);
  void makeValue(IDXArgList& args, IDXValue& result, bool& handled);
  void listInfo(IDXArgList& args, IDXValue& result, bool& handled);
  void listItem(IDXArgList& args, IDXValue& result, bool& handled);
  void listAppend(IDXArgList& args, IDXValue& result, bool& handled);
  void listSetItem(IDXArgList& args, IDXValue& result, bool& handled);
  void propGet(IDXArgList& args, IDXValue& result, bool& handled);
  void propGetByName(IDXArgList& args, IDXValue& result, bool& handled);
  void propSet(IDXArgList& args, IDXValue& result, bool& handled);
  void propName(IDXArgList& args, IDXValue& result, bool& handled);
  void newPropList(IDXArgList& args, IDXValue& result, bool& handled);
  void services(IDXArgList& args, IDXValue& result, bool& handled);
  void printMessage(IDXArgList& args, IDXValue& result, bool& handled);
  void paletteToRGB(IDXArgList& args, IDXValue& result, bool& handled);
  void classEvents(IDXArgList& args, IDXValue& result, bool& handled);
  void setVeto(IDXArgList& args, IDXValue& result, bool& handled);
  void keep(IDXArgList& args, IDXValue& result, bool& handled);
  void kept(IDXArgList& args, IDXValue& result, bool& handled);

  // What keep held on to from its call: one argument, and the whole list.
  Ref<IDXValue> keptValue_;
  Ref<IDXArgList> keptArgs_;
};

// "dxFallback": declares handlers of every kind and publishes none; its CallFunction answers
// the selector it got.
class TFallbackScript : public TDXScript {
 public:
  static void DeclareFunctions(TDXScriptInfo& info);

 protected:
  void CallFunction(MoaLong selector, IDXArgList& args, IDXValue& result) override;
};

// "dxNewArg": declares new itself, with arguments.
class TNewArgScript : public TDXScript {
 public:
  static void DeclareFunctions(TDXScriptInfo& info);
};

// Declares nothing and writes its method table by hand.
class THandWrittenScript : public TDXScript {
 public:
  static void DeclareFunctions(TDXScriptInfo& info);
};

// "dxPartial": its second declaration (the runtime table) fails half-way.
class TPartialScript : public TDXScript {
 public:
  static void DeclareFunctions(TDXScriptInfo& info);

 protected:
  std::span<const TDXPublishedMethod> PublishedMethods() const override;
  void CallFunction(MoaLong selector, IDXArgList& args, IDXValue& result) override;

 private:
  void first(IDXArgList& args, IDXValue& result, bool& handled);
  void second(IDXArgList& args, IDXValue& result, bool& handled);
};

// Logs its start-up and shut-down to the module's class events.
class TProbeInitializer : public TDXInitializer {
 protected:
  void Initialize() override;
  void Finalize() override;
};

// A register class that vetoes the registration while the probe's setVeto asks it to.
class TProbeRegister : public TDXRegister {
 protected:
  bool RegistrationAllowed() override;
};
