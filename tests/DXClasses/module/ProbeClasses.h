#pragma once

// Classes of the test modules. Each probes one part of the framework from the inside and
// reports what it saw as Lingo results.

#include <exception>
#include <string>
#include <string_view>

#include "DXClasses/DXInitializer.h"
#include "DXClasses/DXLingoScript.h"
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

// "dxTable": its methods declared by a table, one of each kind of row; an error state of its
// own for the rows that record failures.
class TTableScript final : public TDXLingoScript<TTableScript> {
 private:
  friend TDXLingoScript<TTableScript>;

  // Answers "hello " and the name.
  std::string greet(std::string_view name);
  // Sets the result to its argument, then raises "failed" when the argument is not 0.
  void fail(TDXResultSlot<std::int32_t> result, std::int32_t value);
  // Answers true.
  bool restart();
  // Sets the result to "dropped", then raises.
  void drop(TDXResultSlot<std::string> result);
  // Answers the error state.
  std::string_view lastError() const;
  // Answer "global" and "xtra"; tableGlobal does not read its arguments.
  std::string_view tableGlobal(TDXDeferred<std::int32_t> x, TDXDeferred<Ref<IDXList>> y);
  std::string_view tableXtra();

  using F = TDXFailureValue;
  using E = TDXErrorState;
  using T = TTableScript;

 public:
  static constexpr std::string_view kXtraName = "dxTable";
  static constexpr TDXLingoMethod<TTableScript> kLingoMethods[] = {
      {"greet",
       {{"name", dvString}},
       F::EmptyString,
       E::Records,
       DXHandler<&T::greet>,
       fkMethod,
       "says hello"},
      {"fail", {{"value"}}, F::Zero, E::Records, DXHandler<&T::fail>},
      {"restart", {}, F::False, E::Restarts, DXHandler<&T::restart>},
      {"drop", {}, F::None, E::Untouched, DXHandler<&T::drop>},
      {"lastError", {}, F::None, E::Untouched, DXHandler<&T::lastError>},
      {"tableGlobal", {{"x"}, {"y"}}, F::None, E::Untouched, DXHandler<&T::tableGlobal>, fkGlobal},
      {"tableXtra", {}, F::None, E::Untouched, DXHandler<&T::tableXtra>, fkXtra},
  };

 private:
  void ClearErrorState() { error_.clear(); }
  template <class TWork>
  void RecordFailures(TWork&& work) {
    try {
      work();
    } catch (const std::exception& failure) {
      error_ = failure.what();
    }
  }

  std::string error_;
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
