#pragma once

// An output that a tool writes without destroying what it writes over (WriteWay.h says how,
// for each thing that may stand at the name). Bytes are written as they come; Commit makes the
// output final. An output dropped without Commit, or whose Commit failed, leaves the old file
// as it was and no temporary file behind.
//
//   TCarefulOutput out(name, std::cout);
//   out.Write(bytes, size);
//   out.Commit();
//
// Every failure raises ECannotWrite, which names the output as it was given and the reason:
// "cannot write out.bin: No space left on device".

#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <ostream>
#include <string>

#include "WriteWay.h"
#include "platform/OutputFile.h"

namespace careful_output {

class ECannotWrite : public std::exception {
 public:
  ECannotWrite(std::string name, std::string reason);

  const std::string& Name() const noexcept { return name_; }
  const std::string& Reason() const noexcept { return reason_; }
  // "cannot write NAME: REASON"
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string name_, reason_, message_;
};

class TCarefulOutput {
 public:
  // Opens the output named name; "-" is standardOutput, which is then switched to pass bytes
  // unchanged.
  TCarefulOutput(std::string name, std::ostream& standardOutput);
  TCarefulOutput(const TCarefulOutput&) = delete;
  TCarefulOutput& operator=(const TCarefulOutput&) = delete;
  // Without Commit: the temporary file goes, the old file stays as it was.
  ~TCarefulOutput();

  TWriteWay Way() const noexcept { return way_; }
  std::int64_t Written() const noexcept { return written_; }

  void Write(const void* bytes, std::size_t count);
  // Makes the output final: the temporary file is synced and renamed over the old one, or the
  // old file is overwritten in place, or what was written into is closed.
  void Commit();

 private:
  void Open();
  void CommitReplacement();
  void CommitInPlace();
  void CommitStandardOutput();
  // Raises ECannotWrite with the reason the system gave.
  [[noreturn]] void Fail(const std::string& reason) const;
  void Discard() noexcept;

  const std::string name_;  // as given
  std::ostream& standardOutput_;
  TWriteWay way_ = TWriteWay::Replace;
  std::string target_;  // the file that is replaced, links followed
  bool replacesFile_ = false;
  // The temporary file that replaces the target, or the file written into.
  std::optional<platform::TOutputFile> file_;
  // What will overwrite a file in place, held until it is complete.
  std::string staged_;
  std::int64_t written_ = 0;
  bool finished_ = false;
};

}  // namespace careful_output
