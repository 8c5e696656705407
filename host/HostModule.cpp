#include "host/HostModule.h"

namespace dxhost {
namespace {

template <class TEntry>
bool Resolve(const platform::TDynamicLibrary& library, const char* name, TEntry& entry,
             std::string& missing) {
  entry = reinterpret_cast<TEntry>(library.Symbol(name));
  if (!entry) missing += missing.empty() ? name : std::string(", ") + name;
  return entry != nullptr;
}

}  // namespace

bool THostModule::Load(const std::string& path) {
  Unload();
  if (!library_.Load(path)) {
    errorText_ = "cannot load \"" + path + "\": " + library_.ErrorText();
    return false;
  }
  std::string missing;
  Resolve(library_, "DllGetClassForm", exports_.GetClassForm, missing);
  Resolve(library_, "DllCanUnloadNow", exports_.CanUnloadNow, missing);
  Resolve(library_, "DllGetClassObject", exports_.GetClassObject, missing);
  Resolve(library_, "DllGetInterface", exports_.GetInterface, missing);
  Resolve(library_, "DllGetClassInfo", exports_.GetClassInfo, missing);
  if (!missing.empty()) {
    errorText_ = "\"" + path + "\" does not export " + missing;
    Unload();
    return false;
  }
  errorText_.clear();
  return true;
}

void THostModule::Unload() noexcept {
  library_.Unload();
  exports_ = {};
}

}  // namespace dxhost
