#include "CarefulOutput.h"

#include <cerrno>
#include <utility>

#include "common/Error.h"
#include "common/Messages.h"
#include "platform/Console.h"
#include "platform/File.h"

namespace careful_output {

ECannotWrite::ECannotWrite(std::string name, std::string reason)
    : name_(std::move(name)),
      reason_(std::move(reason)),
      message_("cannot write " + name_ + ": " + reason_) {}

TCarefulOutput::TCarefulOutput(std::string name, std::ostream& standardOutput)
    : name_(std::move(name)), standardOutput_(standardOutput) {
  try {
    Open();
  } catch (const EXmlError& error) {
    Discard();
    Fail(error.Message());
  }
}

TCarefulOutput::~TCarefulOutput() {
  Discard();
}

void TCarefulOutput::Open() {
  if (name_ == "-") {
    way_ = TWriteWay::StandardOutput;
    platform::UseBinaryStandardStreams();
    return;
  }
  const platform::TFileFacts facts = platform::InspectFile(name_);
  way_ = ChooseWriteWay(name_, facts);
  bool append = false;
  if (way_ == TWriteWay::Replace) {
    const std::optional<std::string> target = platform::FollowLinks(name_);
    replacesFile_ = facts.Kind == platform::TFileKind::Regular;
    // A file that a process has open (/dev/stdout redirected to a file) cannot be replaced
    // under it: its opener would go on writing into the old one. It is added to, as the
    // redirection had it emptied or means its content to stay.
    if (!target || (replacesFile_ && !platform::InspectFile(*target).IsSameFileAs(facts))) {
      way_ = TWriteWay::Into;
      append = true;
    } else {
      target_ = *target;
    }
  }
  if (way_ == TWriteWay::Replace)
    file_.emplace(platform::TOutputFile::CreateBeside(target_, !replacesFile_));
  else if (way_ == TWriteWay::Into)
    file_.emplace(platform::TOutputFile::OpenExisting(name_, append));
}

void TCarefulOutput::Write(const void* bytes, std::size_t count) {
  try {
    switch (way_) {
      case TWriteWay::StandardOutput:
        errno = 0;
        if (!standardOutput_.write(static_cast<const char*>(bytes), std::streamsize(count)))
          Fail(errno ? platform::SystemErrorText(errno) : std::string(msg::kStreamWriteError));
        break;
      case TWriteWay::InPlace:
        staged_.append(static_cast<const char*>(bytes), count);
        break;
      case TWriteWay::Replace:
      case TWriteWay::Into:
        file_->Write(bytes, count);
        break;
    }
  } catch (const EXmlError& error) {
    Fail(error.Message());
  }
  written_ += std::int64_t(count);
}

void TCarefulOutput::Commit() {
  try {
    switch (way_) {
      case TWriteWay::StandardOutput:
        CommitStandardOutput();
        break;
      case TWriteWay::Replace:
        CommitReplacement();
        break;
      case TWriteWay::InPlace:
        CommitInPlace();
        break;
      case TWriteWay::Into:
        file_->Sync();
        file_->Close();
        break;
    }
  } catch (const EXmlError& error) {
    Fail(error.Message());
  }
  finished_ = true;
  file_.reset();
}

void TCarefulOutput::CommitReplacement() {
  file_->Sync();
  if (replacesFile_) file_->TakeModeAndOwnerOf(target_);
  file_->Close();
  platform::RenameOver(file_->Path(), target_);
}

// Everything that can be known to fail fails before the first byte of the old content is
// overwritten: the new content is complete, and the room for it is reserved.
void TCarefulOutput::CommitInPlace() {
  platform::TOutputFile file = platform::TOutputFile::OpenExisting(name_);
  const auto size = std::int64_t(staged_.size());
  file.Reserve(size);
  file.Write(staged_.data(), staged_.size());
  file.Truncate(size);
  file.Sync();
  file.Close();
}

void TCarefulOutput::CommitStandardOutput() {
  errno = 0;
  if (!standardOutput_.flush())
    Fail(errno ? platform::SystemErrorText(errno) : std::string(msg::kStreamWriteError));
}

void TCarefulOutput::Fail(const std::string& reason) const {
  throw ECannotWrite(name_, reason);
}

void TCarefulOutput::Discard() noexcept {
  if (finished_ || !file_) return;
  const bool temporary = way_ == TWriteWay::Replace;
  const std::string path = file_->Path();
  file_.reset();
  if (temporary) platform::RemoveFile(path);
}

}  // namespace careful_output
