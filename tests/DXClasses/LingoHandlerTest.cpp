// Typed Lingo handlers: the kinds and the result a handler's C++ signature declares, how its
// arguments are read from a call's argument list (deferred ones only when asked), and how its
// answer becomes the call's result. In this process, over our host's value service.

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "DXClasses/DXArgList.h"
#include "DXClasses/DXLingoMethod.h"
#include "DXClasses/DXValue.h"
#include "host/XtraHost.h"

namespace {

using dxhost::THostValue;

// Handlers of every shape; each notes what it was given.
struct TProbe {
  std::string Seen;

  std::string Join(std::string_view a, const std::string& b) { return std::string(a) + b; }
  std::int32_t Sum(std::int32_t a, double b) { return a + std::int32_t(b * 10); }
  void Switches(bool a, bool b) { Seen = std::string(a ? "1" : "0") + (b ? "1" : "0"); }
  bool Lists(Ref<IDXList> list, Ref<IDXPropertyList> propertyList) {
    Seen = std::to_string(list ? list->Count() : -1) + " " +
           std::to_string(propertyList ? propertyList->Count() : -1);
    return true;
  }
  Ref<IDXList> Echo(Ref<IDXList> list) { return list; }
  double Pick(bool read, TDXDeferred<double> value) { return read ? value.Read() : -1.0; }
  void Partial(TDXResultSlot<std::string> result, std::int32_t fail) {
    result.Set("partial");
    if (fail != 0) throw std::runtime_error("failed");
  }
  std::string_view Constant() const { return "constant"; }
};

// What the signatures declare, known during compilation.
using JoinHandler = TDXLingoHandler<&TProbe::Join>;
static_assert(JoinHandler::kResult == TDXLingoResult::String);
static_assert(JoinHandler::Kinds() == std::array{dvString, dvString});
static_assert(TDXLingoHandler<&TProbe::Sum>::Kinds() == std::array{dvInteger, dvFloat});
static_assert(TDXLingoHandler<&TProbe::Sum>::kResult == TDXLingoResult::Integer);
static_assert(TDXLingoHandler<&TProbe::Switches>::Kinds() == std::array{dvInteger, dvInteger},
              "switches are integers to Lingo");
static_assert(TDXLingoHandler<&TProbe::Switches>::kResult == TDXLingoResult::None);
static_assert(TDXLingoHandler<&TProbe::Lists>::Kinds() == std::array{dvList, dvList},
              "the method table has one kind for both lists");
static_assert(TDXLingoHandler<&TProbe::Pick>::Kinds() == std::array{dvInteger, dvFloat});
static_assert(TDXLingoHandler<&TProbe::Partial>::kResult == TDXLingoResult::String);
static_assert(TDXLingoHandler<&TProbe::Partial>::Kinds() == std::array{dvInteger},
              "the slot is no argument");
static_assert(TDXLingoHandler<&TProbe::Constant>::kArgumentCount == 0);

// A row takes its kinds from the handler and checks those it states.
struct TRowOwner {
  bool Select(std::string_view, TDXDeferred<std::int32_t>) { return false; }
  static constexpr TDXLingoMethod<TRowOwner> kRow{"select",
                                                  {{"name", dvString}, {"item"}},
                                                  TDXFailureValue::False,
                                                  TDXErrorState::Records,
                                                  DXHandler<&TRowOwner::Select>};
};
static_assert(TRowOwner::kRow.ArgumentList()[1].Kind == dvInteger);
static_assert(TRowOwner::kRow.Result == TDXLingoResult::Boolean);

// A call's argument list that counts the reads of each item.
class TCountingArgs final : public IDXArgList {
 public:
  explicit TCountingArgs(const TDXArgList& args) : args_(args) {}

  std::int32_t Count() const override { return args_.Count(); }
  Ref<IDXValue> Item(std::int32_t index) const override {
    ++Reads[std::size_t(index)];
    return args_.Item(index);
  }
  void Clear() override {}
  void AddInteger(std::int32_t) override {}
  void AddFloat(double) override {}
  void AddString(std::string_view) override {}
  void AddPoint(const TDXPoint&) override {}
  void AddRect(const TDXRect&) override {}
  void AddColor(std::uint32_t) override {}
  void AddSymbol(MoaMmSymbol) override {}
  void AddPair(const TDXPair&) override {}
  void AddList(Ref<IDXList>) override {}
  void AddPropertyList(Ref<IDXPropertyList>) override {}

  mutable std::vector<int> Reads = std::vector<int>(8);

