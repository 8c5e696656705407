// The careful output of the tools: the way chosen for each thing that may stand at a name, and
// what each way leaves behind, written and failed. Everything is made in the test's own scratch
// folder; device nodes only where the test may make them (as root).
#include "CarefulOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/TestSupport.h"
#include "platform/File.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#endif

using namespace careful_output;
using platform::TFileFacts;
using platform::TFileKind;
using testing_support::ReadWholeFile;
using testing_support::ScratchFolder;
using testing_support::WriteWholeFile;
namespace fs = std::filesystem;

namespace {

class CarefulOutput : public ::testing::Test {
 protected:
  std::string folder_ =
      ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  // The names in the folder; a temporary file left behind would show here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// Writes content to the output named name and makes it final; the failure's text, or "".
std::string WriteOutput(const std::string& name, const std::string& content,
                        std::ostream& standardOutput) {
  try {
    TCarefulOutput output(name, standardOutput);
    output.Write(content.data(), content.size());
    output.Commit();
  } catch (const ECannotWrite& failure) {
    return failure.what();
  }
  return "";
}

std::string WriteOutput(const std::string& name, const std::string& content) {
  std::ostringstream unused;
  return WriteOutput(name, content, unused);
}

TFileFacts Facts(TFileKind kind, std::uint64_t links = 1) {
  TFileFacts facts;
  facts.Kind = kind;
  facts.Links = links;
  return facts;
}

TEST(WriteWay, EachKindOfFileHasItsWay) {
  EXPECT_EQ(ChooseWriteWay("-", Facts(TFileKind::Missing)), TWriteWay::StandardOutput);
  EXPECT_EQ(ChooseWriteWay("-", Facts(TFileKind::Regular)), TWriteWay::StandardOutput)
      << "a file named - is reached as ./-";
  EXPECT_EQ(ChooseWriteWay("out", Facts(TFileKind::Missing)), TWriteWay::Replace);
  EXPECT_EQ(ChooseWriteWay("out", Facts(TFileKind::Regular)), TWriteWay::Replace);
  EXPECT_EQ(ChooseWriteWay("out", Facts(TFileKind::Regular, 2)), TWriteWay::InPlace);
  EXPECT_EQ(ChooseWriteWay("./-", Facts(TFileKind::Regular)), TWriteWay::Replace);
  // Nothing but a regular file is ever replaced: the rest is written into as it stands.
  for (TFileKind kind :
       {TFileKind::Device, TFileKind::Fifo, TFileKind::Socket, TFileKind::Directory}) {
    EXPECT_EQ(ChooseWriteWay("out", Facts(kind)), TWriteWay::Into) << int(kind);
    EXPECT_EQ(ChooseWriteWay("out", Facts(kind, 3)), TWriteWay::Into) << int(kind);
  }
}

TEST_F(CarefulOutput, AFileIsReplacedWholeAndNothingIsLeftBeside) {
  EXPECT_EQ(WriteOutput(Path("new.xml"), "fresh"), "");
  EXPECT_EQ(ReadWholeFile(Path("new.xml")), "fresh");
  WriteWholeFile(Path("old.xml"), "a longer earlier content");
  EXPECT_EQ(WriteOutput(Path("old.xml"), "new"), "");
  EXPECT_EQ(ReadWholeFile(Path("old.xml")), "new");
  EXPECT_EQ(Names(), (std::vector<std::string>{"new.xml", "old.xml"}));
}

TEST_F(CarefulOutput, AnOutputDroppedOrFailedLeavesTheOldFileAsItWas) {
  WriteWholeFile(Path("out.xml"), "earlier");
  {
    TCarefulOutput output(Path("out.xml"), std::cout);
    output.Write("half", 4);
  }
  EXPECT_EQ(ReadWholeFile(Path("out.xml")), "earlier");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.xml"});
  // A folder cannot be written into: the system's reason, with the name as it was given.
  fs::create_directory(Path("folder"));
  const std::string failure = WriteOutput(Path("folder"), "x");
  EXPECT_EQ(failure.rfind("cannot write " + Path("folder") + ": ", 0), 0u) << failure;
  EXPECT_GT(failure.size(), ("cannot write " + Path("folder") + ": ").size());
  EXPECT_TRUE(fs::is_directory(Path("folder")));
  EXPECT_TRUE(fs::is_empty(Path("folder")));
  // A folder on the way that does not exist.
  EXPECT_NE(WriteOutput(Path("none/out.xml"), "x"), "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "out.xml"}));
}

TEST_F(CarefulOutput, DashIsTheStandardOutput) {
  std::ostringstream standardOutput;
  const std::string bytes("a\0b\r\nc", 6);
  EXPECT_EQ(WriteOutput("-", bytes, standardOutput), "");
  EXPECT_EQ(standardOutput.str(), bytes);
  EXPECT_TRUE(Names().empty());
  std::ostringstream broken;
  broken.setstate(std::ios::badbit);
  EXPECT_EQ(WriteOutput("-", "x", broken).rfind("cannot write -: ", 0), 0u);
}

#ifndef _WIN32

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode;
}

TEST_F(CarefulOutput, AReplacedFileKeepsItsModeAndANewOneGetsTheUsualMode) {
  WriteWholeFile(Path("kept.xml"), "earlier");
  ASSERT_EQ(::chmod(Path("kept.xml").c_str(), 0640), 0);
  EXPECT_EQ(WriteOutput(Path("kept.xml"), "new"), "");
  EXPECT_EQ(ModeOf(Path("kept.xml")) & 07777, 0640u);
  EXPECT_EQ(ReadWholeFile(Path("kept.xml")), "new");
  // A read-only file is replaced as well: the folder decides, as for any renaming tool.
  ASSERT_EQ(::chmod(Path("kept.xml").c_str(), 0444), 0);
  EXPECT_EQ(WriteOutput(Path("kept.xml"), "again"), "");
  EXPECT_EQ(ModeOf(Path("kept.xml")) & 07777, 0444u);
  WriteWholeFile(Path("usual"), "");
  EXPECT_EQ(WriteOutput(Path("new.xml"), "x"), "");
  EXPECT_EQ(ModeOf(Path("new.xml")) & 07777, ModeOf(Path("usual")) & 07777);
}

TEST_F(CarefulOutput, AFileWithSeveralNamesIsWrittenInPlace) {
  WriteWholeFile(Path("one.xml"), "a content longer than the new one");
  fs::create_hard_link(Path("one.xml"), Path("two.xml"));
  ASSERT_EQ(::chmod(Path("one.xml").c_str(), 0640), 0);
  EXPECT_EQ(WriteOutput(Path("two.xml"), "new"), "");
  EXPECT_EQ(ReadWholeFile(Path("one.xml")), "new");
  EXPECT_TRUE(fs::equivalent(Path("one.xml"), Path("two.xml")));
  EXPECT_EQ(fs::hard_link_count(Path("one.xml")), 2u);
  EXPECT_EQ(ModeOf(Path("two.xml")) & 07777, 0640u);
  EXPECT_EQ(WriteOutput(Path("one.xml"), "a content longer than the old one"), "");
  EXPECT_EQ(ReadWholeFile(Path("two.xml")), "a content longer than the old one");
  EXPECT_EQ(Names(), (std::vector<std::string>{"one.xml", "two.xml"}));
}

TEST_F(CarefulOutput, SymbolicLinksAreFollowedAndStay) {
  fs::create_directory(Path("real"));
  WriteWholeFile(Path("real/target.xml"), "earlier");
  ASSERT_EQ(::chmod(Path("real/target.xml").c_str(), 0640), 0);
  fs::create_symlink("real/target.xml", Path("link.xml"));  // relative to the link's folder
  fs::create_symlink(Path("link.xml"), Path("chain.xml"));
  EXPECT_EQ(WriteOutput(Path("chain.xml"), "new"), "");
  EXPECT_TRUE(fs::is_symlink(Path("chain.xml")));
  EXPECT_TRUE(fs::is_symlink(Path("link.xml")));
  EXPECT_EQ(ReadWholeFile(Path("real/target.xml")), "new");
  EXPECT_EQ(ModeOf(Path("real/target.xml")) & 07777, 0640u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"chain.xml", "link.xml", "real"}));
  EXPECT_EQ(fs::directory_iterator(Path("real"))->path().filename(), "target.xml");
  // A link to nothing makes what it points at.
  fs::create_symlink("real/later.xml", Path("dangling.xml"));
  EXPECT_EQ(WriteOutput(Path("dangling.xml"), "made"), "");
  EXPECT_TRUE(fs::is_symlink(Path("dangling.xml")));
  EXPECT_EQ(ReadWholeFile(Path("real/later.xml")), "made");
  // A loop of links is named.
  fs::create_symlink("loop-b", Path("loop-a"));
  fs::create_symlink("loop-a", Path("loop-b"));
  EXPECT_NE(WriteOutput(Path("loop-a"), "x"), "");
  EXPECT_TRUE(fs::is_symlink(Path("loop-a")));
}

