// zelxml: each command, its options and its exit statuses, and output files that are either
// complete or not written at all.
#include "ZelXml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ConvertProgress.h"
#include "SourcePosition.h"
#include "XmlDom/BinXmlReader.h"
#include "XmlDom/XmlDom.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "common/RecordDocument.h"
#include "common/TestSupport.h"
#include "platform/File.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#endif

using namespace xmldom;

using testing_support::ReadWholeFile;
using testing_support::ScratchFolder;
using testing_support::WriteWholeFile;

namespace {

struct TRun {
  int Status;
  std::string Out, Err;
};

// A run whose console reads the encoding.
TRun RunIn(platform::TTextEncoding encoding, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunZelXml(args, {out, err, encoding});
  return {status, out.str(), err.str()};
}

// A run whose console reads the library's own bytes.
TRun Zelxml(const std::vector<std::string>& args) {
  return RunIn(platform::TTextEncoding::Cp1251, args);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ZelXml : public ::testing::Test {
 protected:
  std::string folder_ =
      ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  std::string Write(const std::string& name, const std::string& content) const {
    WriteWholeFile(Path(name), content);
    return Path(name);
  }
};

std::string GetXmlOf(const std::string& text, bool keepWhitespace = false) {
  auto document = MakeXmlDocument();
  document->SetKeepWhitespace(keepWhitespace);
  document->LoadXML(text);
  return document->GetXML();
}

// How many times text holds piece.
std::size_t Occurrences(std::string_view text, std::string_view piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string_view::npos;
       at = text.find(piece, at + piece.size()))
    ++count;
  return count;
}

TEST_F(ZelXml, CheckReportsEveryFileOnOneLineWhereEditorsFindIt) {
  const std::string good = Write("good.xml", "<a><b/></a>");
  const std::string bad = Write("bad.xml", "<a>\r\n<b x=1/></a>");
  const std::string first = Write("first.xml", "<a x=1/>");
  const std::string binary = Write("bad.bin", std::string(kBinXmlSignature) + "\x01");
  const std::string empty = Write("empty.xml", "");
  const std::string comment = Write("comment.xml", "<!-- nothing else -->");
  const std::string missing = Path("none.xml");
  const TRun run = Zelxml({"check", bad, good, first, binary, empty, comment, missing});
  EXPECT_EQ(run.Status, kZelXmlFailed);
  EXPECT_EQ(run.Out, good + ": ok\n");
  // The parser's own message after the place, without the file name a load adds: its
  // (line 1, position 6) is the sixth character of the second line, and on the first line
  // position 5 is column 6.
  const std::vector<std::string> lines = Lines(run.Err);
  ASSERT_EQ(lines.size(), 6u) << run.Err;
  EXPECT_EQ(lines[0], bad + ":2:6: " + FormatText(msg::kStringConstantExpected, {1, 6}));
  EXPECT_EQ(lines[1], first + ":1:6: " + FormatText(msg::kStringConstantExpected, {0, 5}));
  EXPECT_EQ(lines[2], binary + ": " + std::string(msg::kDataReadError.View())) << "no place";
  EXPECT_EQ(lines[3], empty + ": no document element");
  EXPECT_EQ(lines[4], comment + ": no document element");
  EXPECT_EQ(lines[5].rfind(missing + ": cannot open: ", 0), 0u) << lines[5];
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(Occurrences(lines[i], "scratch"), 1u) << "the file named once: " << lines[i];
  EXPECT_EQ(Zelxml({"check", good, good}).Status, kZelXmlOk);
}

TEST_F(ZelXml, ADashIsTheStandardInput) {
  std::ostringstream out, err;
  std::string input = "<a>\n<b x=1/></a>";
  TZelXmlOutput output{out, err, platform::TTextEncoding::Cp1251};
  output.ReadStandardInput = [&] { return input; };
  EXPECT_EQ(RunZelXml({"check", "-"}, output), kZelXmlFailed);
  EXPECT_EQ(err.str(), "<stdin>:2:6: " + FormatText(msg::kStringConstantExpected, {1, 6}) + "\n");
  input = "<a><b/></a>";
  EXPECT_EQ(RunZelXml({"dump", "-"}, output), kZelXmlOk);
  EXPECT_EQ(out.str(), "document\n  element a\n    element b\n");
  EXPECT_EQ(RunZelXml({"convert", "-", Path("out.bin"), "--binary"}, output), kZelXmlOk);
  EXPECT_EQ(GetXmlOf(ReadWholeFile(Path("out.bin"))), GetXmlOf(input));
  input = "<a>";
  err.str("");
  EXPECT_EQ(RunZelXml({"dump", "-"}, output), kZelXmlFailed);
  EXPECT_EQ(
      err.str(),
      FormatText(msg::kWithFileName, {FormatText(msg::kExpected, {"/", 0, 2}), "<stdin>"}) + "\n");
}

TEST_F(ZelXml, HelpAndVersionAsEveryToolHasThem) {
  for (const char* help : {"-h", "--help", "help"}) {
    const TRun run = Zelxml({help});
    EXPECT_EQ(run.Status, kZelXmlOk) << help;
    EXPECT_EQ(run.Out.rfind("usage: zelxml", 0), 0u) << help;
  }
  EXPECT_EQ(Zelxml({"check", "-h"}).Out.rfind("usage: zelxml check", 0), 0u);
  EXPECT_EQ(Zelxml({"convert", "-h"}).Out.rfind("usage: zelxml convert", 0), 0u);
  const TRun version = Zelxml({"--version"});
  EXPECT_EQ(version.Status, kZelXmlOk);
  EXPECT_EQ(version.Out, "zelxml (zelXML) " ZEL_PROJECT_VERSION "\n");
  EXPECT_EQ(Zelxml({"check", "-x"}).Status, kZelXmlUsage) << "a dash and a letter is an option";
}

TEST_F(ZelXml, MessagesReachTheConsoleInItsEncodingAndNamesAsTyped) {
  // A name in UTF-8 stays as typed inside the converted message.
  const std::string bad = Write("\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB.xml", "<a>\n<b x=1/></a>");
  const std::string russian =
      "\xD0\x9E\xD0\xB6\xD0\xB8\xD0\xB4\xD0\xB0\xD0\xB5\xD1\x82"
      "\xD1\x81\xD1\x8F";  // "Ожидается" in UTF-8
  const TRun utf8 = Zelxml({"--utf8", "check", bad});
  EXPECT_EQ(utf8.Status, kZelXmlFailed);
  EXPECT_EQ(utf8.Err.rfind(bad + ":2:6: " + russian, 0), 0u) << utf8.Err;
  const TRun dump = Zelxml({"--utf8", "dump", bad});
  EXPECT_EQ(dump.Err.rfind(russian, 0), 0u) << dump.Err;
  EXPECT_TRUE(dump.Err.ends_with(" (" + bad + ")\n")) << dump.Err;
  // The console's encoding is the default; --raw gives the library's bytes.
  EXPECT_EQ(RunIn(platform::TTextEncoding::Utf8, {"check", bad}).Err, utf8.Err);
  const TRun raw = RunIn(platform::TTextEncoding::Utf8, {"check", bad, "--raw"});
  EXPECT_EQ(raw.Err, bad + ":2:6: " + FormatText(msg::kStringConstantExpected, {1, 6}) + "\n");
  EXPECT_EQ(Zelxml({"--utf8", "--raw", "check", bad}).Status, kZelXmlUsage);
  // An outline's texts are the library's text too.
  const std::string cyrillic = Write("cyrillic.xml", "<a>\xC4\xE0</a>");  // "Да" in windows-1251
  EXPECT_EQ(Zelxml({"dump", cyrillic, "--utf8"}).Out,
            "document\n  element a\n    text \"\xD0\x94\xD0\xB0\" (256)\n");
}

TEST(SourcePosition, ParserPlacesBecomeEditorPlaces) {
  const auto at = [](std::string_view message, std::string_view file = {}) {
    const std::optional<TSourcePosition> position = MessagePosition(message, file);
    return position ? std::to_string(position->Line) + ":" + std::to_string(position->Column)
                    : std::string("none");
  };
  EXPECT_EQ(at(FormatText(msg::kExpected, {"/", 0, 0})), "1:1");
  EXPECT_EQ(at(FormatText(msg::kExpected, {"/", 4, 9})), "5:9");
  EXPECT_EQ(at(FormatText(msg::kExpected, {"/", 4, 0})), "5:1") << "the line break itself";
  EXPECT_EQ(at(FormatText(msg::kNestingTooDeep, {1000, 2, 7})), "3:7");
  EXPECT_EQ(at(msg::kElementNotFinished.View()), "none");
  EXPECT_EQ(at(msg::kDataReadError.View()), "none");
  // A file name that looks like a place is not taken for one.
  const std::string odd = FormatText(msg::kExpected, {"x", 8, 8}) + ".xml";
  EXPECT_EQ(at(FormatText(msg::kWithFileName, {msg::kElementNotFinished.View(), odd}), odd),
            "none");
  EXPECT_EQ(at(FormatText(msg::kWithFileName, {FormatText(msg::kExpected, {"/", 1, 2}), odd}), odd),
            "2:2");
}

TEST_F(ZelXml, TextToBinaryAndBackGivesTheOriginalsXml) {
  const std::string text = testing_support::GenerateRecordDocument(200000);
  const std::string in = Write("records.xml", text);
  ASSERT_EQ(Zelxml({"convert", in, Path("records.bin"), "--binary"}).Status, kZelXmlOk);
  ASSERT_EQ(Zelxml({"convert", in, Path("wide.bin"), "--utf16", "--binary"}).Status, kZelXmlOk);
  EXPECT_EQ(ReadWholeFile(Path("records.bin")).substr(0, kBinXmlSignature.size()),
            kBinXmlSignature);
  EXPECT_NE(ReadWholeFile(Path("records.bin")), ReadWholeFile(Path("wide.bin")));
  ASSERT_EQ(Zelxml({"convert", Path("records.bin"), Path("back.xml")}).Status, kZelXmlOk);
  ASSERT_EQ(Zelxml({"convert", Path("wide.bin"), Path("wide.xml"), "--indented"}).Status,
            kZelXmlOk);
  EXPECT_EQ(ReadWholeFile(Path("back.xml")), GetXmlOf(text));
  EXPECT_EQ(ReadWholeFile(Path("wide.xml")), GetXmlOf(text));
}

// The MIME database of the system, where there is one.
TEST_F(ZelXml, TheSharedMimeDatabaseRoundTrips) {
  const std::string mime = "/usr/share/mime/packages/freedesktop.org.xml";
  const std::string text = ReadWholeFile(mime);
  if (text.empty()) GTEST_SKIP() << mime << " is not installed";
  ASSERT_EQ(Zelxml({"convert", mime, Path("mime.bin"), "--binary"}).Status, kZelXmlOk);
  ASSERT_EQ(Zelxml({"convert", Path("mime.bin"), Path("mime.xml")}).Status, kZelXmlOk);
  EXPECT_EQ(ReadWholeFile(Path("mime.xml")), GetXmlOf(text));
}

TEST_F(ZelXml, CompactKeepsTheTextAsItStands) {
  const std::string text = "<?xml version=\"1.0\"?>\r\n<r>\n  <a  x='1'>t &amp; u</a>\n</r>";
  const std::string in = Write("in.xml", text);
  ASSERT_EQ(Zelxml({"convert", in, Path("compact.xml"), "--compact"}).Status, kZelXmlOk);
  EXPECT_EQ(ReadWholeFile(Path("compact.xml")),
            "<?xml version=\"1.0\"?>\r\n<r>\n  <a x=\"1\">t &amp; u</a>\n</r>");
  // Through binary XML the whitespace stays too.
  ASSERT_EQ(Zelxml({"convert", in, Path("compact.bin"), "--binary", "--compact"}).Status,
            kZelXmlOk);
  ASSERT_EQ(Zelxml({"convert", Path("compact.bin"), Path("again.xml"), "--compact"}).Status,
            kZelXmlOk);
  EXPECT_EQ(ReadWholeFile(Path("again.xml")), ReadWholeFile(Path("compact.xml")));
  ASSERT_EQ(Zelxml({"convert", in, Path("indented.xml")}).Status, kZelXmlOk);
  EXPECT_EQ(ReadWholeFile(Path("indented.xml")),
            "<?xml version=\"1.0\"?>\r\n<r>\r\n\t<a x=\"1\">t &amp; u</a>\r\n</r>");
}

TEST_F(ZelXml, FailedConversionsLeaveTheOutputAsItWas) {
  const std::string out = Write("out.xml", "earlier content");
  const std::string bad = Write("bad.xml", "<a><b></a>");
  const TRun run = Zelxml({"convert", bad, out});
  EXPECT_EQ(run.Status, kZelXmlFailed);
  EXPECT_NE(run.Err.find(bad), std::string::npos);
  EXPECT_EQ(ReadWholeFile(out), "earlier content");
  // A folder is not written over: the failure names the output as typed and the reason.
  const std::string good = Write("good.xml", "<a/>");
  std::filesystem::create_directory(Path("folder"));
  const TRun onFolder = Zelxml({"convert", good, Path("folder")});
  EXPECT_EQ(onFolder.Status, kZelXmlFailed);
  EXPECT_EQ(onFolder.Err.rfind("zelxml: cannot write " + Path("folder") + ": ", 0), 0u)
      << onFolder.Err;
  EXPECT_TRUE(std::filesystem::is_empty(Path("folder")));
  // A conversion onto an existing file replaces it whole, and leaves nothing beside it.
  ASSERT_EQ(Zelxml({"convert", good, out}).Status, kZelXmlOk);
  EXPECT_EQ(ReadWholeFile(out), "\r\n<a/>");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            4);
}

