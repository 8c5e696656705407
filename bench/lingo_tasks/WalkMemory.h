#pragma once

// Resident memory of a process that loaded the generated record document through Lingo, right
// after the load and after a Lingo walk to every node of it (getNodeName, getTextAttr and
// childCount of each, selectChild(1), nextNode and parentNode to move): reading a document must
// not make it bigger.

#include <cstddef>
#include <string>

struct TWalkMemory {
  std::size_t AfterLoad = 0;  // bytes
  std::size_t AfterWalk = 0;
  long Nodes = 0;
};

// Loads module in a host of its own; false (with a message on the error output) when it
// cannot.
bool MeasureWalkMemory(const std::string& module, const std::string& file, TWalkMemory& memory);
