// The text parser: every construct, both whitespace modes, the counting of lines and
// positions, and each failure with its message and position. Parse runs every input through
// the string source and through stream sources with tiny buffers, which must agree.
#include <gtest/gtest.h>

#include <cctype>

#include "ParseTestSupport.h"
#include "XmlDom/XmlLimits.h"
#include "XmlDom/XmlNameChars.h"
#include "XmlTestSupport.h"

using namespace xmldom;

using namespace parse_test;

namespace {

class Parser : public TXmlTest {};

TEST_F(Parser, EmptyAndBlankInputs) {
  EXPECT_EQ(Parse(""), "");
  EXPECT_EQ(Parse("", true), "");
  EXPECT_EQ(Parse(" \r\n\t "), "");
  EXPECT_EQ(Parse(" \r\n\t ", true), "\" \r\n\t \"");
}

TEST_F(Parser, KeepWhitespaceMakesANodeOfEveryTextRun) {
  // An empty run wherever "<" follows the start of the input or the end of markup, but none at
  // the end of the input.
  EXPECT_EQ(Parse("<a><b/></a>", true), "\"\" a{\"\" b \"\"}");
  EXPECT_EQ(Parse("<a><b/></a>"), "a{b}");
  EXPECT_EQ(Parse("<a/>", true), "\"\" a");
  EXPECT_EQ(Parse("<!--c--><?t d?>", true), "\"\" !\"c\" \"\" ?t\" d\"");
  EXPECT_EQ(Parse("<a>  </a>"), "a");
  EXPECT_EQ(Parse("<a>  </a>", true), "\"\" a{\"  \"}");
}

TEST_F(Parser, TextKeepsItsSpacesInBothModes) {
  EXPECT_EQ(Parse("<a> x  y </a>"), "a{\" x  y \"}");
  EXPECT_EQ(Parse("<a> x  y </a>", true), "\"\" a{\" x  y \"}");
  EXPECT_EQ(Parse("top<a/>tail"), "\"top\" a \"tail\"");
  // ">" and "]]>" are ordinary text.
  EXPECT_EQ(Parse("<a>x>y]]>z</a>"), "a{\"x>y]]>z\"}");
  // Whether a run is blank is decided after references are expanded.
  EXPECT_EQ(Parse("<a>&#32;&#9;</a>"), "a");
  EXPECT_EQ(Parse("<a>&#32;&#9;</a>", true), "\"\" a{\" \t\"}");
}

TEST_F(Parser, CharacterAndEntityReferences) {
  EXPECT_EQ(Parse("<a>&#65;&#x42;&#x6a;</a>"), "a{\"ABj\"}");
  EXPECT_EQ(Parse("<a>&lt;&amp;&quot;&apos;&gt;</a>"), "a{\"<&\"'>\"}");
  EXPECT_EQ(Parse("<a v='&#65;&lt;'/>"), "a[v=A<]");
  // Up to 255 the number is the byte, whatever the code page holds there.
  EXPECT_EQ(Parse("<a>&#0;&#152;&#xFF;</a>"), std::string("a{\"\0\x98\xFF\"}", 8));
  // Runs short and long expand alike, around the length a value keeps inside itself and the
  // length past which a run is read in pieces.
  for (std::size_t more : {0, 6, 7, 8, 500, 506, 507, 508, 600}) {
    const std::string tail(more, 'y');
    EXPECT_EQ(Parse(Cat({"<a>&amp;", tail, "</a><b>", tail, "&#65;</b>"})),
              Cat({"a{\"&", tail, "\"} b{\"", tail, "A\"}"}))
        << more;
  }
}

// Above 255 a reference is a Unicode character in the code page (windows-1251 here and on the
// wine leg): the byte of that character, or "?" when the code page has none, in text and in
// attribute values alike. Numbers past the last character, however long, are "?" too.
TEST_F(Parser, ReferencesAboveByteRangeGoThroughTheCodePage) {
  const struct {
    const char* reference;
    const char* byte;
  } cases[] = {
      {"&#1044;", "\xC4"},    {"&#x414;", "\xC4"},
      {"&#8364;", "\x88"},    {"&#x2116;", "\xB9"},
      {"&#1105;", "\xB8"},    {"&#256;", "?"},
      {"&#321;", "?"},        {"&#x4E2D;", "?"},
      {"&#xD800;", "?"},      {"&#x10FFFF;", "?"},
      {"&#x110000;", "?"},    {"&#4294967361;", "?"},
      {"&#x100000041;", "?"}, {"&#99999999999999999999;", "?"},
  };
  for (const auto& c : cases) {
    const std::string byte = c.byte;
    EXPECT_EQ(Parse(Cat({"<a>[", c.reference, "]</a>"})), Cat({"a{\"[", byte, "]\"}"}))
        << c.reference;
    EXPECT_EQ(Parse(Cat({"<a v='", c.reference, "'/>"})), Cat({"a[v=", byte, "]"})) << c.reference;
  }
  EXPECT_EQ(Parse("<a>&#1044;&#8364;&#65;</a>"), "a{\"\xC4\x88\x41\"}");
}

TEST_F(Parser, BadReferences) {
  EXPECT_EQ(Parse("<a>&#X41;</a>"), AtPosition(msg::kNumberExpected, 0, 5));
  EXPECT_EQ(Parse("<a>&#;</a>"), AtPosition(msg::kNumberExpected, 0, 5));
  EXPECT_EQ(Parse("<a>&#x;</a>"), AtPosition(msg::kHexNumberExpected, 0, 6));
  EXPECT_EQ(Parse("<a>&#xg;</a>"), AtPosition(msg::kHexNumberExpected, 0, 6));
  EXPECT_EQ(Parse("<a>&foo;</a>"), AtPosition(msg::kBadEntityName, 0, 8));
  EXPECT_EQ(Parse("<a>&ampx;</a>"), AtPosition(msg::kBadEntityName, 0, 9));
  EXPECT_EQ(Parse("<a>&AMP;</a>"), AtPosition(msg::kBadEntityName, 0, 8));
  EXPECT_EQ(Parse("<a>& </a>"), AtPosition(msg::kNameMustStartWithLetter, 0, 4));
  EXPECT_EQ(Parse("<a>&amp</a>"), Expected(";", 0, 7));
  EXPECT_EQ(Parse("<a>&#65</a>"), Expected(";", 0, 7));
  // The input ends after "&", after "&#", after "&#x".
  EXPECT_EQ(Parse("a&"), AtPosition(msg::kHashOrEntityExpected, 0, 1));
  EXPECT_EQ(Parse("a&#"), AtPosition(msg::kNumberExpected, 0, 2));
  EXPECT_EQ(Parse("a&#x"), AtPosition(msg::kHexNumberExpected, 0, 3));
  EXPECT_EQ(Parse("<a v='&'/>"), AtPosition(msg::kNameMustStartWithLetter, 0, 7));
}

TEST_F(Parser, Attributes) {
  EXPECT_EQ(Parse("<a x='\"' y=\"'\"/>"), "a[x=\",y=']");
  EXPECT_EQ(Parse("<a x=\"1\"y='2'/>"), "a[x=1,y=2]");
  // A repeated name keeps its first place and takes the later value.
  EXPECT_EQ(Parse("<a b='1' c='2' b='3'/>"), "a[b=3,c=2]");
  EXPECT_EQ(Parse("<a x = \"\t>\r\n\" />"), "a[x=\t>\r\n]");
  EXPECT_EQ(Parse("<a x=''></a>"), "a[x=]");
  EXPECT_EQ(Parse("<a x=1/>"), AtPosition(msg::kStringConstantExpected, 0, 5));
  EXPECT_EQ(Parse("<a x="), AtPosition(msg::kAttributeValueExpected, 0, 4));
  EXPECT_EQ(Parse("<a x=  "), AtPosition(msg::kAttributeValueExpected, 0, 6));
  EXPECT_EQ(Parse("<a x='<'/>"), AtPosition(msg::kLessThanInAttribute, 0, 6));
  EXPECT_EQ(Parse("<a x'1'/>"), Expected("=", 0, 4));
  EXPECT_EQ(Parse("<a x"), Expected("=", 0, 3));
  EXPECT_EQ(Parse("<a x='abc"), Expected("'", 0, 8));
  EXPECT_EQ(Parse("<a x='1'"), Expected(">", 0, 7));
  EXPECT_EQ(Parse("<a x='1' 'y'/>"), Expected(">", 0, 9));
}

TEST_F(Parser, ManyAttributesInOneTag) {
  std::string text = "<a";
  for (int i = 0; i < 5000; ++i) text += " n" + std::to_string(i) + "='" + std::to_string(i) + "'";
  text += " n0='last' n4999='end'/><b n0='x' n1='y'/>";
  auto document = MakeXmlDocument();
  document->LoadXML(text);
  auto a = document->GetDocumentElement();
  EXPECT_EQ(a->GetAttributeCount(), 5000);
  EXPECT_EQ(a->GetAttributeName(0), "n0");
  EXPECT_EQ(a->GetTextAttr("n0", ""), "last");
  EXPECT_EQ(a->GetTextAttr("n1", ""), "1");
  EXPECT_EQ(a->GetTextAttr("n4999", ""), "end");
  EXPECT_EQ(Outline(NodeOf(a->GetNextSibling().Get())), "b[n0=x,n1=y]");
}

// A tag is read expecting the attribute names that the last tag of its name had; every way of
// differing from them must read as if nothing were expected: fewer or more names, another
// order, a name that begins with an expected one, a value the expected path cannot take, and a
// repeat, after expected names, of one of them.
TEST_F(Parser, AttributesOfTagsOfOneName) {
  EXPECT_EQ(Parse("<r><a x='1' y='2'/><a x='3' y='4'/><a x='5' y='6' x='7'/><a x='8'/>"
                  "<a x='9' y='10' z='11'/><a y='12' x='13'/><a yy='14' y='15' x='&amp;' y='16'/>"
                  "<a yy='17' y='&lt;' x='18' yy='19'/><a yy='20'>t</a><b yy='21'/></r>"),
            "r{a[x=1,y=2] a[x=3,y=4] a[x=7,y=6] a[x=8] a[x=9,y=10,z=11] a[y=12,x=13] "
            "a[yy=14,y=16,x=&] a[yy=19,y=<,x=18] a[yy=20]{\"t\"} b[yy=21]}");
  // Past the names remembered for a tag, repeats are still found.
  std::string tag = "<a";
  for (int i = 0; i < 10; ++i) tag += " n" + std::to_string(i) + "='" + std::to_string(i) + "'";
  EXPECT_EQ(Parse(Cat({"<r>", tag, "/>", tag, " n9='x' n0='y'/></r>"})),
            "r{a[n0=0,n1=1,n2=2,n3=3,n4=4,n5=5,n6=6,n7=7,n8=8,n9=9] "
            "a[n0=y,n1=1,n2=2,n3=3,n4=4,n5=5,n6=6,n7=7,n8=8,n9=x]}");
}

TEST_F(Parser, ElementsAndEndTags) {
  EXPECT_EQ(Parse("<a><b><c/></b>x<d></d></a>"), "a{b{c} \"x\" d}");
  EXPECT_EQ(Parse("<a></a  \r\n>"), "a");
  // The end tag names the rest of the start tag's name from the first character that differs.
  EXPECT_EQ(Parse("<abc></abd>"), Expected("c", 0, 9));
  EXPECT_EQ(Parse("<abc></xbc>"), Expected("abc", 0, 7));
  EXPECT_EQ(Parse("<abc></ab>"), Expected("c", 0, 9));
  EXPECT_EQ(Parse("<ab></abc>"), Expected(">", 0, 8));
  EXPECT_EQ(Parse("<a/ >"), Expected(">", 0, 3));
  EXPECT_EQ(Parse("<a>"), Expected("/", 0, 2));
  EXPECT_EQ(Parse("<a><b>text"), Expected("/", 0, 9));
  EXPECT_EQ(Parse("<a></a"), Expected(">", 0, 5));
}

TEST_F(Parser, ElementNames) {
  EXPECT_EQ(Parse("<a-b.c:d_e1/><_x/>"), "a-b.c:d_e1 _x");
  // Cyrillic letters of windows-1251 are letters.
  EXPECT_EQ(Parse("<\xE8\xEC\xFF \xE0\xF2\xF0='1'/>"), "\xE8\xEC\xFF[\xE0\xF2\xF0=1]");
  EXPECT_EQ(Parse("< a/>"), AtPosition(msg::kNameMustStartWithLetter, 0, 1));
  EXPECT_EQ(Parse("<1/>"), AtPosition(msg::kNameMustStartWithLetter, 0, 1));
  EXPECT_EQ(Parse("<-a/>"), AtPosition(msg::kNameMustStartWithLetter, 0, 1));
  EXPECT_EQ(Parse("<a"), Unpositioned(msg::kElementNotFinished));
  EXPECT_EQ(Parse("<a\"x\"/>"), Unpositioned(msg::kBadCharInElementName));
  EXPECT_EQ(Parse("<a=1/>"), Unpositioned(msg::kBadCharInElementName));
  // Any character of code 0 to 32 may end a name.
  EXPECT_EQ(Parse(std::string("<a\x01/>", 5)), "a");
}

// The parser and selection share one test of names.
TEST_F(Parser, NameCharactersAreSharedWithSelection) {
  EXPECT_TRUE(IsXmlName("a-b.c:d_e1"));
  EXPECT_TRUE(IsXmlName("_x"));
  EXPECT_TRUE(IsXmlName("\xE8\xEC\xFF"));
  EXPECT_FALSE(IsXmlName(""));
  EXPECT_FALSE(IsXmlName("1a"));
  EXPECT_FALSE(IsXmlName("-a"));
  EXPECT_FALSE(IsXmlName("a b"));
  EXPECT_FALSE(IsXmlName("a/b"));
}

// Below 128 the name characters are exactly the letters, digits, "-", ".", ":" and "_" (the
// parser scans ASCII names sixteen characters at a time on that understanding), and every one
// of them continues a long name, whatever stands around it.
TEST_F(Parser, AsciiNameCharactersAreTheFixedSet) {
  std::string names;
  for (int c = 0; c < 128; ++c) {
    const bool expected = std::isalnum(c) || c == '-' || c == '.' || c == ':' || c == '_';
    EXPECT_EQ(IsXmlNameChar(char(c)), expected) << c;
    if (expected) names += char(c);
  }
  const std::string name = "n" + names + names + "\xE8-" + names;
  EXPECT_EQ(Parse("<" + name + " a='1'/><" + name + "></" + name + ">"), name + "[a=1] " + name);
  // Every other character ends a name, also where a long stretch of input follows it.
  const std::string after(40, ' ');
  for (int c = 33; c < 128; ++c) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == ':' || c == '_' || c == '/' || c == '>')
      continue;
    EXPECT_EQ(Parse("<nnnn" + std::string(1, char(c)) + "/>" + after),
              Unpositioned(msg::kBadCharInElementName))
        << c;
  }
}

