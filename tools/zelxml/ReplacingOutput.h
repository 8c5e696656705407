#pragma once

// Output that never leaves a partial file behind: the content is written to a temporary file
// beside the target, which takes the target's name (replacing an existing file) only once it
// is complete. When writing fails, the temporary file is deleted and the target is untouched.

#include <functional>
#include <string>

// The temporary file that WriteReplacing writes for path.
std::string TemporaryPathFor(const std::string& path);

// Calls write with the temporary file's name, then renames it to path. Failures of write or
// of the rename are raised on.
void WriteReplacing(const std::string& path, const std::function<void(const std::string&)>& write);
