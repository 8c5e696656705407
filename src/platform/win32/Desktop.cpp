#include "platform/Desktop.h"

#include <windows.h>

#include <cstring>
#include <utility>

namespace platform {
namespace {

TDesktop& InstalledDesktop() {
  static TDesktop desktop;
  return desktop;
}

int WINAPI DesktopMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const TMessageBoxSink& box = InstalledDesktop().Box;
  if (!box) return MessageBoxA(owner, text, caption, type);
  try {
    box(caption ? caption : "Error", text ? text : "");
  } catch (...) {
    // A box that fails is a box closed.
  }
  return IDOK;
}

void WINAPI DesktopGetLocalTime(LPSYSTEMTIME now) {
  const TClock& clock = InstalledDesktop().Clock;
  if (!clock || !now) return GetLocalTime(now);
  try {
    const TLocalDateTime t = clock();
    *now = {WORD(t.Year),   WORD(t.Month),      0, WORD(t.Day), WORD(t.Hour), WORD(t.Minute),
            WORD(t.Second), WORD(t.Millisecond)};
  } catch (...) {
    GetLocalTime(now);
  }
}

template <class T>
T* At(HMODULE module, DWORD offset) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + offset);
}

// Points the module's import slot of dll!function at replacement. Only imports by name are
// found: the system's own DLLs are imported that way.
bool RedirectImport(HMODULE module, const char* dll, const char* function, void* replacement) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
  const auto* nt = At<const IMAGE_NT_HEADERS>(module, DWORD(dos->e_lfanew));
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return false;
  for (auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress); entry->Name;
       ++entry) {
    if (lstrcmpiA(At<const char>(module, entry->Name), dll) != 0 || entry->OriginalFirstThunk == 0)
      continue;
    auto* name = At<IMAGE_THUNK_DATA>(module, entry->OriginalFirstThunk);
    auto* slot = At<IMAGE_THUNK_DATA>(module, entry->FirstThunk);
    for (; name->u1.AddressOfData; ++name, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
      const auto* byName = At<const IMAGE_IMPORT_BY_NAME>(module, DWORD(name->u1.AddressOfData));
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      DWORD protection = 0;
      if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE,
                          &protection))
        return false;
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
      return true;
    }
  }
  return false;
}

}  // namespace

TDesktop SetProcessDesktop(TDesktop desktop) {
  return std::exchange(InstalledDesktop(), std::move(desktop));
}

bool AttachModuleToDesktop(const std::string& modulePath) {
  // Loading it again finds the module already loaded, as the system resolves the path.
  const HMODULE module = LoadLibraryA(modulePath.c_str());
  if (!module) return false;
  RedirectImport(module, "user32.dll", "MessageBoxA", reinterpret_cast<void*>(&DesktopMessageBoxA));
  RedirectImport(module, "kernel32.dll", "GetLocalTime",
                 reinterpret_cast<void*>(&DesktopGetLocalTime));
  FreeLibrary(module);
  return true;
}

}  // namespace platform
