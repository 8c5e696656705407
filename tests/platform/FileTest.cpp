#include "platform/File.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "common/Error.h"
#include "common/TestSupport.h"

using platform::TFile;
using testing_support::ReadWholeFile;
using testing_support::ScratchFolder;
using testing_support::WriteWholeFile;

namespace {

#ifdef _WIN32
constexpr int kFileNotFound = 2;      // ERROR_FILE_NOT_FOUND
constexpr int kSharingViolation = 32;  // ERROR_SHARING_VIOLATION
constexpr int kPathNotFound = 3;      // ERROR_PATH_NOT_FOUND
constexpr int kInvalidName = 123;     // ERROR_INVALID_NAME
#else
constexpr int kInvalidName = EINVAL;
constexpr int kFileNotFound = ENOENT;
constexpr int kSharingViolation = EWOULDBLOCK;
constexpr int kPathNotFound = ENOENT;
#endif

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EXmlError& e) {
    return e.Message();
  }
  return "(nothing raised)";
}

}  // namespace

TEST(File, MissingFileNamesTheFullPathAndTheSystemText) {
  const std::string folder = ScratchFolder("missing");
  const std::string path = (std::filesystem::path(folder) / "absent.xml").string();
  const std::string text = platform::SystemErrorText(kFileNotFound);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '.');
  EXPECT_EQ(MessageOf([&] { TFile::OpenRead(path); }),
            "Cannot open file \"" + platform::FullPathName(path) + "\". " + text);
}

// The system would read such a name only up to the zero byte, and so open another file.
TEST(File, ANameHoldingAZeroByteOpensNoFile) {
  const std::string path = ScratchFolder("zero") + "/doc.xml";
  WriteWholeFile(path, "<a/>");
  const std::string named = path + std::string("\0.txt", 5);
  const std::string reason = platform::SystemErrorText(kInvalidName);
  EXPECT_EQ(platform::FullPathName(named), platform::FullPathName(path));
  EXPECT_EQ(MessageOf([&] { TFile::OpenRead(named); }),
            "Cannot open file \"" + platform::FullPathName(path) + "\". " + reason);
  EXPECT_EQ(MessageOf([&] { TFile::Create(named); }),
            "Cannot create file \"" + platform::FullPathName(path) + "\". " + reason);
  EXPECT_FALSE(platform::AppendToTextFile(named, "more"));
  EXPECT_EQ(ReadWholeFile(path), "<a/>");
}

TEST(File, ExclusiveReaderLocksOutASecondOpener) {
  const std::string path = ScratchFolder("exclusive") + "/doc.xml";
  WriteWholeFile(path, "<a/>");
  TFile first = TFile::OpenRead(path);
  const std::string message = MessageOf([&] { TFile::OpenRead(path); });
  EXPECT_EQ(message, "Cannot open file \"" + platform::FullPathName(path) + "\". " +
                         platform::SystemErrorText(kSharingViolation));
  EXPECT_NE(MessageOf([&] { TFile::Create(path); }), "(nothing raised)");
  char buffer[8] = {};
  EXPECT_EQ(first.Read(buffer, sizeof buffer), 4u);
  EXPECT_EQ(std::string(buffer), "<a/>");
}

TEST(File, CreateTruncatesWritesAndReadsBack) {
  const std::string path = ScratchFolder("create") + "/out.bin";
  WriteWholeFile(path, "old content that is longer");
  {
    TFile file = TFile::Create(path);
    EXPECT_EQ(file.Size(), 0);
    file.Write("hello", 5);
    EXPECT_EQ(file.Size(), 5);
    file.Seek(1);
    char buffer[4] = {};
    EXPECT_EQ(file.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "ello");
    EXPECT_EQ(file.Read(buffer, 4), 0u);
  }
  EXPECT_EQ(ReadWholeFile(path), "hello");
}

TEST(File, CreateInMissingFolderFails) {
  const std::string path = ScratchFolder("nofolder") + "/sub/out.xml";
  EXPECT_EQ(MessageOf([&] { TFile::Create(path); }),
            "Cannot create file \"" + platform::FullPathName(path) + "\". " +
                platform::SystemErrorText(kPathNotFound));
}

TEST(File, EmptyPathAndFolderAreRefused) {
  EXPECT_NE(MessageOf([] { TFile::OpenRead(""); }), "(nothing raised)");
  const std::string folder = ScratchFolder("folder");
  EXPECT_NE(MessageOf([&] { TFile::OpenRead(folder); }), "(nothing raised)");
  EXPECT_FALSE(platform::FileExists(folder));
  EXPECT_FALSE(platform::FileExists(""));
}

TEST(File, AppendCreatesThenAppends) {
  const std::string folder = ScratchFolder("append");
  const std::string path = folder + "/log.txt";
  EXPECT_FALSE(platform::FileExists(path));
  EXPECT_TRUE(platform::AppendToTextFile(path, "one\r\n"));
  EXPECT_TRUE(platform::FileExists(path));
  EXPECT_TRUE(platform::AppendToTextFile(path, "two\r\n"));
  EXPECT_EQ(ReadWholeFile(path), "one\r\ntwo\r\n");
  EXPECT_FALSE(platform::AppendToTextFile(folder + "/missing/log.txt", "x"));
  EXPECT_FALSE(platform::AppendToTextFile("", "x"));
}

TEST(File, FullPathResolvesAgainstTheCurrentFolder) {
  const std::filesystem::path cwd = std::filesystem::current_path();
  EXPECT_EQ(std::filesystem::path(platform::FullPathName("a/../b.xml")), cwd / "b.xml");
  EXPECT_EQ(std::filesystem::path(platform::FullPathName("./c.xml")), cwd / "c.xml");
}