// Names that differ in a single character, at every place and for every length up to past
// what the parser's cache of names keys by its bytes, all keep their own names.
TEST_F(Parser, NamesDifferingInOneCharacterStayApart) {
  std::string text = "<r>", expected;
  for (std::size_t length = 1; length <= 20; ++length)
    for (std::size_t at = 0; at < length; ++at)
      for (const char c : {'a', 'b'}) {
        std::string name(length, 'n');
        name[at] = c;
        text += "<" + name + " " + name + "='" + name + "'/>";
        expected += (expected.empty() ? "" : " ") + name + "[" + name + "=" + name + "]";
      }
  EXPECT_EQ(Parse(text + "</r>"), "r{" + expected + "}");
}

// A start tag is read expecting the name that followed the last tag of its name; a name that
// only begins like the expected one is read as written. (NestingIsLimited repeats one name up
// to the limit.)
TEST_F(Parser, TagsAfterTagsOfOneName) {
  EXPECT_EQ(Parse("<r><a/><b/><a/><bb/><a/><b:c/><a/><b x='1'/><a/><b>t</b><a/><b\n></b></r>"),
            "r{a b a bb a b:c a b[x=1] a b{\"t\"} a b}");
}

TEST_F(Parser, Comments) {
  EXPECT_EQ(Parse("<!--a--b--><!----><!----->"), "!\"a--b\" !\"\" !\"-\"");
  EXPECT_EQ(Parse("<!-- <a> &amp; -->"), "!\" <a> &amp; \"");
  EXPECT_EQ(Parse("<!-a-->"), Expected("-", 0, 3));
  EXPECT_EQ(Parse("<!--abc"), Expected("-->", 0, 6));
  EXPECT_EQ(Parse("<!--abc--"), Expected("-->", 0, 8));
}

