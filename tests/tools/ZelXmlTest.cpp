// zelxml: each command, its options and its exit statuses, and output files that are either
// complete or not written at all.
#include "ZelXml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ReplacingOutput.h"
#include "XmlDom/BinXmlReader.h"
#include "XmlDom/XmlDom.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "common/RecordDocument.h"
#include "common/TestSupport.h"

using namespace xmldom;

using testing_support::ReadWholeFile;
using testing_support::ScratchFolder;
using testing_support::WriteWholeFile;

namespace {

struct TRun {
  int Status;
  std::string Out, Err;
};

TRun Zelxml(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunZelXml(args, out, err);
  return {status, out.str(), err.str()};
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

TEST_F(ZelXml, CheckReportsEachFileAndStopsAtTheFirstFailure) {
  const std::string good = Write("good.xml", "<a><b/></a>");
  const std::string bad = Write("bad.xml", "<a>\r\n<b x=1/></a>");
  const std::string later = Write("later.xml", "<a/>");
  const TRun run = Zelxml({"check", good, bad, later});
  EXPECT_EQ(run.Status, kZelXmlFailed);
  EXPECT_EQ(run.Out, good + ": ok\n");
  // The parser's message with its line and position, and the file's name.
  EXPECT_EQ(run.Err, FormatText(msg::kWithFileName,
                                {FormatText(msg::kStringConstantExpected, {1, 6}), bad}) +
                         "\n");
  EXPECT_EQ(Zelxml({"check", good, later}).Status, kZelXmlOk);
  const TRun missing = Zelxml({"check", Path("none.xml")});
  EXPECT_EQ(missing.Status, kZelXmlFailed);
  EXPECT_NE(missing.Err.find("Cannot open file"), std::string::npos);
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
  // The rename onto a folder fails after the whole output was written: the temporary file goes.
  const std::string good = Write("good.xml", "<a/>");
  std::filesystem::create_directory(Path("folder"));
  EXPECT_EQ(Zelxml({"convert", good, Path("folder")}).Status, kZelXmlFailed);
  EXPECT_TRUE(std::filesystem::is_directory(Path("folder")));
  EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(Path("folder"))));
  // A conversion onto an existing file replaces it whole.
  ASSERT_EQ(Zelxml({"convert", good, out}).Status, kZelXmlOk);
  EXPECT_EQ(ReadWholeFile(out), "\r\n<a/>");
  EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(out)));
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
