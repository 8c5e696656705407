#pragma once

// IXmlObject: what every object of the library that a program holds offers, the two steps of
// its reference count. Hold them through Ref (common/RefCounted.h): an object goes when its
// last holder lets go; never delete one.

namespace xmldom {

class IXmlObject {
 public:
  virtual void AddRef() const noexcept = 0;
  virtual void Release() const noexcept = 0;

 protected:
  IXmlObject() = default;
  IXmlObject(const IXmlObject&) = default;
  IXmlObject& operator=(const IXmlObject&) = delete;
  ~IXmlObject() = default;
};

}  // namespace xmldom