TEST_F(Parser, CDataSections) {
  EXPECT_EQ(Parse("<a><![CDATA[<&>&amp;]]></a>"), "a{C\"<&>&amp;\"}");
  EXPECT_EQ(Parse("<![CDATA[]]>"), "C\"\"");
  EXPECT_EQ(Parse("<![CDATA[a]]]>"), "C\"a]\"");
  // The last letter of "[CDATA[" is another: the rest of the keyword from that letter.
  EXPECT_EQ(Parse("<![CDATX[x]]>"), Expected("A[", 0, 7));
  EXPECT_EQ(Parse("<![cdata[x]]>"), Expected("CDATA[", 0, 3));
  EXPECT_EQ(Parse("<![CDATA[x]]"), Expected("]]>", 0, 11));
}

// A partial match of the terminator that breaks gives back the characters that cannot begin a
// new match and examines the breaking character again.
TEST_F(Parser, TerminatorSearchAfterPartialMatches) {
  EXPECT_EQ(Parse("<![CDATA[a]]]>"), "C\"a]\"");
  EXPECT_EQ(Parse("<![CDATA[]]]]]>"), "C\"]]]\"");
  EXPECT_EQ(Parse("<![CDATA[a]]x]]>"), "C\"a]]x\"");
  EXPECT_EQ(Parse("<![CDATA[a]x]]>"), "C\"a]x\"");
  EXPECT_EQ(Parse("<![CDATA[]>]]>"), "C\"]>\"");
  EXPECT_EQ(Parse("<!--a- -->"), "!\"a- \"");
  EXPECT_EQ(Parse("<!--a--->"), "!\"a-\"");
  EXPECT_EQ(Parse("<!--->-->"), "!\"->\"");
  EXPECT_EQ(Parse("<?t a?"
                  "?>"),
            "?t\" a?\"");
  EXPECT_EQ(Parse("<?t a?x?>"), "?t\" a?x\"");
}

