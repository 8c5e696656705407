#pragma once

// A loaded document walked to every node through zelXMLParser's Lingo methods on our host, the
// way a script walks it:
//
//   visit: getNodeName(), getTextAttr("id"), childCount();
//          selectChild(1), visit, then nextNode() and visit for each further child;
//          parentNode()
//
// The cursor ends where it started.

#include <cstddef>
#include <span>

#include "host/XtraHost.h"

// What a walk met: the same walk done another way must meet the same.
struct TWalkSummary {
  long Nodes = 0;
  long Calls = 0;
  std::size_t NameBytes = 0;
  std::size_t IdBytes = 0;

  bool operator==(const TWalkSummary& other) const {
    return Nodes == other.Nodes && NameBytes == other.NameBytes && IdBytes == other.IdBytes;
  }
};

class TLingoWalker {
 public:
  TLingoWalker(dxhost::TXtraHost& host, const dxhost::TXtraInstance& parser);

  // Walks the current node and everything below it.
  TWalkSummary Walk();

 private:
  dxhost::THostValue Call(MoaLong selector, std::span<const dxhost::THostValue> args = {});
  std::size_t StringLength(const dxhost::THostValue& value);
  MoaLong Integer(const dxhost::THostValue& value);
  void Visit();

  dxhost::TXtraHost& host_;
  const dxhost::TXtraInstance& parser_;
  const dxhost::THostValue id_, one_;
  const MoaLong getNodeName_, getTextAttr_, childCount_, selectChild_, nextNode_, parentNode_;
  TWalkSummary summary_;
};

// Processor time of the calling thread, in seconds.
double ThreadCpuSeconds();
