// Method declarations and the method-table text, in this process.

#include <gtest/gtest.h>

#include <stdexcept>

#include "DXClasses/DXScriptFunctions.h"

namespace {

std::string Table(const TDXScriptFunctions& functions, std::string text = {}) {
  functions.BuildMsgTable("x", text);
  return text;
}

TEST(DXScriptFunctions, TableAlwaysStartsWithNewAndForget) {
  TDXScriptFunctions functions;
  functions.AddMethod("loadFromFile")->AddArgument("me", 1)->AddArgument("xmlFile", 3);
  ASSERT_EQ(functions.Count(), 3);
  EXPECT_EQ(functions.Entry(0).Kind(), fkNew);
  EXPECT_EQ(functions.Entry(1).Kind(), fkForget);
  EXPECT_EQ(functions.Entry(2).Kind(), fkMethod);
  EXPECT_EQ(Table(functions),
            "xtra x\nnew object me\nforget object me\nloadFromFile object me, string xmlFile\n");
}

TEST(DXScriptFunctions, DeclaredForgetTakesTheSecondPlace) {
  TDXScriptFunctions functions;
  functions.AddXtraFunction("Forget", "ends it");
  functions.AddGlobalFunction("g");
  EXPECT_EQ(Table(functions), "xtra x\nnew object me\nForget object me -- ends it\n* g\n");
}

TEST(DXScriptFunctions, NothingDeclaredLeavesTheTextAsItWas) {
  const TDXScriptFunctions functions;
  EXPECT_EQ(Table(functions, "kept"), "kept");
}

TEST(DXScriptFunctions, ArgumentKindsOutsideTheTableAreRefused) {
  TDXScriptFunctions functions;
  const Ref<IDXScriptFunction> method = functions.AddMethod("m");
  EXPECT_NO_THROW(method->AddArgument("last", 11));
  EXPECT_THROW(method->AddArgument("bad", 12), std::out_of_range);
  EXPECT_EQ(Table(functions), "xtra x\nnew object me\nforget object me\nm list last\n");
}

TEST(DXScriptFunctions, NamesCompareWithoutRegardToAsciiCase) {
  EXPECT_TRUE(SameLingoName("LoadFromFile", "loadfromfile"));
  EXPECT_FALSE(SameLingoName("load", "loadX"));
  EXPECT_FALSE(SameLingoName("\xC0", "\xE0"));  // only ASCII letters fold
}

}  // namespace
