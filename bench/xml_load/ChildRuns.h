#pragma once

// Figures taken in a fresh process per measurement: the benchmark runs itself again as a child,
// which makes every engine, uses one, prints one number and exits.
//
//   cold: the thread CPU time in milliseconds of the engine's LoadFile, the file read included;
//         nothing has been loaded in that process before.
//   peak: the growth of resident memory while the engine loads the file's content, which was
//         read before the measurement, per byte of that content.

#include <string>

// Set in a child's environment; the allocator regime of the warm figures is not applied there.
inline constexpr const char* kChildVariable = "ZEL_XML_LOAD_CHILD";

// Runs the measurement in a child; a negative result when the child failed.
double MeasureInChild(const std::string& mode, const std::string& engine, const std::string& path);

// The child's side: argv holds the mode, the engine's name and the file. Returns the exit status.
int RunChild(int argc, char** argv);
