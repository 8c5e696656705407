// The capability words of asset and transition classes, one flag at a time: a swapped or
// missing bit shows in the word of its own flag.

#include <gtest/gtest.h>

#include "DXClasses/DXKindCaps.h"

namespace {

TEST(DXKindCaps, EachAssetFlagAloneGivesItsOwnBits) {
  struct TCase {
    std::uint8_t Flag;
    std::uint32_t Asset, Transition;
  };
  const TCase cases[] = {
      {0x01, 0x002, 0x002}, {0x02, 0x001, 0x001}, {0x04, 0x008, 0x008}, {0x08, 0x030, 0x030},
      {0x10, 0x200, 0x000}, {0x20, 0x000, 0x000}, {0x40, 0x100, 0x000}, {0x80, 0x000, 0x000},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(AssetCaps(c.Flag, false), c.Asset) << int(c.Flag);
    EXPECT_EQ(AssetCaps(c.Flag, true), c.Transition) << int(c.Flag);
  }
  EXPECT_EQ(AssetCaps(0, false), 0u);
  EXPECT_EQ(AssetCaps(0xFF, false), 0x33Bu);
  EXPECT_EQ(AssetCaps(0xFF, true), 0x03Bu);
}

TEST(DXKindCaps, EachTransitionFlagAloneGivesItsOwnBit) {
  const auto caps = [](std::uint8_t f1, std::uint8_t f2, std::uint8_t f3, std::uint8_t f4) {
    TDXTransitionInfo info;
    info.Flag1 = f1;
    info.Flag2 = f2;
    info.Flag3 = f3;
    info.Flag4 = f4;
    return TransitionCaps(info);
  };
  EXPECT_EQ(caps(1, 0, 0, 0), 0x1u);
  EXPECT_EQ(caps(0, 1, 0, 0), 0x4u);
  EXPECT_EQ(caps(0, 0, 1, 0), 0x2u);
  EXPECT_EQ(caps(0, 0, 0, 1), 0x0u);
  EXPECT_EQ(caps(1, 1, 1, 1), 0x7u);
}

TEST(DXKindCaps, TheDefaultAreaNeedsBothFlags) {
  const auto area = [](std::uint8_t f1, std::uint8_t f4) {
    TDXTransitionInfo info;
    info.Flag1 = f1;
    info.Flag2 = 1;
    info.Flag3 = 1;
    info.Flag4 = f4;
    return TransitionDefaultArea(info);
  };
  EXPECT_EQ(area(0, 0), 0);
  EXPECT_EQ(area(1, 0), 0);
  EXPECT_EQ(area(0, 1), 0);
  EXPECT_EQ(area(1, 1), 1);
}

}  // namespace