TEST_F(Parser, ProcessingInstructions) {
  EXPECT_EQ(Parse("<?xml version=\"1.0\" encoding='windows-1251'?>"),
            "?xml\"\"[version=1.0,encoding=windows-1251]");
  // Other targets keep the whitespace after the target in their data.
  EXPECT_EQ(Parse("<?xml-stylesheet href=\"a\"?>"), "?xml-stylesheet\" href=\"a\"\"");
  EXPECT_EQ(Parse("<?t\tx?><?t\r\ny?><?t?>"), "?t\"\tx\" ?t\"\r\ny\" ?t\"\"");
  EXPECT_EQ(Parse("<?XML v='1'?>"), "?XML\" v='1'\"");
  // The declaration may stand anywhere, more than once, and needs no attributes.
  EXPECT_EQ(Parse("<a><?xml?></a><?xml   ?>"), "a{?xml\"\"} ?xml\"\"");
  EXPECT_EQ(Parse("<? t?>"), AtPosition(msg::kNameMustStartWithLetter, 0, 2));
  EXPECT_EQ(Parse("<?"), AtPosition(msg::kNameMustStartWithLetter, 0, 1));
  EXPECT_EQ(Parse("<?xml version='1'>"), Expected("?>", 0, 17));
  EXPECT_EQ(Parse("<?xml version='1'?"), Expected(">", 0, 17));
  EXPECT_EQ(Parse("<?t data"), Expected("?>", 0, 7));
}

