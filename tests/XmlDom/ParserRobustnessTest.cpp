// Damaged and arbitrary input: every prefix of a document, random edits and random sequences
// of markup pieces. Whatever the input, the parser ends with a tree or with one of its messages,
// never reads outside the input (the sanitizer leg checks), and the string source and stream
// sources with tiny buffers agree on the outcome and on every position.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ParseTestSupport.h"
#include "XmlTestSupport.h"

using namespace xmldom;

using namespace parse_test;

namespace {

const std::string kRichDocument =
    "<?xml version=\"1.0\" encoding='windows-1251'?>\r\n"
    "<!DOCTYPE r [<!ELEMENT r ANY><!-- ]> --><!ENTITY e \"]>\">]>\n"
    "<r a=\"1\" b='&lt;&#65;&#x42;'>\r\n"
    "  text &amp; more <![CDATA[raw ]] <&> ]]]]>\n"
    "  <!-- note -- with dashes -->\n"
    "  <?target data ? more?>\n"
    "  <e\t\r\nx = 'y' />\n"
    "  <\xE8\xEC\xFF>\xF2\xE5\xEA\xF1\xF2</\xE8\xEC\xFF>\r\r"
    "</r  >tail";

// A small deterministic generator, so that every run and both systems see the same inputs.
class TRandom {
 public:
  explicit TRandom(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next(std::uint32_t bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % bound;
  }

 private:
  std::uint32_t state_;
};

std::string ErrorIn(const std::string& result) {
  return result.rfind("error: ", 0) == 0 ? result : "";
}

// Parse compares the sources; keeping whitespace changes which text makes nodes, never whether
// or where the input fails.
void ExpectHandled(const std::string& text) {
  EXPECT_EQ(ErrorIn(Parse(text)), ErrorIn(Parse(text, true))) << text;
}

class ParserRobustness : public TXmlTest {};

TEST_F(ParserRobustness, TheRichDocumentParses) {
  EXPECT_EQ(Parse(kRichDocument).rfind("?xml", 0), 0u);
}

TEST_F(ParserRobustness, EveryPrefixEndsCleanly) {
  for (std::size_t length = 0; length <= kRichDocument.size(); ++length)
    ExpectHandled(kRichDocument.substr(0, length));
}

TEST_F(ParserRobustness, RandomEditsEndCleanly) {
  const std::string pieces = "<>/?!-[]&#;x'\"= \r\n\t\0aZ9\xE0\xFF";
  TRandom random(20240305);
  for (int round = 0; round < 1500; ++round) {
    std::string text = kRichDocument;
    const int edits = 1 + int(random.Next(4));
    for (int i = 0; i < edits; ++i) {
      const std::size_t at = random.Next(std::uint32_t(text.size()));
      const char piece = pieces[random.Next(std::uint32_t(pieces.size()))];
      switch (random.Next(3)) {
        case 0:
          text[at] = piece;
          break;
        case 1:
          text.insert(at, 1, piece);
          break;
        default:
          text.erase(at, 1);
      }
    }
    ExpectHandled(text);
  }
}

TEST_F(ParserRobustness, RandomMarkupEndsCleanly) {
  const char* const pieces[] = {"<",   "</", "/>", ">",    "a",         "b1",  "=",   "'",
                                "\"",  "&",  "#",  "#x",   ";",         "lt",  "amp", "<!--",
                                "-->", "-",  "<?", "?>",   "<![CDATA[", "]]>", "]",   "[",
                                " ",   "\r", "\n", "\r\n", "<!DOCTYPE", "xml", "\0",  "\xE0"};
  TRandom random(7);
  for (int round = 0; round < 1500; ++round) {
    std::string text;
    const int count = int(random.Next(24));
    for (int i = 0; i < count; ++i) {
      const char* piece = pieces[random.Next(std::uint32_t(std::size(pieces)))];
      text.append(piece, *piece ? std::char_traits<char>::length(piece) : 1);
    }
    ExpectHandled(text);
  }
}

}  // namespace
