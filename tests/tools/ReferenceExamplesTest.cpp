// Every example of the documents in docs/ and examples/ as the message window runs it, so
// that the documents cannot drift from the product. An example is a ```lingo block followed
// by an ```output block (blank lines between them only) holding what the window prints; every
// other block names what it holds (```sh, ```text, ```xml), so that no Lingo goes untested.
// Each example runs as a script file in a fresh window over the module (the Windows module
// when the tests run under wine), movie scripts as movies (startMovie first), in a movie
// folder that holds catalog.xml and settings.xml from examples/ and catalog.bin made from
// catalog.xml.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "XmlDom/XmlDocument.h"
#include "XtraConsole.h"
#include "common/TestSupport.h"

namespace {

struct TExample {
  std::string Where;  // file:line of the script
  std::string Script, Output;
};

constexpr std::string_view kFence = "```";

// The lines of a fenced block up to its closing fence; false when the file ends first.
bool ReadBlock(std::istream& in, int& line, std::string& block) {
  for (std::string text; std::getline(in, text);) {
    ++line;
    if (text == kFence) return true;
    (block += text) += '\n';
  }
  return false;
}

std::vector<TExample> ReadExamples(const std::filesystem::path& file) {
  std::vector<TExample> examples;
  std::ifstream in(file);
  int line = 0;
  for (std::string text; std::getline(in, text);) {
    ++line;
    if (!text.starts_with(kFence)) continue;
    const std::string where = file.filename().string() + ":" + std::to_string(line);
    EXPECT_NE(text, kFence) << where << ": a block that does not say what it holds";
    if (text != "```lingo") {
      std::string block;
      EXPECT_TRUE(ReadBlock(in, line, block)) << where << ": block not closed";
      continue;
    }
    TExample example{file.filename().string() + ":" + std::to_string(line + 1), {}, {}};
    EXPECT_TRUE(ReadBlock(in, line, example.Script)) << example.Where << ": block not closed";
    while (std::getline(in, text) && (++line, text.empty())) {
    }
    EXPECT_EQ(text, "```output") << example.Where << ": the script has no output block";
    EXPECT_TRUE(ReadBlock(in, line, example.Output)) << example.Where << ": block not closed";
    examples.push_back(std::move(example));
  }
  return examples;
}

// Line ends as the documents hold them: Lingo's RETURN and the XML's CR LF become line feeds.
std::string WithLineFeeds(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\r' ? '\n' : text[i];
  }
  return out;
}

// The movie folder of the examples, which is also the current folder while they run (for the
// log file of errorLog's example).
class ReferenceExamples : public testing::Test {
 protected:
  void SetUp() override {
    movie_ = std::filesystem::absolute(testing_support::ScratchFolder("reference"));
    const std::filesystem::path catalog = movie_ / "catalog.xml";
    for (const char* file : {"catalog.xml", "settings.xml"})
      std::filesystem::copy_file(std::filesystem::path(ZEL_EXAMPLES_DIR) / file, movie_ / file);
    auto document = xmldom::MakeXmlDocument();
    document->Load(catalog.string());
    document->SaveAsBinary((movie_ / "catalog.bin").string(), 0);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(movie_);
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  // What the example prints, with the errors of the window after it.
  std::string Run(const TExample& example) {
    std::string output, errors;
    lingo::TXtraConsole console([&](std::string_view text) { output += text; },
                                [&](std::string_view text) { errors += text; });
    if (!console.Start({ZELXML_MODULE, "Author", platform::TTextEncoding::Utf8, 1000000}))
      return errors;
    console.RunScript(example.Script, example.Where, movie_.string() + "/");
    console.Stop();
    return WithLineFeeds(output) + errors;
  }

  std::filesystem::path movie_, previous_;
};

TEST_F(ReferenceExamples, EveryExamplePrintsWhatTheDocumentShows) {
  std::vector<std::filesystem::path> documents = {std::filesystem::path(ZEL_EXAMPLES_DIR) /
                                                  "README.md"};
  for (const auto& entry : std::filesystem::directory_iterator(ZEL_DOCS_DIR))
    if (entry.path().extension() == ".md") documents.push_back(entry.path());
  int examples = 0;
  bool movieScript = false;
  for (const std::filesystem::path& document : documents)
    for (const TExample& example : ReadExamples(document)) {
      ++examples;
      movieScript = movieScript || example.Script.find("on startMovie") != std::string::npos;
      EXPECT_EQ(Run(example), example.Output) << example.Where << "\n" << example.Script;
    }
  EXPECT_GE(examples, 35) << "the documents' examples were not all found";
  EXPECT_TRUE(movieScript) << "install.md's movie script is not among them";
}

}  // namespace
