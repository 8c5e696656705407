#pragma once

// The capability words that registration writes for asset and transition classes, made from the
// flags of the classes' information records.

#include <cstdint>

#include "DXClasses/DXClassInfo.h"

// "assetCaps" for the flags byte of an asset class's information: bit 0 gives 0x2, bit 1 0x1,
// bit 2 0x8, bit 3 0x30; for an asset that is no transition, bit 4 also gives 0x200 and bit 6
// 0x100. Bits 5 and 7 give nothing.
std::uint32_t AssetCaps(std::uint8_t flags, bool transition);

// "transitionCaps": Flag1 gives 0x1, Flag2 0x4, Flag3 0x2.
std::uint32_t TransitionCaps(const TDXTransitionInfo& info);

// "transitionDefaultArea": 1 when Flag1 and Flag4 are both set, else 0.
std::int32_t TransitionDefaultArea(const TDXTransitionInfo& info);
