#pragma once

// How a tool writes an output, by what stands at the name it was given:
//
//   -                       standard output
//   nothing, a regular file a temporary file beside it, synced, then renamed over it
//                           (keeping the old file's mode and owner); a failure leaves the
//                           old file as it was
//   a regular file with     written in place, so that every name keeps seeing the file
//   several names
//   anything else           written into as it is: a device, a FIFO, a socket is never
//                           replaced (and a folder refuses with the system's reason)
//
// Symbolic links are followed: the file a link leads to is written, the link stays.

#include <string_view>

#include "platform/OutputFile.h"

namespace careful_output {

enum class TWriteWay { StandardOutput, Replace, InPlace, Into };

// The way for the output named name, where facts tell what stands there, links followed.
TWriteWay ChooseWriteWay(std::string_view name, const platform::TFileFacts& facts);

}  // namespace careful_output
