#pragma once

// TXmlBase: the reference count of every object of the XML library (nodes, node lists, name
// tables), with what the store it lives in must know (XmlNodeStore.h). Objects are made only
// in a store that the maker names (TXmlNodeStore::Make and New), and at zero go back to it
// through their Owner class, which is the complete object: lists and tables are final classes,
// a node finds its kind's class from its kind.
//
// A reference is either a hold (AddRef/Release, what Ref takes) or a link, the tree's own
// reference (AddLink/ReleaseLink), which the store does not count: see XmlNodeStore.h. The
// count is a protected base, so no pointer to the bare count can be taken to skip the store.

#include <cstddef>
#include <utility>

#include "XmlDom/XmlNodeStore.h"
#include "common/RefCounted.h"

namespace xmldom {

template <class Owner>
class TXmlBase : protected TRefCount<Owner> {
  using TCount = TRefCount<Owner>;

 public:
  using TCount::ForgetReference;
  using TCount::HeldBeyond;
  using TCount::RefCount;

  void AddRef() const noexcept {
    TCount::AddRef();
    Store().Pin();
  }
  // The store is told first: the object, and the store with it, may go here.
  void Release() const noexcept {
    Store().Unpin();
    TCount::Release();
  }
  void AddLink() const noexcept { TCount::AddRef(); }
  void ReleaseLink() const noexcept { TCount::Release(); }

  TXmlNodeStore& Store() const noexcept { return TXmlNodeStore::Of(this); }

  // Made only in a store that the maker names.
  static void* operator new(std::size_t bytes) = delete;

 protected:
  TXmlBase() = default;
  ~TXmlBase() = default;

 private:
  friend TCount;
  // Ends the complete object at zero; a node overrides this with its kind's.
  void Destroy() const noexcept {
    TXmlNodeStore::Of(this).Destroy(static_cast<const Owner*>(this));
  }
};

// A new object of the library that belongs to no document (name tables, selections, nodes
// made on their own): in the loose store, which lasts as long as the module.
template <class T, class... Args>
Ref<T> MakeLoose(Args&&... args) {
  return TXmlNodeStore::Loose().Make<T>(std::forward<Args>(args)...);
}

}  // namespace xmldom
