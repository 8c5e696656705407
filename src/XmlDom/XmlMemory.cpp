#include "XmlDom/XmlMemory.h"

#include <array>
#include <new>
#include <vector>

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

namespace xmlmem {
namespace {

constexpr std::size_t kGranule = 16;
constexpr std::size_t kClassCount = kMaxPooledBytes / kGranule;
// A 64 KiB chunk holds 512 blocks of the largest class and thousands of the small ones; larger
// chunks only raise the memory a small document pins without making loads faster.
constexpr std::size_t kChunkBytes = 64 * 1024;

struct TFreeBlock {
  TFreeBlock* Next;
};

struct TSizeClass {
  TFreeBlock* FreeList = nullptr;
  char* Unused = nullptr;  // the untouched rest of this class's newest chunk
  char* UnusedEnd = nullptr;
};

class TPool {
 public:
  void* Allocate(std::size_t index) {
    TSizeClass& sizeClass = classes_[index];
    if (TFreeBlock* block = sizeClass.FreeList) {
      sizeClass.FreeList = block->Next;
      return block;
    }
    const std::size_t blockBytes = (index + 1) * kGranule;
    if (std::size_t(sizeClass.UnusedEnd - sizeClass.Unused) < blockBytes) {
      chunks_.push_back(static_cast<char*>(::operator new(kChunkBytes)));
      sizeClass.Unused = chunks_.back();
      sizeClass.UnusedEnd = sizeClass.Unused + kChunkBytes;
    }
    void* block = sizeClass.Unused;
    sizeClass.Unused += blockBytes;
    return block;
  }

  void Free(void* p, std::size_t index) noexcept {
    auto* block = static_cast<TFreeBlock*>(p);
    block->Next = classes_[index].FreeList;
    classes_[index].FreeList = block;
  }

 private:
  std::array<TSizeClass, kClassCount> classes_{};
  // Chunks stay for the life of the process; they are reused, never handed back.
  std::vector<char*> chunks_;
};

TPool& Pool() {
  // Never destroyed: blocks may be freed by static destructors that run after this one.
  static TPool* pool = new TPool;
  return *pool;
}

constexpr std::size_t ClassOf(std::size_t bytes) {
  return (bytes - 1) / kGranule;
}

}  // namespace

void* Allocate(std::size_t bytes) {
  if (ZEL_XML_POOL_ENABLED && bytes != 0 && bytes <= kMaxPooledBytes)
    return Pool().Allocate(ClassOf(bytes));
  return ::operator new(bytes);
}

void Free(void* block, std::size_t bytes) noexcept {
  if (!block) return;
  if (ZEL_XML_POOL_ENABLED && bytes != 0 && bytes <= kMaxPooledBytes)
    Pool().Free(block, ClassOf(bytes));
  else
    ::operator delete(block);
}

}  // namespace xmlmem
