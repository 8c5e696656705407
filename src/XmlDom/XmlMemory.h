#pragma once

// Small-block memory of the XML library. Nodes, child lists, attribute arrays and the text of
// values are allocated and freed in great numbers while documents load and go, so blocks up to
// kMaxPooledBytes come from per-size free lists instead of the general heap. Nodes are
// individually reference counted and may outlive their document, so a per-document arena would
// not fit; a freed block simply returns to the list of its size.
//
// Not synchronised: the library is used by one thread at a time. Sanitizer builds bypass the
// pool so that every block stays visible to the sanitizer.

#include <cstddef>

namespace xmlmem {

inline constexpr std::size_t kMaxPooledBytes = 512;

// Never returns null; raises std::bad_alloc when memory is exhausted.
void* Allocate(std::size_t bytes);
// bytes must be the size given to Allocate.
void Free(void* block, std::size_t bytes) noexcept;

}  // namespace xmlmem
