#pragma once

// Class identifiers of the kinds test module, shared with the tests that drive it.

#include "DXInt/MoaTypes.h"

inline constexpr MoaClassID kKindAssetClassID = MakeMoaID("3E1F0C52-7A4B-4C1D-9E2F-5A6B7C8D9E01");
inline constexpr MoaClassID kKindTransitionAssetClassID =
    MakeMoaID("3E1F0C52-7A4B-4C1D-9E2F-5A6B7C8D9E02");
inline constexpr MoaClassID kPlainAssetClassID = MakeMoaID("3E1F0C52-7A4B-4C1D-9E2F-5A6B7C8D9E03");
inline constexpr MoaClassID kKindSpriteClassID = MakeMoaID("3E1F0C52-7A4B-4C1D-9E2F-5A6B7C8D9E04");
inline constexpr MoaClassID kKindTransitionClassID =
    MakeMoaID("3E1F0C52-7A4B-4C1D-9E2F-5A6B7C8D9E05");
inline constexpr MoaClassID kKindToolClassID = MakeMoaID("3E1F0C52-7A4B-4C1D-9E2F-5A6B7C8D9E06");
inline constexpr MoaClassID kKindPageClassID = MakeMoaID("3E1F0C52-7A4B-4C1D-9E2F-5A6B7C8D9E07");
inline constexpr MoaClassID kWrapperProbeClassID =
    MakeMoaID("3E1F0C52-7A4B-4C1D-9E2F-5A6B7C8D9E08");
inline constexpr MoaClassID kKindsRegisterClassID =
    MakeMoaID("3E1F0C52-7A4B-4C1D-9E2F-5A6B7C8D9E09");
