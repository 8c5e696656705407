#pragma once

// A dynamic library loaded into the process: a module a host drives, found by its path.

#include <string>

namespace platform {

class TDynamicLibrary {
 public:
  TDynamicLibrary() = default;
  TDynamicLibrary(TDynamicLibrary&& other) noexcept;
  TDynamicLibrary& operator=(TDynamicLibrary&& other) noexcept;
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;
  ~TDynamicLibrary() { Unload(); }

  // Loads the library at path, unloading one held before. False, with the system's text in
  // ErrorText, when the system refuses.
  bool Load(const std::string& path);
  void Unload() noexcept;
  bool IsLoaded() const { return handle_ != nullptr; }

  // The address of an exported symbol, or null.
  void* Symbol(const char* name) const;
  const std::string& ErrorText() const { return errorText_; }

 private:
  void* handle_ = nullptr;
  std::string errorText_;
};

}  // namespace platform