 private:
  const TDXArgList& args_;
};

class LingoHandlerTest : public testing::Test {
 protected:
  void TearDown() override {
    args.Clear();
    result.Clear();
    EXPECT_EQ(host.LiveValues(), 0u);
  }

  // The call's arguments as the frame reads them: me (void here) and then these.
  void Arguments(std::initializer_list<THostValue> values) {
    std::vector<MoaMmValue> raw{host.Values().Void().Raw()};
    for (const THostValue& value : values) raw.push_back(value.Raw());
    args.LoadFromCall(host.ValueService(), raw.data(), 0, std::int32_t(raw.size()));
  }

  template <auto Handler>
  void Call() {
    TDXLingoHandler<Handler>::Call(probe, args, result);
  }

  dxhost::TXtraHost host;
  dxhost::THostValues& V = host.Values();
  TDXArgList args;
  TDXValue result;
  TProbe probe;
};

TEST_F(LingoHandlerTest, ArgumentsAreReadByTheirParameterTypes) {
  Arguments({V.String("ab"), V.String("cd")});
  Call<&TProbe::Join>();
  EXPECT_EQ(result.AsString(), "abcd");
  Arguments({V.Integer(4), V.Float(0.25)});
  Call<&TProbe::Sum>();
  EXPECT_EQ(result.ValueKind(), dvInteger);
  EXPECT_EQ(result.AsInteger(), 6) << "4 + 2.5 cut toward zero";
  Arguments({V.Integer(2), V.Float(0.5)});
  result.Clear();
  Call<&TProbe::Switches>();
  EXPECT_EQ(probe.Seen, "10") << "an integer other than 0 is on; 0.5 reads as the integer 0";
  EXPECT_EQ(result.ValueKind(), dvVoid) << "no answer, no result";
  Arguments({V.List({V.Integer(1)}), V.PropertyList({})});
  Call<&TProbe::Lists>();
  EXPECT_EQ(probe.Seen, "1 0");
  Arguments({V.PropertyList({}), V.List({})});
  Call<&TProbe::Lists>();
  EXPECT_EQ(probe.Seen, "-1 -1") << "a list of the other kind reads as none";
}

TEST_F(LingoHandlerTest, MissingAndWrongArgumentsReadAsTheEmptyValueOfTheirType) {
  Arguments({V.Integer(7)});
  Call<&TProbe::Join>();
  EXPECT_EQ(result.AsString(), "") << "an integer has no text; the second is missing";
  Arguments({V.String("5")});
  Call<&TProbe::Sum>();
  EXPECT_EQ(result.AsInteger(), 0);
  Arguments({});
  Call<&TProbe::Switches>();
  EXPECT_EQ(probe.Seen, "00");
}

TEST_F(LingoHandlerTest, DeferredArgumentsAreReadOnlyWhenAsked) {
  Arguments({V.Integer(0), V.Float(2.5)});
  TCountingArgs counting(args);
  TDXLingoHandler<&TProbe::Pick>::Call(probe, counting, result);
  EXPECT_EQ(result.AsFloat(), -1.0);
  EXPECT_EQ(counting.Reads[1], 1);
  EXPECT_EQ(counting.Reads[2], 0) << "not asked for";
  Arguments({V.Integer(1), V.Float(2.5)});
  TDXLingoHandler<&TProbe::Pick>::Call(probe, counting, result);
  EXPECT_EQ(result.AsFloat(), 2.5);
  EXPECT_EQ(counting.Reads[2], 1);
}

TEST_F(LingoHandlerTest, AnswersBecomeTheResult) {
  Arguments({V.List({V.Integer(1), V.Integer(2)})});
  Call<&TProbe::Echo>();
  ASSERT_EQ(result.ValueKind(), dvList);
  EXPECT_EQ(result.AsList()->Count(), 2);
  result.SetAsInteger(9);
  Arguments({V.String("no list")});
  Call<&TProbe::Echo>();
  EXPECT_EQ(result.AsInteger(), 9) << "no list: the result stays as it was";
  Call<&TProbe::Constant>();
  EXPECT_EQ(result.AsString(), "constant");
}

TEST_F(LingoHandlerTest, WhatASlotSetStaysWhenTheHandlerFails) {
  Arguments({V.Integer(0)});
  Call<&TProbe::Partial>();
  EXPECT_EQ(result.AsString(), "partial");
  result.Clear();
  Arguments({V.Integer(1)});
  EXPECT_THROW(Call<&TProbe::Partial>(), std::runtime_error);
  EXPECT_EQ(result.AsString(), "partial");
}

}  // namespace
