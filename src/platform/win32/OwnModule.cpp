#include "platform/win32/OwnModule.h"

namespace platform::win32 {

HMODULE OwnModuleHandle() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&OwnModuleHandle), &module);
  return module;
}

}  // namespace platform::win32