TEST_F(ZelXml, ConvertWritesToTheStandardOutputForDash) {
  const std::string in = Write("in.xml", "<a><b/></a>");
  const TRun run = Zelxml({"convert", in, "-", "--binary"});
  EXPECT_EQ(run.Status, kZelXmlOk) << run.Err;
  auto document = MakeXmlDocument();
  document->LoadBinaryString(run.Out);
  EXPECT_EQ(document->GetXML(), GetXmlOf("<a><b/></a>"));
}

#ifndef _WIN32
namespace {
mode_t ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode;
}
}  // namespace

// What stands at OUT stays what it was: a link, a file's mode and its other names, a device.
TEST_F(ZelXml, ConvertKeepsWhatStandsAtTheOutput) {
  const std::string good = Write("good.xml", "<a/>");
  Write("target.xml", "earlier");
  ASSERT_EQ(::chmod(Path("target.xml").c_str(), 0640), 0);
  std::filesystem::create_hard_link(Path("target.xml"), Path("second.xml"));
  std::filesystem::create_symlink("target.xml", Path("link.xml"));
  ASSERT_EQ(Zelxml({"convert", good, Path("link.xml")}).Status, kZelXmlOk);
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.xml")));
  EXPECT_EQ(ReadWholeFile(Path("second.xml")), "\r\n<a/>");
  EXPECT_EQ(std::filesystem::hard_link_count(Path("target.xml")), 2u);
  EXPECT_EQ(ModeOf(Path("target.xml")) & 07777, 0640u);
  if (::geteuid() != 0) GTEST_SKIP() << "making a device node needs root";
  // Made here, in the test's own folder: writing into it discards, as the system's does.
  ASSERT_EQ(::mknod(Path("device").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  const TRun run = Zelxml({"convert", good, Path("device")});
  EXPECT_TRUE(S_ISCHR(ModeOf(Path("device"))));
  std::filesystem::remove(Path("device"));
  if (run.Err.find(platform::SystemErrorText(EACCES)) != std::string::npos)
    GTEST_SKIP() << "the test folder's file system refuses devices";
  EXPECT_EQ(run.Status, kZelXmlOk) << run.Err;
}
#endif

// The text that the module's getText gives for the document element of the file.
std::string TextOf(const std::string& path) {
  auto document = MakeXmlDocument();
  document->Load(path);
  return document->GetDocumentElement() ? std::string(document->GetDocumentElement()->GetText())
                                        : "(no element)";
}

TEST_F(ZelXml, UnicodeDocumentsBecomeWhatTheModuleReadsAsIntended) {
  // "Привет, мир" and an emoji in UTF-8, with a byte-order mark and a declaration.
  const std::string in = Write("utf8.xml",
                               "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<p>"
                               "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, "
                               "\xD0\xBC\xD0\xB8\xD1\x80 \xF0\x9F\x98\x80</p>");
  const std::string privet = "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0 ?";
  const TRun text = Zelxml({"convert", in, Path("out.xml"), "--from", "utf-8"});
  EXPECT_EQ(text.Status, kZelXmlOk) << text.Err;
  EXPECT_EQ(text.Err, "zelxml convert: 1 character not in windows-1251 written as \"?\"\n");
  EXPECT_EQ(TextOf(Path("out.xml")), privet);
  EXPECT_EQ(ReadWholeFile(Path("out.xml")),
            "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<p>" + privet + "</p>");
  const TRun binary = Zelxml({"convert", in, Path("out.bin"), "--from=auto", "--binary"});
  EXPECT_EQ(binary.Status, kZelXmlOk) << binary.Err;
  EXPECT_EQ(TextOf(Path("out.bin")), privet);
  // Without --from the bytes pass as the module reads them: the mark is a text node.
  ASSERT_EQ(Zelxml({"convert", in, Path("raw.xml")}).Status, kZelXmlOk);
  EXPECT_NE(TextOf(Path("raw.xml")), privet);
  // Binary input has no encoding to read: it converts as it is.
  EXPECT_EQ(Zelxml({"convert", Path("out.bin"), Path("again.xml"), "--from", "utf-16"}).Status,
            kZelXmlOk);
  EXPECT_EQ(TextOf(Path("again.xml")), privet);
}

TEST_F(ZelXml, TextNotInItsEncodingConvertsToNothing) {
  const std::string out = Write("out.xml", "earlier content");
  const std::string cp1251 = Write("cp1251.xml", "<p>\n\xCF\xF0\xE8</p>");
  const TRun run = Zelxml({"convert", cp1251, out, "--from", "utf-8"});
  EXPECT_EQ(run.Status, kZelXmlFailed);
  EXPECT_EQ(run.Err, "zelxml convert: " + cp1251 + ": not UTF-8 (byte 0xCF) at line 2, column 1\n");
  EXPECT_EQ(ReadWholeFile(out), "earlier content");
  EXPECT_EQ(Zelxml({"convert", cp1251, out, "--from", "latin-1"}).Status, kZelXmlUsage);
  EXPECT_EQ(Zelxml({"convert", cp1251, out, "--from"}).Status, kZelXmlUsage);
  // A parse failure of the converted text names the input as loads do, and its place counts
  // characters, not the bytes of UTF-8.
  const std::string broken = Write("broken.xml", "<p>\xD0\x9F</q>");
  const TRun parse = Zelxml({"convert", broken, out, "--from", "auto"});
  EXPECT_EQ(parse.Status, kZelXmlFailed);
  EXPECT_EQ(
      parse.Err,
      FormatText(msg::kWithFileName, {FormatText(msg::kExpected, {"p", 0, 6}), broken}) + "\n");
}

TEST_F(ZelXml, LongConversionsShowProgressOnATerminalOnly) {
  const std::string big =
      Write("big.xml", "<r>" + std::string(std::size_t(kProgressMinimumBytes), 'x') + "</r>");
  const std::string small = Write("small.xml", "<r/>");
  const auto convert = [&](const std::string& in, bool terminal) {
    std::ostringstream out, err;
    const int status = RunZelXml({"convert", in, Path("out.bin"), "--binary"},
                                 {out, err, platform::TTextEncoding::Cp1251, terminal});
    EXPECT_EQ(status, kZelXmlOk) << err.str();
    return err.str();
  };
  const std::string shown = convert(big, true);
  EXPECT_NE(shown.find("\rzelxml convert: reading " + big + " 0%"), std::string::npos);
  EXPECT_NE(shown.find("\rzelxml convert: reading " + big + " 100%"), std::string::npos);
  EXPECT_NE(shown.find("\rzelxml convert: writing " + Path("out.bin") + " 8 MB"),
            std::string::npos);
  // The line is blanked at the end, so the prompt that follows starts clean.
  const std::size_t last = shown.rfind('\r', shown.size() - 2);
  ASSERT_NE(last, std::string::npos);
  EXPECT_EQ(shown.substr(last + 1).find_first_not_of(' '), shown.size() - last - 2);
  EXPECT_EQ(shown.back(), '\r');
  EXPECT_EQ(convert(big, false), "");
  EXPECT_EQ(convert(small, true), "");
}

TEST_F(ZelXml, DumpShowsNodesAttributesAndTypedValues) {
  auto document = MakeXmlDocument("r", "1.0");
  auto root = document->GetDocumentElement();
  root->SetIntAttr("n", 5);
  root->AddChildComment(" c ");
  root->AddChildElement("v")->SetNodeValue(XmlValue::FromFloat64(2.5));
  root->AddChildText("a\tb\"");
  root->AddChildCDATA("<x>");
  root->AddChildInstruction("t", " d");
  const std::string in = Path("typed.bin");
  document->SaveAsBinary(in, 0);
  const TRun run = Zelxml({"dump", in});
  EXPECT_EQ(run.Status, kZelXmlOk);
  EXPECT_EQ(run.Out,
            "document\n"
            "  pi xml \"version=\\\"1.0\\\" encoding=\\\"windows-1251\\\"\"\n"
            "  element r\n"
            "    @n = \"5\" (3)\n"
            "    comment \" c \"\n"
            "    element v = \"2.5\" (5)\n"
            "    text \"a\\tb\\\"\" (256)\n"
            "    cdata \"<x>\"\n"
            "    pi t \" d\"\n");
  EXPECT_EQ(Zelxml({"dump", Write("ws.xml", "<a> </a>"), "--compact"}).Out,
            "document\n  text \"\" (256)\n  element a\n    text \" \" (256)\n");
}

TEST_F(ZelXml, UsageErrorsAndHelp) {
  const std::string in = Write("in.xml", "<a/>");
  EXPECT_EQ(Zelxml({}).Status, kZelXmlUsage);
  EXPECT_EQ(Zelxml({"frobnicate"}).Status, kZelXmlUsage);
  EXPECT_EQ(Zelxml({"check"}).Status, kZelXmlUsage);
  EXPECT_EQ(Zelxml({"dump"}).Status, kZelXmlUsage);
  EXPECT_EQ(Zelxml({"convert", in}).Status, kZelXmlUsage);
  EXPECT_NE(Zelxml({"convert", in}).Err.find("needs IN and OUT, 1 file name given"),
            std::string::npos);
  EXPECT_NE(Zelxml({"check", in, "--quick"}).Err.find("unknown option \"--quick\""),
            std::string::npos);
  EXPECT_NE(Zelxml({"dump", in, in}).Err.find("needs one FILE"), std::string::npos);
  EXPECT_EQ(Zelxml({"convert", in, Path("o"), "--fast"}).Status, kZelXmlUsage);
  EXPECT_EQ(Zelxml({"convert", in, Path("o"), "--utf16"}).Status, kZelXmlUsage);
  EXPECT_EQ(Zelxml({"convert", in, Path("o"), "--compact", "--indented"}).Status, kZelXmlUsage);
  EXPECT_FALSE(std::filesystem::exists(Path("o")));
  for (const char* command : {"check", "convert", "dump"}) {
    const TRun help = Zelxml({command, "--help"});
    EXPECT_EQ(help.Status, kZelXmlOk);
    EXPECT_EQ(help.Out.rfind(std::string("usage: zelxml ") + command, 0), 0u) << command;
  }
  EXPECT_EQ(Zelxml({"--help"}).Status, kZelXmlOk);
}

}  // namespace
