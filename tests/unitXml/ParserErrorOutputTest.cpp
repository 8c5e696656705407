// The error box and the error log, which work only while authoring.

#include <filesystem>

#include "ParserFixture.h"
#include "XmlDom/XmlDateTime.h"
#include "XmlDom/XmlDom.h"
#include "common/Messages.h"

using namespace xmldom;

namespace {

using testing_support::ReadWholeFile;
using testing_support::ScratchFolder;
using testing_support::TakeCapturedBoxes;

const std::string kNoCurrentNode(msg::kNoCurrentNode.View());

class AuthoringTest : public ParserTest {
 protected:
  void SetUp() override {
    ParserTest::SetUp();
    if (HasFatalFailure()) return;
    Stop();
    Start("Author");
  }
  // A failure that records kNoCurrentNode.
  void Fail() { ASSERT_EQ(Call("childCount"), "0"); }
};

TEST_F(AuthoringTest, EachFailureShowsABoxBeforeTheMethodReturns) {
  Call("errorDialog", {I(1)});
  EXPECT_EQ(Call("loadFromText", {S("<a>")}), "0");
  const auto boxes = TakeCapturedBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Caption, "Error");
  EXPECT_EQ(boxes[0].Text, ErrorMsg());
  Fail();
  Fail();
  EXPECT_EQ(TakeCapturedBoxes().size(), 2u);
  Call("errorDialog", {I(0)});
  Fail();
  EXPECT_TRUE(TakeCapturedBoxes().empty());
}

TEST_F(AuthoringTest, BoxComesFirstThenTheLogEntry) {
  const std::string log = ScratchFolder("order") + "/errors.log";
  bool logWrittenBeforeBox = true;
  platform::SetProcessDesktop(
      {.Box = [&](std::string_view,
                  std::string_view) { logWrittenBeforeBox = std::filesystem::exists(log); },
       .Clock = {}});
  Call("errorDialog", {I(1)});
  Call("errorLog", {S(log), I(1)});
  Fail();
  EXPECT_FALSE(logWrittenBeforeBox);
  EXPECT_NE(ReadWholeFile(log).find(kNoCurrentNode), std::string::npos);
}

TEST_F(AuthoringTest, LogIsCreatedThenAppendedToLineByLine) {
  const std::string log = ScratchFolder("twice") + "/errors.log";
  fixedTime = platform::TLocalDateTime{2026, 7, 3, 14, 5, 9, 250};
  Call("errorLog", {S(log), I(1)});
  Fail();
  EXPECT_EQ(ReadWholeFile(log), "07.03.2026 14:05:09\t" + kNoCurrentNode + "\r\n");
  fixedTime = platform::TLocalDateTime{2026, 12, 31, 9, 0, 0, 0};
  EXPECT_EQ(Call("getIntAttr", {S("a")}), "0");  // no node: nothing recorded, nothing logged
  EXPECT_EQ(Call("loadFromText", {S("<a>")}), "0");
  EXPECT_EQ(ReadWholeFile(log), "07.03.2026 14:05:09\t" + kNoCurrentNode +
                                    "\r\n12.31.2026 09:00:00\t" + ErrorMsg() + "\r\n");
  EXPECT_TRUE(TakeCapturedBoxes().empty());
}

TEST_F(AuthoringTest, MidnightEntriesHoldOnlyTheDate) {
  const std::string log = ScratchFolder("midnight") + "/errors.log";
  fixedTime = platform::TLocalDateTime{2027, 1, 2, 0, 0, 0, 999};
  Call("errorLog", {S(log), I(1)});
  Fail();
  EXPECT_EQ(ReadWholeFile(log), "01.02.2027\t" + kNoCurrentNode + "\r\n");
}