TEST_F(CarefulOutput, AFifoIsWrittenIntoAndStaysAFifo) {
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  EXPECT_EQ(platform::InspectFile(Path("fifo")).Kind, TFileKind::Fifo);
  std::string received;
  std::thread reader([&] { received = ReadWholeFile(Path("fifo")); });
  const std::string content(200000, 'x');  // more than the pipe holds at once
  EXPECT_EQ(WriteOutput(Path("fifo"), content), "");
  reader.join();
  EXPECT_EQ(received, content);
  EXPECT_TRUE(fs::is_fifo(Path("fifo")));
  EXPECT_EQ(Names(), std::vector<std::string>{"fifo"});
}

TEST_F(CarefulOutput, ASocketIsConnectedToAndStaysASocket) {
  const std::string path = Path("socket");
  sockaddr_un address{};
  if (path.size() >= sizeof(address.sun_path)) GTEST_SKIP() << "the folder's name is too long";
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  std::string received;
  std::thread reader([&] {
    const int connection = ::accept(listener, nullptr, nullptr);
    char buffer[4096];
    for (ssize_t n; (n = ::read(connection, buffer, sizeof buffer)) > 0;)
      received.append(buffer, std::size_t(n));
    ::close(connection);
  });
  EXPECT_EQ(WriteOutput(path, "through the socket"), "");
  reader.join();
  ::close(listener);
  EXPECT_EQ(received, "through the socket");
  EXPECT_TRUE(fs::is_socket(path));
}