TEST_F(Parser, DoctypeIsSkipped) {
  EXPECT_EQ(Parse("<!DOCTYPE r SYSTEM \"r.dtd\">\r\n<r/>"), "r");
  EXPECT_EQ(Parse("<!DOCTYPE r PUBLIC 'a>b' \"c'>\"><r/>"), "r");
  EXPECT_EQ(Parse("<!ELEMENT r>"), Expected("DOCTYPE", 0, 2));
  EXPECT_EQ(Parse("<!DOCTYP r>"), Expected("E", 0, 8));
  EXPECT_EQ(Parse("<!DOCTYPE r"), Expected(">", 0, 10));
  EXPECT_EQ(Parse("<!DOCTYPE r SYSTEM 'r.dtd"), Expected("'", 0, 24));
}

// The internal subset goes with the declaration; what it declares is not used.
TEST_F(Parser, DoctypeInternalSubsetIsSkipped) {
  EXPECT_EQ(Parse("<!DOCTYPE r [\n<!ELEMENT r ANY>\n<!ATTLIST r a CDATA #IMPLIED>\n]>\n<r/>"), "r");
  // "]" and ">" in literals, comments and instructions of the subset do not end it.
  EXPECT_EQ(Parse("<!DOCTYPE r [<!ENTITY e \"]>\"><!-- ]> --><?p ]>?><!ENTITY f ']'>]><r/>"), "r");
  EXPECT_EQ(Parse("<!DOCTYPE r [<!-x]>]><r/>", true), "\"\" \"]>\" r");
  EXPECT_EQ(Parse("<!DOCTYPE r [<!ENTITY e 'x'>]><r>&e;</r>"),
            AtPosition(msg::kBadEntityName, 0, 36));
  EXPECT_EQ(Parse("<!DOCTYPE r [<!ELEMENT r ANY>"), Expected("]", 0, 28));
  EXPECT_EQ(Parse("<!DOCTYPE r [<!-- ]>"), Expected("-->", 0, 19));
}

