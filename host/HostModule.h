#pragma once

// A module loaded by the host, with its five entry points.

#include <string>

#include "DXInt/MoaExports.h"
#include "platform/DynamicLibrary.h"

namespace dxhost {

struct THostExports {
  TDllGetClassForm GetClassForm = nullptr;
  TDllCanUnloadNow CanUnloadNow = nullptr;
  TDllGetClassObject GetClassObject = nullptr;
  TDllGetInterface GetInterface = nullptr;
  TDllGetClassInfo GetClassInfo = nullptr;
};

class THostModule {
 public:
  // Loads the module and finds its entry points; false, with ErrorText, when the system
  // refuses the file or an entry point is missing.
  bool Load(const std::string& path);
  void Unload() noexcept;
  bool IsLoaded() const { return library_.IsLoaded(); }
  const THostExports& Exports() const { return exports_; }
  const std::string& ErrorText() const { return errorText_; }

 private:
  platform::TDynamicLibrary library_;
  THostExports exports_;
  std::string errorText_;
};

}  // namespace dxhost
