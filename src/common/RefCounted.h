#pragma once

// The one intrusive reference-counting scheme of zelXML, and its one smart handle.
//
//   Ref<TThing> e = MakeRef<TThing>(a, b);                 // count 1: e holds it
//   Ref<IXmlNode> n = e;                                   // count 2
//   e.Reset();                                             // count 1
//   n.Reset();                                             // count 0: destroyed
//
// An object starts with a count of 0; each holder adds one. Raw pointers never own: turning
// one into a holder is spelled out as Ref<T>::Retain (take a new reference) or Ref<T>::Adopt
// (take over a reference someone already counted). Counting is not synchronised: zelXML runs
// on the host's one scripting thread.
//
// Ref<T> holds anything with AddRef and Release, so the same handle holds the host's MOA
// interfaces in the framework, and a module's objects in our host (Make hands them out adopted).

#include <cassert>
#include <cstddef>
#include <type_traits>
#include <utility>

// The count itself, for any class whose objects go away at zero by Owner::Destroy: the
// classes below through a virtual Destroy, the XML library's objects through their own (they
// are placed in stores, and its nodes carry no vtable of their own).
template <class Owner>
class TRefCount {
 public:
  void AddRef() const noexcept { ++refCount_; }

  // Drops one reference; at zero the object is handed to Owner::Destroy.
  void Release() const noexcept {
    assert(refCount_ > 0);
    if (--refCount_ == 0) Finish();
  }

  // Whether anyone holds the object beyond the known references the caller accounts for (its
  // own, and any it knows of): code asks this, never for the number itself.
  bool HeldBeyond(int known) const noexcept { return refCount_ > known; }
  // The number itself, for tests.
  int RefCount() const noexcept { return refCount_; }

  // Gives up one reference without destroying the object at zero: its holder hands it on to a
  // new owner, which takes a reference of its own at once.
  void ForgetReference() const noexcept {
    assert(refCount_ > 0);
    --refCount_;
  }

 protected:
  TRefCount() noexcept = default;
  // A copy is a new object: it starts unreferenced.
  TRefCount(const TRefCount&) noexcept {}
  TRefCount& operator=(const TRefCount&) = delete;
  ~TRefCount() { assert(refCount_ == 0); }

 private:
  // Out of line: Release stays small where it is inlined, and no caller's code holds the object
  // after it has gone.
  [[gnu::noinline]] void Finish() const noexcept { static_cast<const Owner*>(this)->Destroy(); }

  mutable int refCount_ = 0;
};

class TRefCounted : public TRefCount<TRefCounted> {
 protected:
  TRefCounted() noexcept = default;
  TRefCounted(const TRefCounted&) noexcept = default;
  virtual ~TRefCounted() = default;

  // How an unreferenced object goes away. Classes whose destruction could recurse deeply
  // (trees) override this to take themselves apart iteratively.
  virtual void Destroy() const noexcept { delete this; }

 private:
  friend class TRefCount<TRefCounted>;
};

template <class T>
class Ref {
 public:
  Ref() noexcept = default;
  Ref(std::nullptr_t) noexcept {}
  Ref(const Ref& other) noexcept : ptr_(other.ptr_) { Acquire(); }
  Ref(Ref&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  // Only where U* converts to T* (a holder of a derived class to one of its base): a holder
  // never claims an object is of a type it is not.
  template <class U>
  requires std::is_convertible_v<U*, T*> Ref(const Ref<U>& other)
  noexcept : ptr_(other.Get()) { Acquire(); }
  template <class U>
  requires std::is_convertible_v<U*, T*> Ref(Ref<U>&& other)
  noexcept : ptr_(other.Detach()) {}
  ~Ref() { ReleaseHeld(); }

  Ref& operator=(Ref other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }

  // A holder that takes a new reference to p (p may be null).
  static Ref Retain(T* p) noexcept {
    Ref r;
    r.ptr_ = p;
    r.Acquire();
    return r;
  }
  // A holder that takes over a reference already counted for p.
  static Ref Adopt(T* p) noexcept {
    Ref r;
    r.ptr_ = p;
    return r;
  }

  T* Get() const noexcept { return ptr_; }
  T* operator->() const noexcept { return ptr_; }
  T& operator*() const noexcept { return *ptr_; }
  explicit operator bool() const noexcept { return ptr_ != nullptr; }

  // Gives up the held reference without releasing it; the caller now owns that count.
  T* Detach() noexcept { return std::exchange(ptr_, nullptr); }
  void Reset() noexcept { Ref().swap(*this); }
  void swap(Ref& other) noexcept { std::swap(ptr_, other.ptr_); }

  friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.ptr_ == b.ptr_; }
  friend bool operator==(const Ref& a, std::nullptr_t) noexcept { return a.ptr_ == nullptr; }

 private:
  void Acquire() const noexcept {
    if (ptr_) ptr_->AddRef();
  }
  void ReleaseHeld() noexcept {
    if (ptr_) std::exchange(ptr_, nullptr)->Release();
  }

  T* ptr_ = nullptr;
};

template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
  return Ref<T>::Retain(new T(std::forward<Args>(args)...));
}