TEST_F(Parser, TopLevelEndsQuietly) {
  // An end tag at the top level ends the load; nothing after it is read.
  EXPECT_EQ(Parse("<a/></x>&bad; <<<"), "a");
  EXPECT_EQ(Parse("<a/></"), "a");
  EXPECT_EQ(Parse("<a/><"), "a");
  EXPECT_EQ(Parse("<a/><!"), "a");
  EXPECT_EQ(Parse("<a/><", true), "\"\" a \"\"");
}

TEST_F(Parser, LinesAndPositionsOfNodes) {
  auto document = MakeXmlDocument();
  document->SetKeepWhitespace(true);
  document->LoadXML("<a>\r\n  <b/>x\n\n<c/>\r\r<d/></a>");
  auto a = document->GetDocumentElement();
  auto children = a->GetChildNodes();
  const auto at = [&](int index) {
    auto node = children->GetItem(index);
    return std::to_string(node->SourceLine()) + ":" + std::to_string(node->SourcePos());
  };
  EXPECT_EQ(a->SourceLine(), 0);
  EXPECT_EQ(a->SourcePos(), 0);
  // CR LF is one break; the break itself is position 0 of its new line.
  EXPECT_EQ(at(0), "1:0");  // the text "\r\n  "
  EXPECT_EQ(at(1), "1:3");  // <b/>
  EXPECT_EQ(at(2), "1:7");  // the text "x\n\n"
  // LF LF and CR CR are two breaks each.
  EXPECT_EQ(at(3), "3:1");  // <c/>
  EXPECT_EQ(at(4), "4:0");  // the text "\r\r"
  EXPECT_EQ(at(5), "5:1");  // <d/>
}

