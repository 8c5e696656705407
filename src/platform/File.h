#pragma once

// Files, opened and closed within one operation. Opening failures raise EXmlError with the
// full path and the system's own text for the error:
//   Cannot open file "<full path>". <system text>
//   Cannot create file "<full path>". <system text>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

class TFile {
 public:
  // Opens an existing file for reading; no other opener may use it meanwhile.
  static TFile OpenRead(const std::string& path);
  // Creates the file, or empties an existing one, for reading and writing; exclusive.
  static TFile Create(const std::string& path);

  TFile(TFile&& other) noexcept;
  TFile& operator=(TFile&& other) noexcept;
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;
  ~TFile();

  std::int64_t Size() const;
  std::int64_t Position() const;
  void Seek(std::int64_t position);
  // Reads up to count bytes; returns how many were read (0 at the end of the file).
  std::size_t Read(void* buffer, std::size_t count);
  // Writes all bytes or raises "Stream write error".
  void Write(const void* buffer, std::size_t count);

 private:
  // What a file that was moved from holds, on every system.
  static constexpr std::intptr_t kNoHandle = -1;

  explicit TFile(std::intptr_t handle) : handle_(handle) {}
  // Closes the file unless it holds kNoHandle; the system's part.
  void Close() noexcept;

  std::intptr_t handle_;
};

bool FileExists(const std::string& path);

// Gives the file at from the name to, replacing a file of that name (on the same volume, in
// one step where the system allows). Raises "Cannot rename file "<from>" to "<to>". <system
// text>" on failure.
void RenameFile(const std::string& from, const std::string& to);

// Deletes the file; false when it could not be deleted (or did not exist).
bool RemoveFile(const std::string& path);

// Appends text to the file, creating it when missing. Never raises: false when the file
// could not be opened or written.
bool AppendToTextFile(const std::string& path, std::string_view text);

// The absolute form of a path, resolved against the current directory (the file need not
// exist).
std::string FullPathName(const std::string& path);

// The system's text for an error code of the file layer, without trailing dots or breaks.
std::string SystemErrorText(int code);

}  // namespace platform
