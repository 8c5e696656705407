#pragma once

// Whole files read at once, shared with other readers and writers: scripts and documents that
// tools are given by name, or on their standard input.

#include <string>

namespace platform {

// The file's bytes. False, with the system's text for the reason ("Is a directory" for a
// folder), when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason);

// Everything up to the end of the standard input, byte for byte.
std::string ReadStandardInput();

}  // namespace platform
