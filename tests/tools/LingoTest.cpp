// The Lingo of xtra-host on its own: literals, operators, control flow and script errors,
// over our host without a module.

#include <gtest/gtest.h>

#include <string>

#include "ConsoleHelp.h"
#include "LingoError.h"
#include "LingoSession.h"

namespace {

class LingoTest : public testing::Test {
 protected:
  // What the script prints.
  std::string Run(std::string_view script) {
    std::string output;
    {
      lingo::TLingoSession session(host, [&](std::string_view text) { output += text; },
                                   {"/movies/", "Author", 100000});
      session.Run(script);
    }
    EXPECT_EQ(host.LiveValues(), 0u) << "values left behind by: " << script;
    return output;
  }

  // The line and message of the script error the script stops with.
  std::string Error(std::string_view script) {
    try {
      Run(script);
    } catch (const lingo::ELingoError& error) {
      return std::to_string(error.Line()) + ": " + error.what();
    }
    return "(no error)";
  }

  dxhost::TXtraHost host;
};

TEST_F(LingoTest, PutShowsValuesInLingosTextForm) {
  EXPECT_EQ(Run("put 42\nput -7\nput 2.5\nput \"text\"\nput #name"),
            "-- 42\n-- -7\n-- 2.5000\n-- \"text\"\n-- #name\n");
  EXPECT_EQ(Run("put [1, \"a\", #b, [2]]\nput [#a: 1, #b: [:]]\nput []\nput [:]"),
            "-- [1, \"a\", #b, [2]]\n-- [#a: 1, #b: [:]]\n-- []\n-- [:]\n");
  EXPECT_EQ(Run("put TRUE\nput false\nput VOID\nput EMPTY\nput xtra \"any\""),
            "-- 1\n-- 0\n-- <Void>\n-- \"\"\n-- <Xtra \"any\">\n");
  EXPECT_EQ(Run("put the moviePath\nput the RUNMODE"), "-- \"/movies/\"\n-- \"Author\"\n");
}

TEST_F(LingoTest, ConcatenationTurnsValuesIntoText) {
  EXPECT_EQ(Run("put \"a\" & \"b\" && 1 & 2.5 && #sym & VOID"), "-- \"ab 12.5000 sym\"\n");
  EXPECT_EQ(Run("put \"x\" & RETURN & QUOTE & TAB & SPACE"), "-- \"x\r\"\t \"\n");
  EXPECT_EQ(Run("put \"n=\" & 1 + 2"), "-- \"n=3\"\n") << "& binds looser than +";
  EXPECT_EQ(Run("put \"list \" & [1, 2]"), "-- \"list [1, 2]\"\n");
}

TEST_F(LingoTest, ArithmeticFollowsLingo) {
  EXPECT_EQ(Run("put 1 + 2 * 3\nput (1 + 2) * 3\nput 7 / 2\nput 7.0 / 2\nput -7 mod 3"),
            "-- 7\n-- 9\n-- 3\n-- 3.5000\n-- -1\n");
  EXPECT_EQ(Run("put 2147483647 + 1"), "-- -2147483648\n") << "32-bit integers wrap";
  EXPECT_EQ(Run("put - (2 - 5)\nput -2.5 * 2"), "-- 3\n-- -5.0000\n");
  EXPECT_EQ(Error("put 1\nput 1 / 0"), "2: Division by zero");
  EXPECT_EQ(Error("put \"a\" + 1"), "1: Number expected, not \"a\"");
}

TEST_F(LingoTest, ComparisonsIgnoreTheCaseOfStrings) {
  EXPECT_EQ(
      Run("put \"ABC\" = \"abc\"\nput #Sym = #sym\nput 1 = 1.0\nput 2 < 10\nput \"b\" > \"A\""),
      "-- 1\n-- 1\n-- 1\n-- 1\n-- 1\n");
  EXPECT_EQ(Run("put \"Lingo\" contains \"ING\"\nput \"Lingo\" starts \"li\"\nput 1 <> 2"),
            "-- 1\n-- 1\n-- 1\n");
  EXPECT_EQ(Run("put VOID = VOID\nput VOID = 0\nput [1, 2] = [1, 2]"), "-- 1\n-- 0\n-- 1\n");
  EXPECT_EQ(Run("put not 1 = 2 and 3 > 2 or 0"), "-- 1\n");
  EXPECT_EQ(Error("put [1] < 2"), "1: Cannot compare [1] with 2");
}

TEST_F(LingoTest, ListsAreIndexedFromOneAndByProperty) {
  EXPECT_EQ(Run("l = [10, 20, 30]\nput l[2]\nput count(l)\nput l.count\nput getAt(l, 3)"),
            "-- 20\n-- 3\n-- 3\n-- 30\n");
  EXPECT_EQ(Run("p = [#a: 1, #B: 2]\nput p.b\nput p[#A]\nput p[2]\nput getProp(p, #a)"),
            "-- 2\n-- 1\n-- 2\n-- 1\n");
  EXPECT_EQ(Run("put getaProp([#a: 1], #z)"), "-- <Void>\n");
  EXPECT_EQ(Error("l = [1]\nput l[2]"), "2: Index out of range: 2");
  EXPECT_EQ(Error("put [#a: 1].z"), "1: Property not found: #z");
}

TEST_F(LingoTest, IfElseAndRepeat) {
  EXPECT_EQ(Run("if 1 then put \"a\" else put \"b\"\nif 0 then put \"c\" else put \"d\""),
            "-- \"a\"\n-- \"d\"\n");
  EXPECT_EQ(Run("x = 2\n"
                "if x = 1 then\n  put 1\n"
                "else if x = 2 then\n  put 2\n"
                "else\n  put 3\nend if"),
            "-- 2\n");
  EXPECT_EQ(Run("repeat with x = 1 to 3\n"
                "  if x = 1 then\n    put \"one\"\n"
                "  else if x = 2 then put \"two\"\n"
                "  end if\n"
                "end repeat"),
            "-- \"one\"\n-- \"two\"\n")
      << "a single-line else if";
  EXPECT_EQ(Run("repeat with i = 1 to 3\n  if i = 2 then next repeat\n  put i\nend repeat"),
            "-- 1\n-- 3\n");
  EXPECT_EQ(Run("repeat with i = 3 down to 1\n  put i\n  if i = 2 then exit repeat\nend repeat"),
            "-- 3\n-- 2\n");
  EXPECT_EQ(Run("repeat with v in [#a, \"b\"]\n  put v\nend repeat"), "-- #a\n-- \"b\"\n");
  EXPECT_EQ(Run("n = 0\nrepeat while n < 3\n  n = n + 1\nend repeat\nput n"), "-- 3\n");
  EXPECT_EQ(Run("repeat with i = 1 to 0\n  put i\nend repeat"), "");
  EXPECT_EQ(Run("set a = 1\nset b to a + 1\nput b"), "-- 2\n");
}

TEST_F(LingoTest, CommentsBlankLinesAndContinuations) {
  EXPECT_EQ(Run("-- a comment\r\n\r\nput 1 -- after\r\nput 1 + \\\r\n  2\n"), "-- 1\n-- 3\n");
  EXPECT_EQ(Run("put \"--not a comment\""), "-- \"--not a comment\"\n");
}

TEST_F(LingoTest, ScriptErrorsNameTheirLine) {
  EXPECT_EQ(Error("put 1\nput y"), "2: Variable used before assigned a value: y");
  EXPECT_EQ(Error("put 1\n\nput \"open"), "3: String not terminated on its line");
  EXPECT_EQ(Error("put (1"), "1: \")\" expected");
  EXPECT_EQ(Error("put 1\nnoSuchHandler(2)"),
            "2: Handler not defined: #noSuchHandler (help lists the handlers of this console)");
  EXPECT_EQ(Error("exit repeat"), "1: Not inside a repeat");
  EXPECT_EQ(Error("put 1 @ 2"), "1: Unexpected character \"@\"");
  EXPECT_EQ(Error("if 1 then\nput 1\nend repeat"), "1: This \"if\" has no \"end if\"");
  EXPECT_EQ(Error("put new(xtra \"nothing\")"), "1: Xtra not found: \"nothing\"");
  EXPECT_EQ(Error("if \"yes\" then put 1"), "1: Number expected, not \"yes\"");
  EXPECT_EQ(Error("repeat while 1\nend repeat"), "1: Too many steps: the script runs for too long");
}

TEST_F(LingoTest, HelpListsTheHandlersItKnows) {
  const std::string help = Run("help");
  EXPECT_EQ(Run("help()"), help);
  // Appended, not chained with +: GCC 12 warns falsely about some such chains.
  for (std::string_view handler : lingo::BuiltinHandlers()) {
    std::string listed = " ", call(handler);
    listed += handler;
    call += "()";
    EXPECT_NE(help.find(listed), std::string::npos) << handler;
    EXPECT_EQ(Error(call).find("Handler not defined"), std::string::npos) << handler;
  }
  EXPECT_EQ(Run("help = 3\nput help"), "-- 3\n") << "a variable of that name wins";
}

TEST_F(LingoTest, CharactersAreBytesOfTheCodePage) {
  EXPECT_EQ(Run("put charToNum(\"Ab\")\nput charToNum(EMPTY)\nput charToNum(numToChar(200))"),
            "-- 65\n-- 0\n-- 200\n");
  EXPECT_EQ(Run("put numToChar(66) & numToChar(0.0 + 67)"), "-- \"BC\"\n");
  EXPECT_EQ(Error("put numToChar(256)"), "1: numToChar takes a number from 0 to 255, not 256");
  EXPECT_EQ(Error("put numToChar(\"A\")"), "1: Number expected, not \"A\"");
}

TEST_F(LingoTest, WhatFollowsAnXtrasNameAppliesToTheXtra) {
  EXPECT_EQ(Run("put xtra(\"any\")\nput xtra \"any\" & \"!\""),
            "-- <Xtra \"any\">\n-- \"<Xtra \"any\">!\"\n");
  EXPECT_EQ(Error("put xtra(\"none\").new()"), "1: Xtra not found: \"none\"");
}

TEST_F(LingoTest, ScriptsThatEndInsideABlockAreIncomplete) {
  for (const char* script : {"if 1 then", "repeat while 0\n put 1", "if 1 then\nelse"}) {
    EXPECT_THROW(lingo::ParseScript(script), lingo::EIncompleteScript) << script;
  }
  try {
    lingo::ParseScript("put (");
    ADD_FAILURE();
  } catch (const lingo::EIncompleteScript&) {
    ADD_FAILURE() << "a statement does not go on to the next line";
  } catch (const lingo::ELingoError&) {
  }
}

TEST_F(LingoTest, HandlersTakeArgumentsAndReturnValues) {
  EXPECT_EQ(Run("on double x\n  return x * 2\nend double\n"
                "on greet who, greeting\n  put greeting && who\nend\n"
                "put double(21)\n"
                "greet \"world\", \"hello\"\n"
                "greet(\"you\")\n"
                "put double(1, 2, 3)"),
            "-- 42\n-- \"hello world\"\n-- \" you\"\n-- 2\n")
      << "a missing argument is VOID, extra ones are dropped";
  EXPECT_EQ(Run("on fact n\n  if n <= 1 then return 1\n  return n * fact(n - 1)\nend\n"
                "put fact(10)"),
            "-- 3628800\n")
      << "a handler calls itself";
  EXPECT_EQ(Run("put later()\non later\n  return \"defined before anything runs\"\nend"),
            "-- \"defined before anything runs\"\n");
  EXPECT_EQ(Run("on nothing()\nend\nput nothing()\non early\n  exit\n  put 1\nend\nearly"),
            "-- <Void>\n");
  EXPECT_EQ(Run("on first\n  repeat with i = 1 to 5\n    if i = 2 then return i\n  end repeat\n"
                "  return 0\nend\nput first()"),
            "-- 2\n")
      << "a return leaves the loops it is in";
  EXPECT_EQ(Run("put 1\nexit\nput 2"), "-- 1\n") << "an exit outside handlers ends the script";
}

TEST_F(LingoTest, VariablesInHandlersAreTheirOwnAndGlobalsAreShared) {
  EXPECT_EQ(Run("x = \"outside\"\n"
                "on look\n  x = \"inside\"\n  return x\nend\n"
                "put look()\nput x"),
            "-- \"inside\"\n-- \"outside\"\n");
  EXPECT_EQ(Error("x = 1\non look\n  return x\nend\nput look()"),
            "3: Variable used before assigned a value: x");
  EXPECT_EQ(Run("on count1\n  global gCount\n  gCount = gCount + 1\nend\n"
                "gCount = 10\ncount1\ncount1()\nput gCount"),
            "-- 12\n")
      << "global inside a handler";
  EXPECT_EQ(Run("global gName\n"
                "on setName\n  gName = \"set\"\nend\n"
                "on getName\n  return gName\nend\n"
                "put getName()\nsetName\nput getName()"),
            "-- <Void>\n-- \"set\"\n")
      << "global outside handlers reaches every handler; VOID until assigned";
  EXPECT_EQ(Run("on loop\n  repeat with i = 1 to 2\n    put i\n  end repeat\nend\n"
                "i = \"kept\"\nloop\nput i"),
            "-- 1\n-- 2\n-- \"kept\"\n");
  EXPECT_EQ(Error("on leave\n  exit repeat\nend\nrepeat with i = 1 to 2\n  leave\nend repeat"),
            "2: Not inside a repeat")
      << "a repeat of the caller is not the handler's";
}

TEST_F(LingoTest, MoviesStartAndStop) {
  std::string output;
  {
    lingo::TLingoSession session(host, [&](std::string_view text) { output += text; },
                                 {"/movies/", "Author", 100000});
    session.Play(
        lingo::ParseScript("on stopMovie\n  put \"stop\"\nend\n"
                           "put \"statements\"\n"
                           "on startMovie\n  alert \"start\" && the moviePath\nend"));
    session.Run("startMovie()");
  }
  EXPECT_EQ(output,
            "[alert] start /movies/\n-- \"statements\"\n-- \"stop\"\n"
            "[alert] start /movies/\n");
  EXPECT_EQ(host.LiveValues(), 0u);
}

TEST_F(LingoTest, WhatTheConsoleDoesNotRunIsNamed) {
  const std::string unsupported = " is not supported by this console (help lists what it runs)";
  EXPECT_EQ(Error("put 1\ncase x of"), "2: \"case\"" + unsupported);
  EXPECT_EQ(Error("go to frame 1"), "1: \"go\"" + unsupported);
  EXPECT_EQ(Error("the soundLevel = 5"), "1: Setting \"the soundLevel\"" + unsupported);
  EXPECT_EQ(Error("set the soundLevel to 5"), "1: Setting \"the soundLevel\"" + unsupported);
  EXPECT_EQ(Error("put 1 into x"),
            "1: \"put ... into\"" + unsupported + "; assign with NAME = VALUE");
  EXPECT_EQ(Error("beep"), "1: \"beep\"" + unsupported);
  EXPECT_EQ(Error("alert"), "1: Too few arguments for alert: 1 expected");
  EXPECT_EQ(Error("frob 1, 2"),
            "1: Handler not defined: #frob (help lists the handlers of this console)");
  EXPECT_EQ(Run("play = 1\nput play"), "-- 1\n") << "such words still name variables";
  EXPECT_EQ(Run("on beep\n  put \"mine\"\nend\nbeep"), "-- \"mine\"\n")
      << "a handler of the script's own comes first";
}

TEST_F(LingoTest, BlocksLeftOpenAreReportedWhereTheyBegin) {
  EXPECT_EQ(Error("put 1\nif 1 then\n  put 2\n"), "2: This \"if\" has no \"end if\"");
  EXPECT_EQ(Error("repeat while 0\n  if 1 then\n    put 1\nend repeat"),
            "2: This \"if\" has no \"end if\"");
  EXPECT_EQ(Error("if 1 then\n  put 1\nelse if 0 then\n  put 2\n"),
            "1: This \"if\" has no \"end if\"")
      << "a chain of else ifs is the first if's";
  EXPECT_EQ(Error("on a\n  put 1\n\non b\nend"), "1: The handler \"a\" has no \"end\"");
  EXPECT_EQ(Error("on a\n  if 1 then\n    put 1\nend a"), "2: This \"if\" has no \"end if\"");
  EXPECT_EQ(Error("if 1 then\n  on a\n  end\nend if"), "1: This \"if\" has no \"end if\"");
  EXPECT_EQ(Error("on a\n  put 1\nend b"), "1: The handler \"a\" has no \"end\"");
  EXPECT_EQ(Error("put 1\nend if"), "2: \"end if\" without \"if\"");
  EXPECT_EQ(Error("on a\nend repeat"), "2: \"end repeat\" without \"repeat\"");
  EXPECT_EQ(Error("else"), "1: \"else\" without \"if\"");
  EXPECT_EQ(Error("on\nend"), "1: Handler name expected after \"on\"");
  for (const char* script : {"on a", "on a\n  if 1 then\n  end if", "on a b, c\n  return b"})
    EXPECT_THROW(lingo::ParseScript(script), lingo::EIncompleteScript) << script;
}

TEST_F(LingoTest, EndlessHandlersAndInterruptionsStopTheScript) {
  EXPECT_EQ(Run("on down n\n  if n = 0 then return 0\n  return 1 + down(n - 1)\nend\n"
                "put down(150)"),
            "-- 150\n");
  EXPECT_EQ(Error("on r\n  r\nend\nr"),
            "2: Too many handler calls within each other (200): does r call itself without end?");
  int asked = 0;
  lingo::TLingoSession session(host, [](std::string_view) {},
                               {"", "Author", 0, [&] { return ++asked == 3; }});
  try {
    session.Run("n = 0\nrepeat while 1\n  n = n + 1\nend repeat");
    ADD_FAILURE() << "not interrupted";
  } catch (const lingo::ELingoError& error) {
    EXPECT_EQ(std::to_string(error.Line()) + ": " + error.what(), "3: Interrupted");
  }
}

TEST_F(LingoTest, NothingBreaksTheInterpreter) {
  // Odd scripts end with a script error or run; they never crash or leave values behind.
  const char* scripts[] = {"",
                           "\n\n",
                           "put",
                           "put [",
                           "put [1,",
                           "put [#a: 1, 2]",
                           "put [1, #a: 2]",
                           "x =",
                           "= 1",
                           "put 1 put 2",
                           "put xtra",
                           "put xtra 1",
                           "put the",
                           "put the nothing",
                           "put 1..2",
                           "put #",
                           "put -",
                           "put not",
                           "repeat with 1 = 2 to 3\nend repeat",
                           "else",
                           "end if",
                           "put ((((1))))",
                           "put interface(1)",
                           "put new(1)",
                           "put count()",
                           "put l[1]",
                           "on",
                           "on a(",
                           "on a(b",
                           "on a b,",
                           "on a\nend a b",
                           "global",
                           "global 1",
                           "return return",
                           "exit exit",
                           "alert alert",
                           "f the",
                           "on r x\n  return r(x)\nend\nput r([1])"};
  for (const char* script : scripts) {
    try {
      Run(script);
    } catch (const lingo::ELingoError&) {
    }
  }
  EXPECT_EQ(host.LiveValues(), 0u);
}

}  // namespace