// The counting rule applied character by character: the line and position of text[index].
std::pair<int, int> CountedPosition(std::string_view text, std::size_t index) {
  int line = 0, pos = 0;
  char previous = '\0';
  for (std::size_t i = 1; i <= index; ++i) {
    const char c = text[i];
    if (c == '\r' || (c == '\n' && previous != '\r'))
      line++, pos = 0;
    else if (c != '\n')
      ++pos;
    previous = c == '\r' || c == '\n' ? c : '\0';
  }
  return {line, pos};
}

// Long documents whose nodes are separated by every mix of line ends, runs longer than the
// parser's counting steps included: each node reports where it begins by the rule above.
TEST_F(Parser, PositionsInLongMixedDocumentsFollowTheCountingRule) {
  const std::string longRun = std::string(70, ' ') + "\n" + std::string(130, 'x') + "\r";
  // More breaks close together than the parser queues at once, and a line longer than it
  // looks ahead.
  std::string denseRun(150, '\n');
  for (int i = 0; i < 40; ++i) denseRun += "\r\n\r";
  const std::string longLine = std::string(3000, 'y') + "\r\n";
  const std::string_view separators[] = {"",       " ",       "\n",    "\r\n",   "\r",     "\n\r",
                                         "\r\r\n", " \n  \r", "\rx\n", denseRun, longLine, longRun};
  std::uint32_t seed = 7;
  const auto next = [&seed](std::uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  for (int round = 0; round < 20; ++round) {
    std::string text = "<r>";
    std::vector<std::size_t> starts;
    for (int i = 0; i < 120; ++i) {
      const std::string_view separator = separators[next(std::size(separators))];
      starts.push_back(text.size());  // kept whitespace: a text node, even an empty one
      text += separator;
      starts.push_back(text.size());
      text += next(2) ? "<e a=\"1\"/>" : "<e>\n</e>";
    }
    starts.push_back(text.size());
    text += "</r>";
    auto document = MakeXmlDocument();
    document->SetKeepWhitespace(true);
    document->LoadXML(text);
    auto children = document->GetDocumentElement()->GetChildNodes();
    ASSERT_EQ(children->GetCount(), int(starts.size()));
    for (std::size_t i = 0; i < starts.size(); ++i) {
      auto node = children->GetItem(int(i));
      const auto [line, pos] = CountedPosition(text, starts[i]);
      ASSERT_EQ(std::make_pair(node->SourceLine(), node->SourcePos()), std::make_pair(line, pos))
          << "round " << round << ", node " << i;
    }
    Parse(text, true);  // the streams with small buffers must agree
  }
}

TEST_F(Parser, ErrorPositionsCountLinesTheSameWay) {
  EXPECT_EQ(Parse("<a>\r\n<b>\r\n<c x=1/>"), AtPosition(msg::kStringConstantExpected, 2, 6));
  EXPECT_EQ(Parse("<a>\n\n<c x=1/>"), AtPosition(msg::kStringConstantExpected, 2, 6));
  EXPECT_EQ(Parse("<a>\r\r<c x=1/>"), AtPosition(msg::kStringConstantExpected, 2, 6));
  EXPECT_EQ(Parse("<a>\n\r<c x=1/>"), AtPosition(msg::kStringConstantExpected, 2, 6));
  EXPECT_EQ(Parse("<a>\r\n\n<c x=1/>"), AtPosition(msg::kStringConstantExpected, 2, 6));
  // The first character is never counted, so a leading break does not start a line.
  EXPECT_EQ(Parse("\n<c x=1/>"), AtPosition(msg::kStringConstantExpected, 0, 6));
  EXPECT_EQ(Parse("\n\n<c x=1/>"), AtPosition(msg::kStringConstantExpected, 1, 6));
  EXPECT_EQ(Parse("\r\n<c x=1/>"), AtPosition(msg::kStringConstantExpected, 1, 6));
  // At the end of the input the position is that of the last character.
  EXPECT_EQ(Parse("<a>\r\n"), Expected("/", 1, 0));
  EXPECT_EQ(Parse("<a>\r\nxy"), Expected("/", 1, 2));
}

// An error on the fifth line is reported on line 4 (counted from 0) whichever line ends the
// file uses, mixed ones included; blank lines count.
TEST_F(Parser, EveryKindOfLineEndCountsEachBlankLine) {
  const std::string error = AtPosition(msg::kStringConstantExpected, 4, 6);
  EXPECT_EQ(Parse("<r>\n\n\n\n<b x=1/>\n</r>"), error);
  EXPECT_EQ(Parse("<r>\r\n\r\n\r\n\r\n<b x=1/>\r\n</r>"), error);
  EXPECT_EQ(Parse("<r>\r\r\r\r<b x=1/>\r</r>"), error);
  EXPECT_EQ(Parse("<r>\n\r\n\r\n\n<b x=1/>\n</r>"), error);
  EXPECT_EQ(Parse("<r>\r\n\n\r\r\n<b x=1/>\n</r>"), error);
}

TEST_F(Parser, FailedParseKeepsWhatWasRead) {
  auto document = MakeXmlDocument();
  EXPECT_NE(ErrorOf([&] { document->LoadXML("<r><a/><b x='1' y=2/></r>"); }), "");
  // The element being read stays, with the attributes read before the failure.
  EXPECT_EQ(OutlineChildren(*document), "r{a b[x=1]}");
  EXPECT_NE(ErrorOf([&] { document->LoadXML("<?t abc"); }), "");
  EXPECT_EQ(OutlineChildren(*document), "?t\"\"");
}

std::string Nested(int depth, std::string_view innermost = "") {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<e>";
  text += innermost;
  for (int i = 0; i < depth; ++i) text += "</e>";
  return text;
}

TEST_F(Parser, NestingIsLimited) {
  auto document = MakeXmlDocument();
  document->LoadXML(Nested(kMaxXmlDepth));
  EXPECT_EQ(document->GetDocumentElement()->GetNodeName(), "e");
  document->LoadXML(Nested(kMaxXmlDepth - 1, "<e/>"));
  // One level more fails where that element's name begins.
  const int column = 3 * kMaxXmlDepth + 1;
  const std::string tooDeep = FormatText(msg::kNestingTooDeep, {kMaxXmlDepth, 0, column});
  EXPECT_EQ(ErrorOf([&] { document->LoadXML(Nested(kMaxXmlDepth + 1)); }), tooDeep);
  EXPECT_EQ(ErrorOf([&] { document->LoadXML(Nested(kMaxXmlDepth, "<e/>")); }), tooDeep);
  // Depth is nesting, not the number of elements.
  std::string siblings = "<r>";
  for (int i = 0; i < 3 * kMaxXmlDepth; ++i) siblings += "<e><f/></e>";
  document->LoadXML(siblings + "</r>");
  EXPECT_EQ(document->GetDocumentElement()->GetChildNodes()->GetCount(), 3 * kMaxXmlDepth);
}

TEST_F(Parser, StreamsYieldingLessThanAnnouncedFail) {
  TMemoryStream stream("<a>text</a>", 100);
  auto document = MakeXmlDocument();
  EXPECT_EQ(ErrorOf([&] { document->Load(stream); }), msg::kStreamReadError);
  // Also when the shortfall comes at a later buffer refill.
  TMemoryStream longer(std::string(100000, ' ') + "<a/>", 200000);
  EXPECT_EQ(ErrorOf([&] { document->Load(longer); }), msg::kStreamReadError);
}

}  // namespace
