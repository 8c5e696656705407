#pragma once

// The root of every class of the XML library: one intrusive reference count (TRefCounted),
// the small-block allocator, and ImplementingObject, through which an operation that receives
// an interface reaches the object behind it.

#include <cstddef>

#include "XmlDom/XmlMemory.h"
#include "common/RefCounted.h"

namespace xmldom {

class TXmlNode;

class TXmlBase : public TRefCounted {
 public:
  // The implementing object itself.
  virtual TXmlBase* ImplementingObject() { return this; }

  // The node behind this object, or null when it is not a node of this library.
  virtual TXmlNode* AsXmlNode() noexcept { return nullptr; }

  static void* operator new(std::size_t bytes) { return memory::Allocate(bytes); }
  static void operator delete(void* block, std::size_t bytes) noexcept {
    memory::Free(block, bytes);
  }

 protected:
  TXmlBase() = default;
  ~TXmlBase() override = default;
};

}  // namespace xmldom
