#pragma once

// Small-block memory for what no store holds. The nodes of a document, and every piece placed
// with them (attribute arrays, item arrays, the bytes of placed values), come from the node
// store they are placed in (XmlNodeStore.h), which goes at once with a loaded document. What is
// left are the bytes of free-standing values (XmlValue::AssignBytes: values that scripts and
// callers build and copy, outside any document), which are allocated and freed in great numbers;
// blocks up to kMaxPooledBytes come from one module-wide TXmlBlockPool instead of the general
// heap, and a freed block simply returns to the list of its size. They are not merged with the
// stores: a free-standing value belongs to no store and may be copied anywhere.
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
