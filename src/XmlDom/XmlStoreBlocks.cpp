#include "XmlDom/XmlStoreBlocks.h"

#include <cstdint>
#include <new>

#include "XmlDom/XmlStorePoison.h"

namespace xmldom {

void* TXmlStoreBlocks::Take() {
  if (void* block = free_) {
    free_ = *static_cast<void**>(block);
    --cached_;
    return block;
  }
  if (uncarved_ == 0) AddSlab();
  void* block = nextUncarved_;
  nextUncarved_ += kStoreBlockBytes;
  --uncarved_;
  ++carved_;
  return block;
}

void TXmlStoreBlocks::Give(void* block) noexcept {
  ZEL_UNPOISON(block, sizeof(void*));
  *static_cast<void**>(block) = free_;
  free_ = block;
  ++cached_;
  if (releasing_) ReleaseIfAllHome();
}

void TXmlStoreBlocks::ReleaseAll() noexcept {
  releasing_ = true;
  ReleaseIfAllHome();
}

// Blocks are carved one by one as they are taken, so the pages of a slab's unused blocks are not
// touched.
void TXmlStoreBlocks::AddSlab() {
  auto* slab = static_cast<char*>(::operator new(kSlabBytes));
  *reinterpret_cast<void**>(slab) = slabs_;
  slabs_ = slab;
  const auto first =
      (reinterpret_cast<std::uintptr_t>(slab) + sizeof(void*) + kStoreBlockBytes - 1) &
      ~std::uintptr_t(kStoreBlockBytes - 1);
  nextUncarved_ = reinterpret_cast<char*>(first);
  uncarved_ = kSlabBlocks;
}

void TXmlStoreBlocks::ReleaseIfAllHome() noexcept {
  if (cached_ != carved_) return;
  while (void* slab = slabs_) {
    slabs_ = *static_cast<void**>(slab);
    ZEL_UNPOISON(slab, kSlabBytes);
    ::operator delete(slab);
  }
  free_ = nullptr;
  nextUncarved_ = nullptr;
  carved_ = cached_ = uncarved_ = 0;
}

}  // namespace xmldom
