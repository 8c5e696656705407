#include "XmlDom/XmlMemory.h"

#include <new>

#include "XmlDom/XmlBlockPool.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZEL_XML_POOL_ENABLED 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEL_XML_POOL_ENABLED 0
#endif
#endif
#ifndef ZEL_XML_POOL_ENABLED
#define ZEL_XML_POOL_ENABLED 1
#endif

namespace xmldom::memory {
namespace {

// Constant-initialised and never destroyed, so it serves allocations and frees made by any
// static constructor or destructor of the module, in whatever order they run.
constinit TXmlBlockPool modulePool;

// Runs when the module is unloaded (or the process ends): the chunks go back to the heap as
// soon as the last block does, so loading and unloading the module leaves nothing behind.
struct TModulePoolRelease {
  constexpr TModulePoolRelease() = default;
  TModulePoolRelease(const TModulePoolRelease&) = delete;
  TModulePoolRelease& operator=(const TModulePoolRelease&) = delete;
  ~TModulePoolRelease() { modulePool.ReleaseWhenIdle(); }
};
constinit TModulePoolRelease modulePoolRelease;

constexpr bool IsPooled(std::size_t bytes) {
  return ZEL_XML_POOL_ENABLED && bytes != 0 && bytes <= kMaxPooledBytes;
}

}  // namespace

void* Allocate(std::size_t bytes) {
  if (IsPooled(bytes)) return modulePool.Allocate(bytes);
  return ::operator new(bytes);
}

void Free(void* block, std::size_t bytes) noexcept {
  if (!block) return;
  if (IsPooled(bytes))
    modulePool.Free(block, bytes);
  else
    ::operator delete(block);
}

}  // namespace xmldom::memory
