// zelXMLParser when the host fails it: Lingo scripts run through the real module with the Nth
// call into any host service failing (the allocator gives nothing, a value or list operation
// answers an error), for every N up to the number of host calls the script makes. Whatever
// fails, every call must come back, and after forget the module must hold nothing of the host.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "LingoError.h"
#include "LingoSession.h"
#include "XmlDom/XmlDocument.h"
#include "common/HostChecks.h"
#include "common/TestSupport.h"
#include "host/HostSlots.h"
#include "host/XtraHost.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"

using namespace xmldom;

namespace {

constexpr std::string_view kCatalog =
    "<catalog updated='2026-03-07'>"
    "<book id='1' price='12.5' stock='true'><title>First</title><!--c--></book>"
    "<book id='x' price='cheap' stock='maybe'><title>Second<![CDATA[ & more]]></title></book>"
    "<?note keep?></catalog>";

class HostFailureTest : public testing::Test {
 protected:
  void SetUp() override {
    previousDesktop_ = platform::SetProcessDesktop(
        {.Box = [](std::string_view caption,
                   std::string_view text) { platform::ShowMessageBox(caption, text); },
         .Clock = {}});
    host.SetRunMode("Author");
    ASSERT_TRUE(host.Load(ZELXML_MODULE)) << host.LastError();
    ASSERT_TRUE(platform::AttachModuleToDesktop(ZELXML_MODULE));
    ASSERT_EQ(host.Register(), kMoaOk) << host.LastError();
    folder = testing_support::ScratchFolder("host_failure");
    folder += char(std::filesystem::path::preferred_separator);
  }

  void TearDown() override {
    host.Faults().Clear();
    EXPECT_TRUE(host.Unload());
    platform::SetProcessDesktop(std::move(previousDesktop_));
    testing_support::TakeCapturedBoxes();
  }

  // What the script prints; a script error (a new that failed, say) ends it like Lingo would.
  std::string Run(std::string_view script) {
    std::string output;
    try {
      lingo::TLingoSession session(host, [&](std::string_view text) { output += text; },
                                   {folder, "Author", 100000});
      session.Run(script);
    } catch (const lingo::ELingoError& error) {
      output += "script error: ";
      output += error.what();
    }
    return output;
  }

  // The module holds nothing of the host once its instances are gone.
  void ExpectNothingHeld(long long failedCall) {
    SCOPED_TRACE("host call " + std::to_string(failedCall) + " failed");
    ExpectEverythingGivenBack(host);
  }

  // Runs the script once undisturbed to count its host calls, then once with each of them
  // failing; returns that count. An undisturbed run afterwards must print what the first did:
  // no failure may leave the module broken.
  long long FailEveryCall(std::string_view script) {
    Run(script);  // the first instance's one-time work stays out of the count
    const long long start = host.Faults().AllCalls();
    const std::string clean = Run(script);
    const long long calls = host.Faults().AllCalls() - start;
    EXPECT_GT(calls, 0);
    RecordProperty("host_calls", std::to_string(calls));
    for (long long n = 1; n <= calls; ++n) {
      const long long before = host.Faults().AllCalls();
      host.Faults().FailCall(n);
      Run(script);
      host.Faults().Clear();
      EXPECT_GE(host.Faults().AllCalls() - before, n) << "the failing call was never made";
      ExpectNothingHeld(n);
      if (HasFailure()) break;  // one report is enough; the rest would repeat it
    }
    testing_support::TakeCapturedBoxes();
    EXPECT_EQ(Run(script), clean);
    ExpectNothingHeld(0);
    return calls;
  }

  std::string FileInFolder(std::string_view name, std::string_view content) {
    const std::string path = folder + std::string(name);
    testing_support::WriteWholeFile(path, std::string(content));
    return path;
  }

  dxhost::TXtraHost host;
  std::string folder;

 private:
  platform::TDesktop previousDesktop_;
};

TEST_F(HostFailureTest, LoadingFromAStringAndWalkingTheTree) {
  const std::string script =
      "x = new(xtra \"zelXMLParser\")\n"
      "put x.loadFromText(\"" +
      std::string(kCatalog) +
      "\")\n"
      "n = x.childCount()\n"
      "repeat with i = 1 to n\n"
      "  put x.selectChild(i) && x.getNodeName()\n"
      "  put x.nodeCount(\"title\") && x.selectSingleNode(\"title\")\n"
      "  put x.getText() & x.getXML()\n"
      "  put x.parentNode() && x.parentNode()\n"
      "  x.startXML()\n"
      "end repeat\n"
      "put x.selectNode(\"book\", 2) && x.pathNode(\"/title/\")\n"
      "x.nextNode()\n"
      "put x.getNodeName() && x.childCount() && x.errorMsg()\n"
      "put x.loadFromText(\"<a><b></a>\") && x.isNoError() && x.errorMsg()\n";
  FailEveryCall(script);
}

TEST_F(HostFailureTest, LoadingFiles) {
  auto document = MakeXmlDocument({}, "1.0", {}, nullptr);
  document->LoadXML(kCatalog);
  const std::string text = FileInFolder("catalog.xml", kCatalog);
  const std::string binary = FileInFolder("catalog.bin", document->ToBinaryString());
  const std::string damaged = FileInFolder("damaged.xml", "<catalog><book></catalog>");
  const std::string script =
      "x = new(xtra \"zelXMLParser\")\n"
      "put x.loadFromFile(\"" +
      text +
      "\") && x.getNodeName()\n"
      "put x.loadFromFile(\"" +
      binary +
      "\") && x.childCount()\n"
      "put x.loadFromFile(\"" +
      damaged +
      "\") && x.errorMsg()\n"
      "put x.loadFromFile(\"" +
      folder + "missing.xml\") && x.errorMsg()\n";
  FailEveryCall(script);
}

TEST_F(HostFailureTest, TypedAttributes) {
  const std::string script =
      "x = new(xtra \"zelXMLParser\")\n"
      "put x.getTextAttr(\"id\") && x.getIntAttr(\"id\")\n"
      "x.loadFromText(\"" +
      std::string(kCatalog) +
      "\")\n"
      "repeat with i = 1 to 2\n"
      "  x.selectNode(\"book\", i)\n"
      "  put x.getTextAttr(\"id\") && x.getTextAttr(\"none\")\n"
      "  put x.getIntAttr(\"id\") && x.getDoubleAttr(\"price\")\n"
      "  put x.getBoolAttr(\"stock\") && x.getBoolAttr(\"none\")\n"
      "  put x.errorMsg()\n"
      "  x.parentNode()\n"
      "end repeat\n";
  FailEveryCall(script);
}

TEST_F(HostFailureTest, VersionReport) {
  FailEveryCall(
      "x = new(xtra \"zelXMLParser\")\n"
      "x.loadFromText(\"<a>\")\n"
      "v = x.xtraVersion()\n"
      "put v && x.isNoError()\n"
      "put x.xtraVersion()\n");
}

TEST_F(HostFailureTest, ListsPassedThrough) {
  FailEveryCall(
      "x = new(xtra \"zelXMLParser\")\n"
      "put x.testPL([#a: 1, #b: \"two\", #c: [3.5, #d], #e: [#f: [:]]])\n"
      "put x.testL([1, \"two\", [#k: #v], [], 2.5])\n"
      "put x.testPL([1, 2]) && x.testL([#a: 1]) && x.testL(\"no list\")\n"
      "put x.isNoError()\n");
}

TEST_F(HostFailureTest, ErrorBoxAndLogWhileAuthoring) {
  const std::string log = folder + "errors.log";
  FailEveryCall(
      "x = new(xtra \"zelXMLParser\")\n"
      "x.errorDialog(TRUE)\n"
      "x.errorLog(\"" +
      log +
      "\", TRUE)\n"
      "put x.loadFromText(\"<a\") && x.selectChild(0)\n"
      "x.errorLog(\"\", FALSE)\n"
      "put x.pathNode(\"a//b\") && x.errorMsg()\n");
}

// Two of the faults the sweeps found, pinned to the host call that shows them.
TEST_F(HostFailureTest, AListTheHostCannotMakeIsAFailureOfTheReport) {
  host.Faults().Fail(dxhost::kListsNewPropertyList);
  EXPECT_EQ(Run("x = new(xtra \"zelXMLParser\")\nput x.xtraVersion()\nput x.errorMsg()"),
            "-- <Void>\n-- \"Out of memory\"\n");
  host.Faults().Clear();
  ExpectNothingHeld(0);
}

TEST_F(HostFailureTest, AListWhoseReferenceTheHostRefusesIsNotReleased) {
  host.Faults().Fail(dxhost::kValuesValueAddRef);
  EXPECT_EQ(Run("x = new(xtra \"zelXMLParser\")\nput x.testL([1, 2])\nput x.testPL([#a: 1])"),
            "-- <Void>\n-- <Void>\n");
  host.Faults().Clear();
  ExpectNothingHeld(0);
}

// The module loaded afresh each time, so that the failing call can hit registration, the
// first instance's one-time work and the first declaration of the method table.
TEST_F(HostFailureTest, RegistrationAndFirstInstance) {
  const auto runOnce = [&](long long failCall) {
    if (!host.Unload()) return std::string("module still busy");
    EXPECT_TRUE(host.Load(ZELXML_MODULE));
    EXPECT_TRUE(platform::AttachModuleToDesktop(ZELXML_MODULE));
    host.Faults().FailCall(failCall);
    std::string output;
    if (host.Register() == kMoaOk) {
      dxhost::TXtraInstance parser = host.New("zelXMLParser");
      if (parser)
        output = host.Text(host.Call(parser, "loadFromText", {host.Values().String("<a/>")}));
    }
    host.Faults().Clear();
    return output;
  };
  const long long start = host.Faults().AllCalls();
  EXPECT_EQ(runOnce(0), "1");
  const long long calls = host.Faults().AllCalls() - start;
  EXPECT_GT(calls, 0);
  for (long long n = 1; n <= calls && !HasFailure(); ++n) {
    runOnce(n);
    ExpectNothingHeld(n);
  }
  EXPECT_EQ(runOnce(0), "1");
}

}  // namespace
