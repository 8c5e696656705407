#pragma once

// THostRef: the host's one reference to an interface of a module's object, released when the
// holder goes (the last release ends the object and its record).

#include <utility>

namespace dxhost {

template <class TInterface>
class THostRef {
 public:
  THostRef() = default;
  // Takes over one reference the caller holds.
  explicit THostRef(TInterface* adopted) : object_(adopted) {}
  THostRef(THostRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  THostRef& operator=(THostRef&& other) noexcept {
    if (this != &other) {
      Release();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  THostRef(const THostRef&) = delete;
  THostRef& operator=(const THostRef&) = delete;
  ~THostRef() { Release(); }

  void Release() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }
  TInterface* Get() const { return object_; }
  TInterface* operator->() const { return object_; }
  TInterface& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  TInterface* object_ = nullptr;
};

}  // namespace dxhost
