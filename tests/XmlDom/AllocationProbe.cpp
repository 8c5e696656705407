#include "AllocationProbe.h"

#include <cstdlib>
#if defined(_WIN32)
#include <malloc.h>
#endif
#include <new>

namespace {

std::size_t gLargest = 0;
long gUntilFailure = -1;  // allocations left before the armed failure; -1: none armed
bool gFired = false;

void CountDown() {
  if (gUntilFailure < 0) return;
  if (gUntilFailure-- > 0) return;
  gFired = true;
  throw std::bad_alloc();
}

void* AllocateCounted(std::size_t bytes) {
  CountDown();
  if (bytes > gLargest) gLargest = bytes;
  if (void* block = std::malloc(bytes ? bytes : 1)) return block;
  throw std::bad_alloc();
}

void* AllocateAligned(std::size_t bytes, std::align_val_t alignment) {
  CountDown();
  if (bytes > gLargest) gLargest = bytes;
  const auto align = static_cast<std::size_t>(alignment);
#if defined(_WIN32)
  if (void* block = _aligned_malloc(bytes ? bytes : 1, align)) return block;
#else
  if (void* block = std::aligned_alloc(align, (bytes + align - 1) / align * align)) return block;
#endif
  throw std::bad_alloc();
}

void FreeAligned(void* block) noexcept {
#if defined(_WIN32)
  _aligned_free(block);
#else
  std::free(block);
#endif
}

}  // namespace

namespace allocation_probe {

void ResetLargest() noexcept {
  gLargest = 0;
}

std::size_t Largest() noexcept {
  return gLargest;
}

void FailAfter(long count) noexcept {
  gUntilFailure = count;
  gFired = false;
}

void Disarm() noexcept {
  gUntilFailure = -1;
}

bool Fired() noexcept {
  return gFired;
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
void* operator new(std::size_t bytes, std::align_val_t alignment) {
  return AllocateAligned(bytes, alignment);
}
void operator delete(void* block, std::align_val_t) noexcept {
  FreeAligned(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  FreeAligned(block);
}
