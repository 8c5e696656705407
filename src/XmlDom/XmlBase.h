#pragma once

// The root of every class of the XML library: one intrusive reference count (TRefCounted) whose
// holds are told to the object's store, making objects only in a named store (XmlNodeStore.h), and
// ImplementingObject, through which an operation that receives an interface reaches the object
// behind it.
//
// A reference is either a hold (AddRef/Release, what Ref takes) or a link, the tree's own
// reference (AddLink/ReleaseLink), which the store does not count: see XmlNodeStore.h. Objects
// of the library are held through Ref of their own classes and interfaces, never through a
// TRefCounted pointer (the base is protected), so that every hold reaches the store.

#include <cstddef>

#include "XmlDom/XmlNodeStore.h"
#include "common/RefCounted.h"

namespace xmldom {

class TXmlNode;

// The count is a protected base: every hold of a library object goes through AddRef and
// Release below, which tell the store, and no pointer to the bare count can be taken to skip
// them.
class TXmlBase : protected TRefCounted {
 public:
  using TRefCounted::ForgetReference;
  using TRefCounted::HeldBeyond;
  using TRefCounted::RefCount;

  // The implementing object itself.
  virtual TXmlBase* ImplementingObject() { return this; }

  // The node behind this object, or null when it is not a node of this library.
  virtual TXmlNode* AsXmlNode() noexcept { return nullptr; }

  void AddRef() const noexcept {
    TRefCounted::AddRef();
    Store().Pin();
  }
  // The store is told first: the object, and the store with it, may go here.
  void Release() const noexcept {
    Store().Unpin();
    TRefCounted::Release();
  }
  void AddLink() const noexcept { TRefCounted::AddRef(); }
  void ReleaseLink() const noexcept { TRefCounted::Release(); }

  TXmlNodeStore& Store() const noexcept { return TXmlNodeStore::Of(this); }

  // Made only in a store that the maker names (TXmlNodeStore::Make and New).
  static void* operator new(std::size_t bytes) = delete;
  static void operator delete(void* object, std::size_t bytes) noexcept {
    TXmlNodeStore::Of(object).FreeObject(object, bytes);
  }

 protected:
  TXmlBase() = default;
  ~TXmlBase() override = default;
};

// A new object of the library that belongs to no document (name tables, selections, nodes
// made on their own): in the loose store, which lasts as long as the module.
template <class T, class... Args>
Ref<T> MakeLoose(Args&&... args) {
  return TXmlNodeStore::Loose().Make<T>(std::forward<Args>(args)...);
}

}  // namespace xmldom