#ifdef __linux__
// /dev/stdout leads to a link of this kind: the file a process has open (here one of the
// scratch folder) is added to, never replaced under its opener.
TEST_F(CarefulOutput, AFileOpenInTheProcessIsAddedToThroughItsLink) {
  const int fd = ::open(Path("redirected.txt").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "earlier ", 8), 8);
  EXPECT_EQ(WriteOutput("/proc/self/fd/" + std::to_string(fd), "new"), "");
  ASSERT_EQ(::write(fd, " later", 6), 6) << "the opener's file is still the named one";
  ::close(fd);
  EXPECT_EQ(ReadWholeFile(Path("redirected.txt")), "earlier new later");
  EXPECT_EQ(Names(), std::vector<std::string>{"redirected.txt"});
}
#endif

// Device nodes are made here, in the scratch folder, never used where the system keeps them.
TEST_F(CarefulOutput, ACharacterDeviceIsWrittenIntoAndItsFailureNamed) {
  if (::geteuid() != 0) GTEST_SKIP() << "making device nodes needs root";
  ASSERT_EQ(::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  ASSERT_EQ(::mknod(Path("full").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
  EXPECT_EQ(platform::InspectFile(Path("null")).Kind, TFileKind::Device);
  const std::string nullWritten = WriteOutput(Path("null"), "discarded");
  const std::string fullWritten = WriteOutput(Path("full"), "no room");
  EXPECT_TRUE(S_ISCHR(ModeOf(Path("null"))));
  EXPECT_TRUE(S_ISCHR(ModeOf(Path("full"))));
  EXPECT_EQ(Names(), (std::vector<std::string>{"full", "null"}));
  if (nullWritten.find(platform::SystemErrorText(EACCES)) != std::string::npos)
    GTEST_SKIP() << "the scratch folder's file system refuses devices";
  EXPECT_EQ(nullWritten, "");
  EXPECT_EQ(fullWritten, "cannot write " + Path("full") + ": " + platform::SystemErrorText(ENOSPC));
  fs::remove(Path("null"));
  fs::remove(Path("full"));
}

// A limit on the size of the files the process writes makes writing fail halfway, as a full
// disk would.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int);
};

TEST_F(CarefulOutput, AWriteThatFailsHalfwayLeavesTheOldFileAsItWas) {
  WriteWholeFile(Path("single.xml"), "earlier single");
  WriteWholeFile(Path("linked.xml"), "earlier linked");
  fs::create_hard_link(Path("linked.xml"), Path("other-name.xml"));
  const std::string tooLong(100000, 'x');
  std::string single, linked;
  {
    TFileSizeLimit limit(50000);
    single = WriteOutput(Path("single.xml"), tooLong);
    linked = WriteOutput(Path("linked.xml"), tooLong);
  }
  const std::string reason = platform::SystemErrorText(EFBIG);
  EXPECT_EQ(single, "cannot write " + Path("single.xml") + ": " + reason);
  EXPECT_EQ(linked, "cannot write " + Path("linked.xml") + ": " + reason);
  EXPECT_EQ(ReadWholeFile(Path("single.xml")), "earlier single");
  EXPECT_EQ(ReadWholeFile(Path("other-name.xml")), "earlier linked");
  EXPECT_EQ(Names(), (std::vector<std::string>{"linked.xml", "other-name.xml", "single.xml"}));
}

// What writing gives to a process that may not write everywhere: as root, a child process that
// has become the unprivileged user does the writing.
std::string WriteUnprivileged(const std::string& name, const std::string& content) {
  if (::geteuid() != 0) return WriteOutput(name, content);
  constexpr uid_t kNobody = 65534;
  int channel[2];
  if (::pipe(channel) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    const std::string failure = WriteOutput(name, content);
    const ssize_t written = ::write(channel[1], failure.data(), failure.size());
    ::_exit(written == ssize_t(failure.size()) ? 0 : 1);
  }
  ::close(channel[1]);
  std::string failure;
  char buffer[512];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
    failure.append(buffer, std::size_t(n));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  return failure;
}

TEST_F(CarefulOutput, AnUnwritableFolderRefusesAndItsFileStays) {
  fs::create_directory(Path("locked"));
  WriteWholeFile(Path("locked/out.xml"), "earlier");
  ASSERT_EQ(::chmod(Path("locked").c_str(), 0555), 0);
  const std::string replacing = WriteUnprivileged(Path("locked/out.xml"), "new");
  const std::string creating = WriteUnprivileged(Path("locked/new.xml"), "new");
  ASSERT_EQ(::chmod(Path("locked").c_str(), 0755), 0);
  const std::string reason = platform::SystemErrorText(EACCES);
  EXPECT_EQ(replacing, "cannot write " + Path("locked/out.xml") + ": " + reason);
  EXPECT_EQ(creating, "cannot write " + Path("locked/new.xml") + ": " + reason);
  EXPECT_EQ(ReadWholeFile(Path("locked/out.xml")), "earlier");
  EXPECT_EQ(fs::directory_iterator(Path("locked"))->path().filename(), "out.xml");
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("locked")), fs::directory_iterator()), 1);
}

#endif  // _WIN32

}  // namespace
