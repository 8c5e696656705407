#pragma once

// What writing a file without destroying what it replaces needs from the system: what stands at
// a name, files opened for writing, made durable, given the mode and owner of the file they
// replace, and renamed over it. Every failure raises EXmlError whose message is the system's
// own text for it ("No space left on device"), for the caller to put beside the file's name.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace platform {

// What may stand at a name. Devices are character and block devices alike.
enum class TFileKind { Missing, Regular, Directory, Device, Fifo, Socket };

struct TFileFacts {
  TFileKind Kind = TFileKind::Missing;
  std::uint64_t Links = 0;  // the names a regular file has (hard links)
  // Which file it is: two names with the same volume and index name the same file.
  std::uint64_t Volume = 0;
  std::uint64_t Index = 0;

  bool IsSameFileAs(const TFileFacts& other) const noexcept {
    return Kind != TFileKind::Missing && Kind == other.Kind && Volume == other.Volume &&
           Index == other.Index;
  }
};

// What stands at path, symbolic links followed as opening it would follow them.
TFileFacts InspectFile(const std::string& path);

// The name that path leads to once every symbolic link at its end is followed (a relative link
// is read from the link's folder); path itself when it names no link. A link that leads to
// nothing gives the name it leads to, so that writing creates the file the link points at.
// None when the way passes a link that the system makes up for a process's open files (where
// /dev/stdout leads): what such a link names is an open file, which only the link reaches.
std::optional<std::string> FollowLinks(const std::string& path);

class TOutputFile {
 public:
  // A new file of a name of its own in the folder of path, readable and writable by its owner
  // alone: it stands in for path until it is renamed over it (RenameOver). asNewFile: it gets
  // the mode a new file gets from the process instead.
  static TOutputFile CreateBeside(const std::string& path, bool asNewFile);
  // An existing file or device opened to write into as it is, nothing truncated: a device, a
  // FIFO (waiting for its reader), a socket (connected to), or a regular file written in place
  // or, with append, at its end.
  static TOutputFile OpenExisting(const std::string& path, bool append = false);

  TOutputFile(TOutputFile&& other) noexcept;
  TOutputFile& operator=(TOutputFile&& other) noexcept;
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;
  // Closes the file if Close was not called; failures go unreported then.
  ~TOutputFile();

  // The name the file was opened or created under.
  const std::string& Path() const noexcept { return path_; }

  void Write(const void* bytes, std::size_t count);
  // Makes sure that writing size bytes from the start will not run out of space or beyond the
  // size the process may write, before any of them is written; the content stays as it was
  // when it fails. Nothing where the file system cannot say in advance.
  void Reserve(std::int64_t size);
  // Cuts the file to size bytes.
  void Truncate(std::int64_t size);
  // What was written is on the disk when this returns.
  void Sync();
  // Takes the permission bits of the file at path and, as far as the process may set them,
  // its owner and group (where the system has them).
  void TakeModeAndOwnerOf(const std::string& path);
  // Closes the file; raises when the system reports a failure only now (a delayed write).
  void Close();

 private:
  static constexpr std::intptr_t kNoHandle = -1;

  TOutputFile(std::intptr_t handle, std::string path) noexcept
      : handle_(handle), path_(std::move(path)) {}
  void CloseQuietly() noexcept;

  std::intptr_t handle_;
  std::string path_;
};

// Gives the file at from the name to in one step, replacing the file of that name, and makes
// the change durable where the system allows.
void RenameOver(const std::string& from, const std::string& to);

}  // namespace platform
