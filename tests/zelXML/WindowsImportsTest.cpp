// The Windows module and tools load on Windows XP SP2 and later: they import only system DLLs
// and only functions that XP SP2 has, and their headers name versions XP's loader accepts. A
// DLL that imports one function the system lacks does not load at all, and Director then
// simply leaves the Xtra out, so this reads the built files' import tables with our own PE
// reader and holds every import against a list of functions known on XP SP2.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ExecutableImage.h"
#include "platform/PeImports.h"

namespace {

// _WIN32_WINNT values: the version that introduced a function, from the mingw headers' guards
// or the function's documented minimum. 0x0500 stands for Windows 2000 or earlier.
constexpr std::uint16_t kWindows2000 = 0x0500;
constexpr std::uint16_t kWindowsXp = 0x0501;
constexpr std::uint16_t kSupportedFrom = kWindowsXp;  // SP2

struct TKnownFunction {
  std::string_view Dll;
  std::string_view Name;
  std::uint16_t Since;
};

// clang-format off
constexpr TKnownFunction kKnownFunctions[] = {
  // kernel32: threads, synchronisation, exceptions (the runtime's and the thread library's)
  {"kernel32.dll", "AddVectoredExceptionHandler", kWindowsXp},
  {"kernel32.dll", "RemoveVectoredExceptionHandler", kWindowsXp},
  {"kernel32.dll", "SetUnhandledExceptionFilter", kWindows2000},
  {"kernel32.dll", "RaiseException", kWindows2000},
  {"kernel32.dll", "IsDebuggerPresent", kWindows2000},
  {"kernel32.dll", "OutputDebugStringA", kWindows2000},
  {"kernel32.dll", "CreateThread", kWindows2000},
  {"kernel32.dll", "ResumeThread", kWindows2000},
  {"kernel32.dll", "SuspendThread", kWindows2000},
  {"kernel32.dll", "GetThreadContext", kWindows2000},
  {"kernel32.dll", "SetThreadContext", kWindows2000},
  {"kernel32.dll", "GetThreadPriority", kWindows2000},
  {"kernel32.dll", "SetThreadPriority", kWindows2000},
  {"kernel32.dll", "GetCurrentThread", kWindows2000},
  {"kernel32.dll", "GetCurrentThreadId", kWindows2000},
  {"kernel32.dll", "GetCurrentProcess", kWindows2000},
  {"kernel32.dll", "GetCurrentProcessId", kWindows2000},
  {"kernel32.dll", "OpenProcess", kWindows2000},
  {"kernel32.dll", "GetProcessAffinityMask", kWindows2000},
  {"kernel32.dll", "SetProcessAffinityMask", kWindows2000},
  {"kernel32.dll", "DuplicateHandle", kWindows2000},
  {"kernel32.dll", "GetHandleInformation", kWindows2000},
  {"kernel32.dll", "CloseHandle", kWindows2000},
  {"kernel32.dll", "CreateEventA", kWindows2000},
  {"kernel32.dll", "SetEvent", kWindows2000},
  {"kernel32.dll", "ResetEvent", kWindows2000},
  {"kernel32.dll", "CreateSemaphoreA", kWindows2000},
  {"kernel32.dll", "ReleaseSemaphore", kWindows2000},
  {"kernel32.dll", "WaitForSingleObject", kWindows2000},
  {"kernel32.dll", "WaitForMultipleObjects", kWindows2000},
  {"kernel32.dll", "InitializeCriticalSection", kWindows2000},
  {"kernel32.dll", "EnterCriticalSection", kWindows2000},
  {"kernel32.dll", "TryEnterCriticalSection", kWindows2000},
  {"kernel32.dll", "LeaveCriticalSection", kWindows2000},
  {"kernel32.dll", "DeleteCriticalSection", kWindows2000},
  {"kernel32.dll", "TlsAlloc", kWindows2000},
  {"kernel32.dll", "TlsGetValue", kWindows2000},
  {"kernel32.dll", "TlsSetValue", kWindows2000},
  {"kernel32.dll", "Sleep", kWindows2000},
  {"kernel32.dll", "GetTickCount", kWindows2000},
  {"kernel32.dll", "GetSystemTimeAsFileTime", kWindows2000},
  {"kernel32.dll", "GetLocalTime", kWindows2000},
  {"kernel32.dll", "GetLastError", kWindows2000},
  {"kernel32.dll", "SetLastError", kWindows2000},
  {"kernel32.dll", "FormatMessageA", kWindows2000},
  {"kernel32.dll", "LocalFree", kWindows2000},
  {"kernel32.dll", "VirtualProtect", kWindows2000},
  {"kernel32.dll", "VirtualQuery", kWindows2000},
  // kernel32: modules and resources
  {"kernel32.dll", "GetModuleHandleA", kWindows2000},
  {"kernel32.dll", "GetModuleHandleW", kWindows2000},
  {"kernel32.dll", "GetModuleHandleExA", kWindowsXp},
  {"kernel32.dll", "GetModuleFileNameA", kWindows2000},
  {"kernel32.dll", "GetProcAddress", kWindows2000},
  {"kernel32.dll", "LoadLibraryA", kWindows2000},
  {"kernel32.dll", "LoadLibraryW", kWindows2000},
  {"kernel32.dll", "FreeLibrary", kWindows2000},
  {"kernel32.dll", "FindResourceA", kWindows2000},
  {"kernel32.dll", "LoadResource", kWindows2000},
  {"kernel32.dll", "LockResource", kWindows2000},
  {"kernel32.dll", "SizeofResource", kWindows2000},
  // kernel32: files
  {"kernel32.dll", "CreateFileA", kWindows2000},
  {"kernel32.dll", "ReadFile", kWindows2000},
  {"kernel32.dll", "WriteFile", kWindows2000},
  {"kernel32.dll", "DeleteFileA", kWindows2000},
  {"kernel32.dll", "MoveFileExA", kWindows2000},
  {"kernel32.dll", "GetFileAttributesA", kWindows2000},
  {"kernel32.dll", "GetFileSizeEx", kWindows2000},
  {"kernel32.dll", "SetFilePointerEx", kWindows2000},
  {"kernel32.dll", "GetFileType", kWindows2000},
  {"kernel32.dll", "GetFullPathNameA", kWindows2000},
  {"kernel32.dll", "FlushFileBuffers", kWindows2000},
  {"kernel32.dll", "SetEndOfFile", kWindows2000},
  {"kernel32.dll", "GetFileAttributesExA", kWindows2000},
  {"kernel32.dll", "GetFileInformationByHandle", kWindows2000},
  {"kernel32.dll", "SetFileAttributesA", kWindows2000},
  {"kernel32.dll", "GetTempFileNameA", kWindows2000},
  {"kernel32.dll", "ReplaceFileA", kWindows2000},
  // kernel32: text, locales, the console
  {"kernel32.dll", "MultiByteToWideChar", kWindows2000},
  {"kernel32.dll", "WideCharToMultiByte", kWindows2000},
  {"kernel32.dll", "IsDBCSLeadByteEx", kWindows2000},
  {"kernel32.dll", "GetACP", kWindows2000},
  {"kernel32.dll", "GetLocaleInfoA", kWindows2000},
  {"kernel32.dll", "CompareStringA", kWindows2000},
  {"kernel32.dll", "lstrcmpiA", kWindows2000},
  {"kernel32.dll", "GetStartupInfoA", kWindows2000},
  {"kernel32.dll", "GetStdHandle", kWindows2000},
  {"kernel32.dll", "GetConsoleMode", kWindows2000},
  {"kernel32.dll", "SetConsoleMode", kWindows2000},
  {"kernel32.dll", "GetConsoleCP", kWindows2000},
  {"kernel32.dll", "SetConsoleCP", kWindows2000},
  {"kernel32.dll", "GetConsoleOutputCP", kWindows2000},
  {"kernel32.dll", "SetConsoleOutputCP", kWindows2000},
  {"kernel32.dll", "SetConsoleCtrlHandler", kWindows2000},
  {"kernel32.dll", "ReadConsoleA", kWindows2000},
  {"kernel32.dll", "ReadConsoleW", kWindows2000},
  {"kernel32.dll", "WriteConsoleA", kWindows2000},
  {"kernel32.dll", "WriteConsoleW", kWindows2000},
  // user32, shell32, version: the message box, letter classes, file types, version resources
  {"user32.dll", "MessageBoxA", kWindows2000},
  {"user32.dll", "IsCharAlphaA", kWindows2000},
  {"user32.dll", "IsCharAlphaNumericA", kWindows2000},
  {"shell32.dll", "SHGetFileInfoA", kWindows2000},
  {"version.dll", "GetFileVersionInfoA", kWindows2000},
  {"version.dll", "GetFileVersionInfoSizeA", kWindows2000},
  {"version.dll", "VerQueryValueA", kWindows2000},
  // msvcrt: the C runtime that ships with every Windows; _fstat64 came with XP's (7.0)
  {"msvcrt.dll", "_fstat64", kWindowsXp},
  {"msvcrt.dll", "__getmainargs", kWindows2000}, {"msvcrt.dll", "__initenv", kWindows2000},
  {"msvcrt.dll", "__mb_cur_max", kWindows2000}, {"msvcrt.dll", "__p__acmdln", kWindows2000},
  {"msvcrt.dll", "__p__commode", kWindows2000}, {"msvcrt.dll", "__p__fmode", kWindows2000},
  {"msvcrt.dll", "__set_app_type", kWindows2000},
  {"msvcrt.dll", "__setusermatherr", kWindows2000}, {"msvcrt.dll", "_amsg_exit", kWindows2000},
  {"msvcrt.dll", "_assert", kWindows2000}, {"msvcrt.dll", "_beginthreadex", kWindows2000},
  {"msvcrt.dll", "_cexit", kWindows2000}, {"msvcrt.dll", "_close", kWindows2000},
  {"msvcrt.dll", "_endthreadex", kWindows2000}, {"msvcrt.dll", "_errno", kWindows2000},
  {"msvcrt.dll", "_fdopen", kWindows2000}, {"msvcrt.dll", "_filelengthi64", kWindows2000},
  {"msvcrt.dll", "_fileno", kWindows2000}, {"msvcrt.dll", "_initterm", kWindows2000},
  {"msvcrt.dll", "_iob", kWindows2000}, {"msvcrt.dll", "_lock", kWindows2000},
  {"msvcrt.dll", "_lseeki64", kWindows2000}, {"msvcrt.dll", "_onexit", kWindows2000},
  {"msvcrt.dll", "_read", kWindows2000}, {"msvcrt.dll", "_setjmp3", kWindows2000},
  {"msvcrt.dll", "_setmode", kWindows2000}, {"msvcrt.dll", "_strdup", kWindows2000},
  {"msvcrt.dll", "_ultoa", kWindows2000}, {"msvcrt.dll", "_unlock", kWindows2000},
  {"msvcrt.dll", "_wfopen", kWindows2000}, {"msvcrt.dll", "_write", kWindows2000},
  {"msvcrt.dll", "_open", kWindows2000}, {"msvcrt.dll", "_isatty", kWindows2000},
  {"msvcrt.dll", "_get_osfhandle", kWindows2000}, {"msvcrt.dll", "_getpid", kWindows2000},
  {"msvcrt.dll", "abort", kWindows2000}, {"msvcrt.dll", "atoi", kWindows2000},
  {"msvcrt.dll", "calloc", kWindows2000}, {"msvcrt.dll", "exit", kWindows2000},
  {"msvcrt.dll", "clearerr", kWindows2000},
  {"msvcrt.dll", "fclose", kWindows2000}, {"msvcrt.dll", "fflush", kWindows2000},
  {"msvcrt.dll", "fgetpos", kWindows2000}, {"msvcrt.dll", "fopen", kWindows2000},
  {"msvcrt.dll", "fprintf", kWindows2000}, {"msvcrt.dll", "fputc", kWindows2000},
  {"msvcrt.dll", "fputs", kWindows2000}, {"msvcrt.dll", "fread", kWindows2000},
  {"msvcrt.dll", "free", kWindows2000}, {"msvcrt.dll", "fsetpos", kWindows2000},
  {"msvcrt.dll", "fwrite", kWindows2000}, {"msvcrt.dll", "getc", kWindows2000},
  {"msvcrt.dll", "getwc", kWindows2000}, {"msvcrt.dll", "islower", kWindows2000},
  {"msvcrt.dll", "isspace", kWindows2000}, {"msvcrt.dll", "isupper", kWindows2000},
  {"msvcrt.dll", "iswctype", kWindows2000}, {"msvcrt.dll", "localeconv", kWindows2000},
  {"msvcrt.dll", "longjmp", kWindows2000}, {"msvcrt.dll", "malloc", kWindows2000},
  {"msvcrt.dll", "memchr", kWindows2000}, {"msvcrt.dll", "memcmp", kWindows2000},
  {"msvcrt.dll", "memcpy", kWindows2000}, {"msvcrt.dll", "memmove", kWindows2000},
  {"msvcrt.dll", "memset", kWindows2000}, {"msvcrt.dll", "printf", kWindows2000},
  {"msvcrt.dll", "putc", kWindows2000}, {"msvcrt.dll", "putwc", kWindows2000},
  {"msvcrt.dll", "realloc", kWindows2000}, {"msvcrt.dll", "setlocale", kWindows2000},
  {"msvcrt.dll", "setvbuf", kWindows2000}, {"msvcrt.dll", "signal", kWindows2000},
  {"msvcrt.dll", "strchr", kWindows2000}, {"msvcrt.dll", "strcmp", kWindows2000},
  {"msvcrt.dll", "strcoll", kWindows2000}, {"msvcrt.dll", "strerror", kWindows2000},
  {"msvcrt.dll", "strftime", kWindows2000}, {"msvcrt.dll", "strlen", kWindows2000},
  {"msvcrt.dll", "strncmp", kWindows2000}, {"msvcrt.dll", "strtoul", kWindows2000},
  {"msvcrt.dll", "strxfrm", kWindows2000}, {"msvcrt.dll", "towlower", kWindows2000},
  {"msvcrt.dll", "towupper", kWindows2000}, {"msvcrt.dll", "ungetc", kWindows2000},
  {"msvcrt.dll", "ungetwc", kWindows2000}, {"msvcrt.dll", "vfprintf", kWindows2000},
  {"msvcrt.dll", "wcscoll", kWindows2000}, {"msvcrt.dll", "wcsftime", kWindows2000},
  {"msvcrt.dll", "wcslen", kWindows2000}, {"msvcrt.dll", "wcsxfrm", kWindows2000},
};
// clang-format on

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool IsSystemDll(std::string_view dll) {
  const std::string name = Lower(dll);
  return std::any_of(std::begin(kKnownFunctions), std::end(kKnownFunctions),
                     [&](const TKnownFunction& known) { return known.Dll == name; });
}

const TKnownFunction* Known(std::string_view dll, std::string_view function) {
  const std::string name = Lower(dll);
  for (const TKnownFunction& known : kKnownFunctions)
    if (known.Dll == name && known.Name == function) return &known;
  return nullptr;
}

// Every import of a file that is not known on XP SP2, as "DLL!function" lines.
std::string ImportsMissingOnXp(const platform::TPeLoadRequirements& requirements) {
  std::string missing;
  for (const platform::TPeImportedDll& dll : requirements.Imports) {
    if (!IsSystemDll(dll.Name)) {
      missing += dll.Name + " is not a system DLL of Windows XP\n";
      continue;
    }
    for (const std::string& function : dll.Functions) {
      const TKnownFunction* known = Known(dll.Name, function);
      if (!known)
        missing += dll.Name + "!" + function + " is not known on Windows XP SP2\n";
      else if (known->Since > kSupportedFrom)
        missing += dll.Name + "!" + function + " is newer than Windows XP SP2\n";
    }
  }
  return missing;
}

class WindowsImports : public testing::TestWithParam<const char*> {
 protected:
  std::string Path() const { return std::string(ZEL_WINDOWS_BUILD_DIR) + "/" + GetParam(); }
};

}  // namespace

