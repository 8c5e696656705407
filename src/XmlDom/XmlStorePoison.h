#pragma once

// Under AddressSanitizer the node stores poison what they do not hand out, so that a use of
// freed or never given memory is caught as it would be on the heap.

#if defined(__SANITIZE_ADDRESS__)
#define ZEL_XML_STORE_POISON 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEL_XML_STORE_POISON 1
#endif
#endif

#ifdef ZEL_XML_STORE_POISON
#include <sanitizer/asan_interface.h>
#define ZEL_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define ZEL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define ZEL_POISON(p, n) ((void)(p), (void)(n))
#define ZEL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif
