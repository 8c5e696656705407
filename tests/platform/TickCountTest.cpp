// The 64-bit tick count that Windows programs and the module use where the system has none
// (Windows XP): the 32-bit clock's wraps carried into the upper half.

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/TickCountWraps.h"

#if defined(_WIN32)
#include <windows.h>
extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();
#endif

TEST(TickCount, WrapsAreCarriedIntoTheUpperHalf) {
  using platform::NextTickState;
  EXPECT_EQ(NextTickState(0, 5), 5u);
  EXPECT_EQ(NextTickState(5, 5), 5u);
  EXPECT_EQ(NextTickState(0xFFFFFFF0u, 0xFFFFFFFFu), 0xFFFFFFFFu);
  // Past 2^32 milliseconds, and again after that.
  EXPECT_EQ(NextTickState(0xFFFFFFFFu, 3), 0x100000003u);
  EXPECT_EQ(NextTickState(0x100000003u, 10), 0x10000000Au);
  EXPECT_EQ(NextTickState(0x1FFFFFFFEu, 1), 0x200000001u);
}

#if defined(_WIN32)
// Every program of the project carries the import slot itself; through it the call answers as
// the system clock does, on a system that has the function and on one that does not.
TEST(TickCount, ImportedCallFollowsTheSystemClock) {
  const DWORD before = GetTickCount();
  const ULONGLONG wide = GetTickCount64();
  const DWORD after = GetTickCount();
  EXPECT_LE(DWORD(wide) - before, after - before);
  EXPECT_LE(GetTickCount64() - wide, 1000u);
}
#endif
