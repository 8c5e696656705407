#pragma once

// Small-block memory of the XML library. Nodes, child lists, attribute arrays and the text of
// values are allocated and freed in great numbers while documents load and go, so blocks up to
// kMaxPooledBytes come from one module-wide TXmlBlockPool instead of the general heap. Nodes are
// individually reference counted and may outlive their document, so a per-document arena would
// not fit; a freed block simply returns to the list of its size.
//
// The pool's chunks go back to the heap when the module is unloaded, once the last block is
// freed. Not synchronised: the library is used by one thread at a time. Sanitizer builds bypass
// the pool so that every block stays visible to the sanitizer.

#include <cstddef>

namespace xmldom::memory {

inline constexpr std::size_t kMaxPooledBytes = 512;

// Never returns null; raises std::bad_alloc when memory is exhausted.
void* Allocate(std::size_t bytes);
// bytes must be the size given to Allocate.
void Free(void* block, std::size_t bytes) noexcept;

}  // namespace xmldom::memory
