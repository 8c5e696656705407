#pragma once

// Identifiers of the host's services and of the interfaces the host asks of a module.

#include "DXInt/MoaTypes.h"

// ---- Services the host offers.
inline constexpr MoaInterfaceID kIID_IMoaMmValue =
    MakeMoaID("151A5780-32BD-11D0-8151-00AA005F3C08");
inline constexpr MoaInterfaceID kIID_IMoaMmList = MakeMoaID("AC96CF98-0045-5C0B-0000-0040105023FB");
inline constexpr MoaInterfaceID kIID_IMoaColorService =
    MakeMoaID("F36721D0-11E7-11D2-9D18-00104B2797F3");
inline constexpr MoaInterfaceID kIID_IMoaPairService =
    MakeMoaID("C479AE20-41B2-11D0-96BF-00059A80E82F");
inline constexpr MoaInterfaceID kIID_IMoaDict = MakeMoaID("AC41A018-0013-4760-0000-08000737AF92");
inline constexpr MoaInterfaceID kIID_IMoaAppInfo =
    MakeMoaID("ACC7E2B8-000A-B4D0-0000-080007160DC3");
inline constexpr MoaInterfaceID kIID_IMoaUtility =
    MakeMoaID("D9088161-32BF-11D0-8151-00AA005F3C08");
inline constexpr MoaInterfaceID kIID_IMoaPlayer = MakeMoaID("AC401B78-0000-FA7D-0000-0800072C6326");
inline constexpr MoaInterfaceID kIID_IMoaMessageService =
    MakeMoaID("3F698780-32BE-11D0-8151-00AA005F3C08");
inline constexpr MoaInterfaceID kIID_IMoaDrMovie =
    MakeMoaID("AC401B61-0000-F576-0000-0800072C6326");
// The movie's second interface, with its command slot.
inline constexpr MoaInterfaceID kIID_IMoaDrMovie2 =
    MakeMoaID("5B0D82A7-3257-11D0-A222-00A02453444C");
inline constexpr MoaInterfaceID kIID_IMoaDrCast = MakeMoaID("AC401AEC-0000-D9F8-0000-0800072C6326");
inline constexpr MoaInterfaceID kIID_IMoaDrCastMem =
    MakeMoaID("AC401AB5-0000-CD03-0000-0800072C6326");
inline constexpr MoaInterfaceID kIID_IMoaHandleService =
    MakeMoaID("AB9D9921-7F02-2F99-487F-080007160DC3");
inline constexpr MoaInterfaceID kIID_IMoaStream = MakeMoaID("AC734D52-005D-042A-0000-080007160DC3");
inline constexpr MoaInterfaceID kIID_IMoaAssetCallback =
    MakeMoaID("91432B40-3DCE-11D0-8151-00AA005F3C08");

// ---- Interfaces the host asks of a module's objects.
inline constexpr MoaInterfaceID kIID_IMoaUnknown =
    MakeMoaID("00000000-0000-0000-C000-000000000046");
inline constexpr MoaInterfaceID kIID_IMoaClassFactory =
    MakeMoaID("00000001-0000-0000-C000-000000000046");
inline constexpr MoaInterfaceID kIID_IMoaRegister =
    MakeMoaID("AC3E7803-0002-8FE5-0000-080007160DC3");
inline constexpr MoaInterfaceID kIID_IMoaInitialize =
    MakeMoaID("AA3E3B1E-4773-11CF-824E-00009403C70F");
inline constexpr MoaInterfaceID kIID_IMoaFinalize =
    MakeMoaID("D74E09F4-4773-11CF-824E-00009403C70F");
inline constexpr MoaInterfaceID kIID_IMoaScriptCall =
    MakeMoaID("AC401FB6-0001-F9B0-0000-0800072C6326");
inline constexpr MoaInterfaceID kIID_IMoaScriptStub =
    MakeMoaID("18DBCCF2-3671-11D0-82A3-080007F78FBF");
inline constexpr MoaInterfaceID kIID_IMoaTool = MakeMoaID("ACCFF6D4-0018-10D5-0000-080007FC20C1");
inline constexpr MoaInterfaceID kIID_IMoaPropertyPage =
    MakeMoaID("35F34993-6FB8-11D3-B85E-00902754C68C");
inline constexpr MoaInterfaceID kIID_IMoaAsset = MakeMoaID("AC401E5C-0001-A855-0000-0800072C6326");
inline constexpr MoaInterfaceID kIID_IMoaAssetDescription =
    MakeMoaID("161D29AC-438C-11D0-8A0E-080007F78FBF");
inline constexpr MoaInterfaceID kIID_IMoaSprite = MakeMoaID("AC401E76-0001-AEA7-0000-0800072C6326");
inline constexpr MoaInterfaceID kIID_IMoaTransition =
    MakeMoaID("AC401E9C-0001-B768-0000-0800072C6326");
