#pragma once

// A count of the changes made to the children of any node in the process. Whoever remembers
// something about a node's children (where the n-th child element of a name stands, how many
// there are) keeps the count it saw and trusts what it remembers only while the count stays the
// same. Inserting, removing, replacing, reordering or clearing children anywhere moves it on,
// and so does every load. The readers of a load fill nodes they have just made, which nothing
// can remember yet: they do not count their steps; the load counts once as it empties the
// document.
//
// One count for all nodes rather than one per node: it costs the nodes no memory, and a script
// that reads a document changes nothing, so what it remembers stays good for the whole walk.

#include <cstdint>

namespace xmldom {

class TXmlChildChanges {
 public:
  static std::uint64_t Count() noexcept { return count_; }
  static void Note() noexcept { ++count_; }

 private:
  // Not synchronised: the library is used by one thread at a time (XmlNodeStore.h).
  static inline std::uint64_t count_ = 0;
};

}  // namespace xmldom
