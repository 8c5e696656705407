#pragma once

// A fuzz target: one function that takes arbitrary bytes and must neither crash, nor read out
// of bounds, nor leak, whatever they are. Built two ways: with libFuzzer's engine in the fuzz
// preset (the function is the engine's entry point), and in every test leg, where a replay
// test feeds it the seed corpus and every regression input that fuzzing ever found.

#include <cstddef>
#include <cstdint>

#ifdef ZEL_FUZZ_ENGINE

#define ZEL_FUZZ_TARGET(name) \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)

#else

namespace fuzzing {
using TTarget = int (*)(const std::uint8_t* data, std::size_t size);
bool RegisterTarget(const char* name, TTarget target);
}  // namespace fuzzing

#define ZEL_FUZZ_TARGET(name)                                            \
  static int FuzzOne_##name(const std::uint8_t* data, std::size_t size); \
  [[maybe_unused]] static const bool kRegistered_##name =                \
      fuzzing::RegisterTarget(#name, FuzzOne_##name);                    \
  static int FuzzOne_##name(const std::uint8_t* data, std::size_t size)

#endif