TEST_F(AuthoringTest, MessagesWithLineBreaksSpanLines) {
  const std::string folder = ScratchFolder("breaks");
  Call("errorLog", {S(folder + "/errors.log"), I(1)});
  fixedTime = platform::TLocalDateTime{2026, 3, 4, 5, 6, 7, 0};
  EXPECT_EQ(Call("loadFromFile", {S(folder + "/two\r\nlines.xml")}), "0");
  const std::string message = ErrorMsg();
  EXPECT_NE(message.find("two\r\nlines.xml"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(folder + "/errors.log"), "03.04.2026 05:06:07\t" + message + "\r\n");
}

TEST_F(AuthoringTest, LogSwitchedOffKeepsTheNameForLater) {
  const std::string folder = ScratchFolder("switch");
  Call("errorLog", {S(folder + "/x.log"), I(0)});
  Fail();
  Call("errorLog", {S(folder + "/y.log"), I(1)});
  Fail();
  EXPECT_FALSE(std::filesystem::exists(folder + "/x.log"));
  EXPECT_NE(ReadWholeFile(folder + "/y.log").find(kNoCurrentNode), std::string::npos);
}

TEST_F(AuthoringTest, UnwritableLogsLoseTheEntryQuietly) {
  const std::string folder = ScratchFolder("unwritable");
  Call("errorLog", {S(folder + "/missing/errors.log"), I(1)});
  Fail();
  EXPECT_EQ(ErrorMsg(), kNoCurrentNode);
  EXPECT_FALSE(std::filesystem::exists(folder + "/missing"));
  // A log name that is a folder, and an empty name: nothing written anywhere.
  const auto before = std::distance(std::filesystem::directory_iterator("."), {});
  for (const std::string& name : {folder, std::string()}) {
    Call("errorLog", {S(name), I(1)});
    EXPECT_EQ(Call("loadFromText", {S("<a>")}), "0");
    EXPECT_NE(ErrorMsg(), "");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), before);
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// The log's date formats become the library's for good: a date value read as text afterwards
// is written the way the log writes dates.
TEST_F(AuthoringTest, LoggingSetsTheLibrarysDateFormats) {
  const std::string folder = ScratchFolder("formats");
  TXmlDateTime when = 0;
  ASSERT_TRUE(EncodeXmlDateTime({2026, 7, 3, 14, 5, 9}, when));
  const Ref<IXmlDocument> document = MakeXmlDocument("r");
  document->GetDocumentElement()->SetDateAttr("d", when);
  document->SaveAsBinary(folder + "/dated.bxml", 0);
  ASSERT_EQ(Call("loadFromFile", {S(folder + "/dated.bxml")}), "1") << ErrorMsg();
  EXPECT_EQ(Text("getTextAttr", {S("d")}), LocaleDateTimeToText(when, XmlLocale()));
  Call("errorLog", {S(folder + "/errors.log"), I(1)});
  EXPECT_EQ(Call("nodeCount", {S("*")}), "0");
  EXPECT_EQ(Text("getTextAttr", {S("d")}), "07.03.2026 14:05:09");
}

TEST_F(AuthoringTest, RunModeIsComparedWithoutRegardToCase) {
  for (const char* mode : {"author", "AUTHOR", "Author"}) {
    Stop();
    Start(mode);
    Call("errorDialog", {I(1)});
    Fail();
    EXPECT_EQ(TakeCapturedBoxes().size(), 1u) << mode;
  }
  for (const char* mode : {"Projector", "Authoring", "", "Shockwave"}) {
    Stop();
    Start(mode);
    Call("errorDialog", {I(1)});
    Fail();
    EXPECT_TRUE(TakeCapturedBoxes().empty()) << mode;
  }
}

TEST_F(ParserTest, ProjectorsNeverShowOrLog) {
  const std::string log = ScratchFolder("projector") + "/x.log";
  Call("errorDialog", {I(1)});
  Call("errorLog", {S(log), I(1)});
  EXPECT_EQ(Call("loadFromText", {S("<a>")}), "0");
  EXPECT_NE(ErrorMsg(), "");
  EXPECT_TRUE(TakeCapturedBoxes().empty());
  EXPECT_FALSE(std::filesystem::exists(log));
}

}  // namespace
