#pragma once

// Limits that every reader of documents enforces alike, whatever form the input takes.

namespace xmldom {

// The deepest element nesting a loaded document may have: the document element is level 1,
// its child elements level 2, and so on. Input that nests deeper is refused (the text parser
// with kNestingTooDeep, the binary reader with kBinaryNestingTooDeep) before the node beyond
// the limit is made.
//
// Why a limit at all: a tree as deep as its input allows would let a few kilobytes of input
// exhaust the call stack of any walk that recurses, and the host's thread may have no more
// than 1 MiB. 1000 levels is far beyond real documents (the deepest we have met has a few
// dozen) and leaves a recursive walk about 1 KiB of stack per level even in sanitizer builds;
// the library's own walks (parsing, writing, cloning, moving between name tables, destroying)
// do not recurse at all.
inline constexpr int kMaxXmlDepth = 1000;

}  // namespace xmldom
