// xtra-host's message window against the real module: the examples, the method table,
// both call forms, boxes, instances that go when nothing holds them, and the prompt.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "XtraConsole.h"
#include "common/Messages.h"
#include "platform/File.h"
#include "zelVersion/FileVersionInfo.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

class ConsoleTest : public testing::Test {
 protected:
  void SetUp() override { Start("Author"); }
  void TearDown() override { EXPECT_EQ(console_->Stop(), 0) << errors; }

  void Start(const std::string& runMode, bool utf8 = false) {
    if (console_) console_->Stop();
    console_ =
        std::make_unique<lingo::TXtraConsole>([this](std::string_view text) { output += text; },
                                              [this](std::string_view text) { errors += text; });
    const auto encoding = utf8 ? platform::TTextEncoding::Utf8 : platform::TTextEncoding::Cp1251;
    ASSERT_TRUE(console_->Start({ZELXML_MODULE, runMode, encoding, 1000000})) << errors;
  }

  // What the script prints; its status in status.
  std::string Run(std::string_view script, const std::string& name = "test.ls",
                  const std::string& moviePath = {}) {
    output.clear();
    status = console_->RunScript(script, name, moviePath);
    return output;
  }

  lingo::TXtraConsole& Console() { return *console_; }

  std::string output, errors;
  int status = -1;

 private:
  std::unique_ptr<lingo::TXtraConsole> console_;
};

TEST_F(ConsoleTest, EveryExamplePrintsWhatItsOutputFileHolds) {
  Start("Author", true);
  const std::filesystem::path folder = ZEL_EXAMPLES_DIR;
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".ls") continue;
    ++examples;
    std::filesystem::path expected = entry.path();
    expected.replace_extension(".out");
    EXPECT_EQ(Run(ReadFile(entry.path()), entry.path().filename().string(), folder.string() + "/"),
              ReadFile(expected))
        << entry.path();
    EXPECT_EQ(status, 0) << errors;
  }
  EXPECT_GE(examples, 4);
}

TEST_F(ConsoleTest, InterfacePrintsTheMethodTableAsRegistered) {
  const std::string printed = Run("put interface(xtra \"zelXMLParser\")");
  const dxhost::TScriptClass* parserClass = Console().Host().FindScriptClass("zelXMLParser");
  ASSERT_TRUE(parserClass);
  EXPECT_EQ(printed, "-- \"" + parserClass->MsgTable + "\"\n");
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 29);  // 28 lines and the quote
  EXPECT_EQ(printed.substr(0, 22), "-- \"xtra zelXMLParser\n");
  EXPECT_NE(printed.find("\ntestL object me, list attr\n\"\n"), std::string::npos);
}

TEST_F(ConsoleTest, BothCallFormsReachTheSameMethod) {
  EXPECT_EQ(Run("x = new(xtra \"zelXMLParser\")\n"
                "put x.loadFromText(\"<a><b/></a>\")\n"
                "put childCount(x)\n"
                "put x.CHILDCOUNT()\n"
                "put getNodeName(x) & \"/\" & x.getnodename()\n"
                "selectChild(x, 1)\n"
                "put x.getNodeName()"),
            "-- 1\n-- 1\n-- 1\n-- \"a/a\"\n-- \"b\"\n");
  EXPECT_EQ(status, 0) << errors;
  EXPECT_EQ(Run("x = new(xtra \"zelXMLParser\")\nx.noSuchMethod()"), "");
  EXPECT_EQ(status, 1);
  EXPECT_NE(errors.find("test.ls:2: Handler not defined: #noSuchMethod (interface(xtra "
                        "\"zelXMLParser\") lists the methods of zelXMLParser)"),
            std::string::npos);
  EXPECT_EQ(Run("put xtra(\"zelXMLParser\").new().loadFromText(\"<a/>\")"), "-- 1\n");
}

TEST_F(ConsoleTest, BoxesPrintWhileAuthoringOnly) {
  const char* script =
      "x = new(xtra \"zelXMLParser\")\n"
      "x.errorDialog(TRUE)\n"
      "put x.childCount()\n";
  EXPECT_EQ(Run(script), "[Error] " + std::string(msg::kNoCurrentNode.View()) + "\n-- 0\n");
  Start("Projector");
  EXPECT_EQ(Run(script), "-- 0\n");
  EXPECT_EQ(Run("put the runMode"), "-- \"Projector\"\n");
}

TEST_F(ConsoleTest, InstancesGoWhenNothingHoldsThem) {
  dxhost::TXtraHost& host = Console().Host();
  Run("x = new(xtra \"zelXMLParser\")\ny = x\nl = [x]");
  EXPECT_FALSE(host.ModuleCanUnload());
  Run("x = 0\ny = 0");
  EXPECT_FALSE(host.ModuleCanUnload()) << "the list still holds it";
  Run("l = VOID\nput new(xtra \"zelXMLParser\").loadFromText(\"<a/>\")");
  EXPECT_EQ(output, "-- 1\n");
  EXPECT_TRUE(host.ModuleCanUnload()) << "the last reference went, and temporaries go";
  EXPECT_EQ(host.LiveBlocks(), 0u);
}

