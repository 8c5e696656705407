#pragma once

// Class identifiers of the test modules' classes, shared with the tests that drive them.

#include "DXInt/MoaTypes.h"

inline constexpr MoaClassID kProbeClassID = MakeMoaID("8C302BAF-9949-46D5-A939-FC34807210D6");
inline constexpr MoaClassID kFallbackClassID = MakeMoaID("B0D6A409-B6CA-4372-BAB9-3B537B4FBC55");
inline constexpr MoaClassID kNewArgClassID = MakeMoaID("7A2198EE-1656-46EC-86A4-C1748ADA0DF3");
inline constexpr MoaClassID kHandWrittenClassID = MakeMoaID("CEE44AE6-D25C-4E69-8ABF-19A3B31B6898");
inline constexpr MoaClassID kPartialClassID = MakeMoaID("D7796703-D4A2-4D56-84D3-1152A01A1C86");
inline constexpr MoaClassID kTableClassID = MakeMoaID("7F265F71-C3D4-4BA5-AB54-23C323321685");
inline constexpr MoaClassID kInitializerClassID = MakeMoaID("105595FF-49CC-4F4E-A596-5F80E4B5B377");
inline constexpr MoaClassID kRegisterClassID = MakeMoaID("DBB58DC4-49B2-452D-8C21-6082BA5C08C8");
