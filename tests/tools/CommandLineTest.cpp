// xtra-host's command line: what each argument sets, and the argument named when it is wrong.

#include "CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The error, or "" with the command in command.
std::string Parse(const std::vector<std::string>& args, lingo::TCommandLine& command) {
  std::string error;
  command = {};
  command.Options.ModulePath = "default.so";
  const bool parsed = lingo::ParseCommandLine(args, command, error);
  EXPECT_EQ(parsed, error.empty());
  return error;
}

TEST(CommandLine, EachArgumentSetsItsOption) {
  lingo::TCommandLine command;
  EXPECT_EQ(Parse({"--run-mode", "projector", "--module", "m.x32", "--raw", "s.ls"}, command), "");
  EXPECT_EQ(command.Options.RunMode, "Projector");
  EXPECT_EQ(command.Options.ModulePath, "m.x32");
  EXPECT_EQ(command.Encoding, platform::TTextEncoding::Cp1251);
  EXPECT_EQ(command.Script, "s.ls");
  EXPECT_EQ(Parse({"-"}, command), "");
  EXPECT_EQ(command.Script, "-");
  EXPECT_EQ(command.Options.ModulePath, "default.so") << "what is not given stays";
  EXPECT_EQ(command.Options.RunMode, "Author");
  EXPECT_FALSE(command.Encoding.has_value()) << "none given: the console's";
  EXPECT_EQ(Parse({"--utf8", "--utf8", "-h"}, command), "");
  EXPECT_TRUE(command.Help);
  EXPECT_EQ(command.Encoding, platform::TTextEncoding::Utf8);
}

// What "the moviePath" answers: --movie-path with its separator, else the script's folder.
TEST(CommandLine, TheMoviePathIsTheScriptsFolderUnlessGiven) {
  lingo::TCommandLine command;
  const auto moviePath = [&](const std::vector<std::string>& args) {
    EXPECT_EQ(Parse(args, command), "");
    return lingo::MoviePathFor(command);
  };
  EXPECT_EQ(moviePath({"movies/intro/start.ls"}), "movies/intro/");
  EXPECT_EQ(moviePath({"start.ls"}), "") << "the current folder";
  EXPECT_EQ(moviePath({"C:\\movies\\start.ls"}), "C:\\movies\\");
  EXPECT_EQ(moviePath({}), "") << "the prompt";
  EXPECT_EQ(moviePath({"--movie-path", "/data", "movies/start.ls"}), "/data/");
  EXPECT_EQ(moviePath({"--movie-path", "/data/"}), "/data/") << "one separator";
  EXPECT_EQ(Parse({"--movie-path"}, command), "--movie-path needs a folder");
  EXPECT_EQ(Parse({"--version"}, command), "");
  EXPECT_TRUE(command.Version);
  EXPECT_EQ(lingo::VersionText().rfind("xtra-host (zelXML) ", 0), 0u);
}

TEST(CommandLine, WrongArgumentsAreNamedWithWhatWasExpected) {
  lingo::TCommandLine command;
  EXPECT_EQ(Parse({"--run-mode", "browser"}, command),
            "--run-mode takes author or projector, not \"browser\"");
  EXPECT_EQ(Parse({"--run-mode"}, command), "--run-mode needs author or projector");
  EXPECT_EQ(Parse({"--module"}, command), "--module needs the PATH of a module");
  EXPECT_EQ(Parse({"--verbose"}, command), "unknown option \"--verbose\"");
  EXPECT_EQ(Parse({"--utf8", "--raw"}, command), "--utf8 and --raw exclude each other");
  EXPECT_EQ(Parse({"a.ls", "b.ls"}, command), "one SCRIPT only, but \"b.ls\" follows \"a.ls\"");
}

}  // namespace
