#pragma once

// The system's version and shell services for a file: the shell's name for the file's type
// (SHGetFileInfoA) and the file's version information (GetFileVersionInfoSizeA,
// GetFileVersionInfoA, VerQueryValueA). Elsewhere our own stand-ins read the version resource
// of a Windows executable file themselves, or the version block that a portable module carries
// in its ".zel_version" section, and name file types by a rule of their own. None of these
// raises; a file that cannot be read simply has no answer.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The shell's name for the file's type, as a file browser shows it (at most 79 characters);
// nothing when the shell does not answer, as for a missing file. Portable builds answer
// "Shared library" for an ELF shared object, "<extension> file" for other files and "File"
// for a file without an extension.
std::optional<std::string> ShellFileTypeName(const std::string& path);

// The size in bytes of the buffer that LoadFileVersionInfo fills; 0 when the file has no
// version information.
std::uint32_t FileVersionInfoSize(const std::string& path);

// Fills the buffer, sized by FileVersionInfoSize, with the file's version information; false
// when it cannot be read.
bool LoadFileVersionInfo(const std::string& path, std::string& buffer);

// A value of the version information in a buffer that LoadFileVersionInfo filled, by its
// sub-block path ("\", "\VarFileInfo\Translation", "\StringFileInfo\040904B0\CompanyName");
// keys match without regard to case. Nothing when the path is not there.
//   QueryVersionText: a text value in the 8-bit code page, up to its first zero character.
//   QueryVersionBytes: a value's bytes, as long as the information says (never past the
//                      buffer's end).
std::optional<std::string> QueryVersionText(const std::string& buffer, const std::string& subBlock);
std::optional<std::string> QueryVersionBytes(const std::string& buffer,
                                             const std::string& subBlock);

}  // namespace platform