// What XP's loader accepts of the header: subsystem and system versions 4.0 up to 5.1.
TEST_P(WindowsImports, LoadOnWindowsXpSp2) {
  const platform::TFileBytes file(Path());
  ASSERT_GT(file.Size(), 0u) << Path() << " is missing: build the win32 preset first "
                             << "(cmake --build --preset win32), as scripts/test does";
  const auto requirements = platform::ReadPeLoadRequirements(file);
  ASSERT_TRUE(requirements) << Path() << " is not a readable PE image";
  EXPECT_EQ(ImportsMissingOnXp(*requirements), "");
  EXPECT_FALSE(requirements->Imports.empty());
  const auto version = [](unsigned major, unsigned minor) { return major << 8 | minor; };
  const unsigned os = version(requirements->OsVersionMajor, requirements->OsVersionMinor);
  const unsigned subsystem =
      version(requirements->SubsystemVersionMajor, requirements->SubsystemVersionMinor);
  EXPECT_TRUE(os == 0x0400 || os == 0x0501) << std::hex << os;
  EXPECT_TRUE(subsystem == 0x0400 || subsystem == 0x0501) << std::hex << subsystem;
  EXPECT_TRUE(requirements->Subsystem == 2 || requirements->Subsystem == 3)
      << "subsystem " << requirements->Subsystem;
}

