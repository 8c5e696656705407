// A module that carries nothing but the product's version resource, so that the resource is
// tested in a module as the product builds it, apart from the product module itself.
#ifdef _WIN32
#define PROBE_EXPORT extern "C" __declspec(dllexport)
#else
#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

PROBE_EXPORT int ZelVersionProbe() {
  return 1;
}
