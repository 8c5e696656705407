#include "AllocationProbe.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t gLargest = 0;

void* AllocateCounted(std::size_t bytes) {
  if (bytes > gLargest) gLargest = bytes;
  if (void* block = std::malloc(bytes ? bytes : 1)) return block;
  throw std::bad_alloc();
}

}  // namespace

namespace allocation_probe {

void ResetLargest() noexcept {
  gLargest = 0;
}

std::size_t Largest() noexcept {
  return gLargest;
}

}  // namespace allocation_probe

void* operator new(std::size_t bytes) {
  return AllocateCounted(bytes);
}
void* operator new[](std::size_t bytes) {
  return AllocateCounted(bytes);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
