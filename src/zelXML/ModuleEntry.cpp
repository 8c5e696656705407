// Placeholder entry points: the module loads and answers "not available" until the Xtra
// framework provides the class table.
#include <cstdint>

#ifdef _WIN32
#define ZEL_EXPORT extern "C"
#else
#define ZEL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {
constexpr std::int32_t kNotAvailable = std::int32_t(0x80040111);
}

ZEL_EXPORT std::int32_t DllGetClassForm(const void*, void*, void*, void*) { return kNotAvailable; }
ZEL_EXPORT std::int32_t DllCanUnloadNow() { return 0; }
ZEL_EXPORT std::int32_t DllGetClassObject(const void*, const void*, void**) {
  return kNotAvailable;
}
ZEL_EXPORT std::int32_t DllGetInterface(const void*, const void*, const void*, void**) {
  return kNotAvailable;
}
ZEL_EXPORT std::int32_t DllGetClassInfo(void**, void*) { return kNotAvailable; }
