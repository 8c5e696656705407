#pragma once

// What the Lingo-surface fuzz target drives: the real module, loaded once by our host for the
// life of the process, with files to load written once to a folder of its own; and the reader
// that turns the fuzzer's bytes into choices and Lingo values.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/XtraHost.h"

namespace fuzzing {

// What a string argument is for: each has its own pool of telling values.
enum class TStringRole { Document, File, Name, Path, LogFile, Any };

// The documents of the pool that nest elements about as deep as documents may.
inline constexpr std::size_t kFirstDeepDocument = 11, kDeepDocuments = 2;

struct TLingoPools {
  std::vector<std::string> Documents;  // XML text (good and damaged) and binary XML
  std::vector<std::string> Files;      // paths: written files, missing ones, a folder
  std::vector<std::string> Names;      // element and attribute names, and what is none
  std::vector<std::string> Paths;      // node paths
  std::vector<std::string> LogFiles;   // a log in the folder, none, one in a missing folder
  std::string LogFile;                 // the log file that each run starts without
};

class TLingoRig {
 public:
  // The process's one rig: the module loaded and registered, or the process aborts.
  static TLingoRig& Get();

  dxhost::TXtraHost& Host() { return host_; }
  const TLingoPools& Pools() const { return pools_; }

 private:
  TLingoRig();
  void WriteFiles();

  dxhost::TXtraHost host_;
  std::string folder_;
  TLingoPools pools_;
};

// Reads the fuzzer's bytes front to back; past the end every read gives zero.
class TByteReader {
 public:
  TByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool AtEnd() const { return position_ >= size_; }
  std::uint8_t Byte() { return AtEnd() ? 0 : data_[position_++]; }
  std::string_view Bytes(std::size_t count);

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// Lingo values the bytes choose: a kind, then a value of that kind from telling ones or from
// the bytes themselves; lists nest a few levels.
class TValueMaker {
 public:
  TValueMaker(dxhost::TXtraHost& host, const TLingoPools& pools, TByteReader& bytes)
      : host_(host), pools_(pools), bytes_(bytes) {}

  // A value of the kind a method declares (the frame's kinds: 2 integer, 3 string, 10 list),
  // or now and then of any kind.
  dxhost::THostValue Argument(int declaredKind, TStringRole role);
  dxhost::THostValue AnyValue(int depth);
  dxhost::THostValue Integer();
  dxhost::THostValue Float();
  dxhost::THostValue String(TStringRole role);
  dxhost::THostValue Symbol();
  dxhost::THostValue List(int depth);
  dxhost::THostValue PropertyList(int depth);

 private:
  // Which document of the pool a byte below 200 chooses.
  std::size_t DocumentIndex(std::uint8_t choice) const;

  dxhost::TXtraHost& host_;
  const TLingoPools& pools_;
  TByteReader& bytes_;
};

}  // namespace fuzzing