TEST_F(ConsoleTest, VersionReportPrintsTheModulesOwnStrings) {
  Run("put new(xtra \"zelXMLParser\").xtraVersion()");
  version::TFileVersionInfo info;
  version::ReadFileVersionInfo(platform::FullPathName(ZELXML_MODULE), info);
  const std::string expected =
      "-- [#FileType: \"" + info.ShellTypeName + "\", #CompanyName: \"" + info.CompanyName +
      "\", #FileDescription: \"" + info.FileDescription + "\", #FileVersion: \"" +
      info.FileVersion + "\", #InternalName: \"" + info.InternalName + "\", #LegalCopyRight: \"" +
      info.LegalCopyRight + "\", #LegalTradeMarks: \"" + info.LegalTradeMarks +
      "\", #OriginalFileName: \"" + info.OriginalFileName + "\", #ProductName: \"" +
      info.ProductName + "\", #ProductVersion: \"" + info.ProductVersion + "\"]\n";
  EXPECT_EQ(output, expected);
  EXPECT_NE(info.ProductName, "");
}

TEST_F(ConsoleTest, ScriptErrorStopsAfterWhatRanBefore) {
  EXPECT_EQ(Run("put 1\nput nothingYet\nput 3"), "-- 1\n");
  EXPECT_EQ(status, 1);
  EXPECT_EQ(errors, "test.ls:2: Variable used before assigned a value: nothingYet\n");
}

TEST_F(ConsoleTest, PromptReadsStatementsAsTheyComplete) {
  const std::vector<std::string> lines = {"x = new(xtra \"zelXMLParser\")",
                                          "if x.loadFromText(\"<a/>\") then",
                                          "  put x.getNodeName()",
                                          "end if",
                                          "put oops",
                                          "put 2 +",
                                          "put \"still here\""};
  std::size_t next = 0;
  std::string prompts;
  output.clear();
  Console().RunInteractive([&](std::string_view prompt, std::string& line) {
    prompts += prompt == lingo::TXtraConsole::kContinuedPrompt ? '.' : '>';
    if (next == lines.size()) return lingo::TPromptInput::End;
    line = lines[next++];
    return lingo::TPromptInput::Line;
  });
  EXPECT_EQ(output, std::string(lingo::TXtraConsole::kGreeting) + "-- \"a\"\n-- \"still here\"\n");
  EXPECT_EQ(prompts, ">>..>>>>");
  EXPECT_EQ(errors,
            "<input>:5: Variable used before assigned a value: oops\n"
            "<input>:6: Expression expected\n");
}

// What the prompt reads: lines, and a Ctrl-C where a line is "^C".
lingo::TPromptInput Typed(const std::vector<std::string>& lines, std::size_t& next,
                          std::string& line) {
  if (next == lines.size()) return lingo::TPromptInput::End;
  line = lines[next++];
  return line == "^C" ? lingo::TPromptInput::Interrupted : lingo::TPromptInput::Line;
}

TEST_F(ConsoleTest, HandlersTypedAtThePromptAndCtrlCDroppingWhatIsTyped) {
  const std::vector<std::string> lines = {
      "on twice x",        "  return x * 2", "end", "n = 21",
      "if n then",         "  put 0",        "^C",  "put twice(n)",
      "put the moviePath", "put (1 +",       "^C",  "put \"kept\" && n",
      "on broken",         "  put nothing",  "end", "broken"};
  std::size_t next = 0;
  output.clear();
  Console().RunInteractive(
      [&](std::string_view, std::string& line) { return Typed(lines, next, line); });
  EXPECT_EQ(output,
            std::string(lingo::TXtraConsole::kGreeting) + "-- 42\n-- \"\"\n-- \"kept 21\"\n");
  // The lines of a statement that Ctrl-C dropped still count, and a handler's lines are
  // those it was typed on.
  EXPECT_EQ(errors,
            "<input>:9: Expression expected\n"
            "<input>:12: Variable used before assigned a value: nothing\n");
}

TEST_F(ConsoleTest, MovieScriptsStartAsMoviesDo) {
  EXPECT_EQ(Run("global gParser\n"
                "on startMovie\n"
                "  gParser = new(xtra \"zelXMLParser\")\n"
                "  if not gParser.loadFromText(\"<a/>\") then alert gParser.errorMsg()\n"
                "  alert \"started with\" && rootName()\n"
                "end\n"
                "on rootName\n  return gParser.getNodeName()\nend\n"
                "put rootName()\n"),
            "[alert] started with a\n-- \"a\"\n");
  EXPECT_EQ(status, 0) << errors;
  EXPECT_FALSE(Console().Host().ModuleCanUnload()) << "the global holds the instance";
  EXPECT_EQ(Run("if 1 then\n  put 1\n", "open.ls"), "");
  EXPECT_EQ(status, 1);
  EXPECT_EQ(errors, "open.ls:1: This \"if\" has no \"end if\"\n");
}

TEST_F(ConsoleTest, ModulesThatCannotBeLoadedAreReported) {
  lingo::TXtraConsole console([](std::string_view) {},
                              [this](std::string_view text) { errors += text; });
  errors.clear();
  EXPECT_FALSE(console.Start({"no-such-module.so", "Author", platform::TTextEncoding::Cp1251, 0}));
  EXPECT_NE(errors.find("xtra-host: "), std::string::npos);
  errors.clear();
}

}  // namespace