INSTANTIATE_TEST_SUITE_P(ShippedFiles, WindowsImports,
                         testing::Values("zelXML.x32", "xtra-host.exe", "zelxml.exe"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// The list is what the check stands on: an import it lacks or one newer than XP is named.
TEST(WindowsImportCheck, NamesWhatXpLacks) {
  platform::TPeLoadRequirements requirements;
  requirements.Imports = {{"KERNEL32.dll", {"CloseHandle", "GetTickCount64", "GetModuleHandleExA"}},
                          {"msvcrt.dll", {"malloc"}},
                          {"libwinpthread-1.dll", {"pthread_create"}}};
  EXPECT_EQ(ImportsMissingOnXp(requirements),
            "KERNEL32.dll!GetTickCount64 is not known on Windows XP SP2\n"
            "libwinpthread-1.dll is not a system DLL of Windows XP\n");
}

TEST(WindowsImportCheck, TheReaderRefusesWhatIsNoImage) {
  EXPECT_FALSE(platform::ReadPeLoadRequirements(platform::TMemoryBytes("")));
  const std::string notAnImage(4096, 'M');
  EXPECT_FALSE(platform::ReadPeLoadRequirements(platform::TMemoryBytes(notAnImage)));
  // A real image cut short: its import table lies past the end.
  const platform::TFileBytes module(std::string(ZEL_WINDOWS_BUILD_DIR) + "/zelXML.x32");
  std::string head(1024, '\0');
  ASSERT_TRUE(module.Read(0, head.data(), head.size()));
  EXPECT_FALSE(platform::ReadPeLoadRequirements(platform::TMemoryBytes(head)));
}
