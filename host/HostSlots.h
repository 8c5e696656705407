#pragma once

// The operations of the host's services that fault injection can fail, by name: the service and
// the operation's slot in its interface (slots 0 to 2 are the reference counting ones). Names
// are the service's and the operation's, as the interfaces of src/DXInt name them.
//
//   host.Faults().Fail(dxhost::kListsNewPropertyList);

#include "host/HostFaults.h"

namespace dxhost {

// IMoaHostServices.
inline constexpr THostSlot kHostServicesCreateObject{THostService::HostServices, 3};
inline constexpr THostSlot kHostServicesGetRegistry{THostService::HostServices, 4};

// IMoaAllocator.
inline constexpr THostSlot kAllocatorAllocate{THostService::Allocator, 3};

// IMoaMmValue.
inline constexpr THostSlot kValuesStringToSymbol{THostService::Values, 3};
inline constexpr THostSlot kValuesSymbolToString{THostService::Values, 4};
inline constexpr THostSlot kValuesValueType{THostService::Values, 5};
inline constexpr THostSlot kValuesValueAddRef{THostService::Values, 6};
inline constexpr THostSlot kValuesValueToInteger{THostService::Values, 8};
inline constexpr THostSlot kValuesValueToSymbol{THostService::Values, 9};
inline constexpr THostSlot kValuesValueToFloat{THostService::Values, 10};
inline constexpr THostSlot kValuesStringLength{THostService::Values, 11};
inline constexpr THostSlot kValuesValueToString{THostService::Values, 12};
inline constexpr THostSlot kValuesValueToPoint{THostService::Values, 15};
inline constexpr THostSlot kValuesValueToRect{THostService::Values, 16};
inline constexpr THostSlot kValuesIntegerToValue{THostService::Values, 17};
inline constexpr THostSlot kValuesSymbolToValue{THostService::Values, 18};
inline constexpr THostSlot kValuesFloatToValue{THostService::Values, 19};
inline constexpr THostSlot kValuesStringToValue{THostService::Values, 20};
inline constexpr THostSlot kValuesPointToValue{THostService::Values, 22};
inline constexpr THostSlot kValuesRectToValue{THostService::Values, 23};

// IMoaMmList.
inline constexpr THostSlot kListsAppendValue{THostService::Lists, 4};
inline constexpr THostSlot kListsCountElements{THostService::Lists, 5};
inline constexpr THostSlot kListsGetValueByIndex{THostService::Lists, 6};
inline constexpr THostSlot kListsSetValueByIndex{THostService::Lists, 7};
inline constexpr THostSlot kListsNewPropertyList{THostService::Lists, 8};
inline constexpr THostSlot kListsAppendProperty{THostService::Lists, 9};
inline constexpr THostSlot kListsGetValueByProperty{THostService::Lists, 10};
inline constexpr THostSlot kListsSetValueByProperty{THostService::Lists, 11};
inline constexpr THostSlot kListsGetPropertyNameByIndex{THostService::Lists, 12};

// IMoaColorService.
inline constexpr THostSlot kColorsValueToColor{THostService::Colors, 3};
inline constexpr THostSlot kColorsColorToValue{THostService::Colors, 4};
inline constexpr THostSlot kColorsPaletteIndexToColor{THostService::Colors, 6};

// IMoaPairService.
inline constexpr THostSlot kPairsValueToPair{THostService::Pairs, 3};
inline constexpr THostSlot kPairsPairToValue{THostService::Pairs, 4};

// IMoaRegistryCache.
inline constexpr THostSlot kRegistryEnumerateEntries{THostService::Registry, 5};
inline constexpr THostSlot kRegistryAddRegistryEntry{THostService::Registry, 7};

// IMoaDict.
inline constexpr THostSlot kDictionaryGet{THostService::Dictionary, 5};
inline constexpr THostSlot kDictionaryPut{THostService::Dictionary, 6};
inline constexpr THostSlot kDictionaryGetEntryInfo{THostService::Dictionary, 10};

// IMoaAppInfo.
inline constexpr THostSlot kAppInfoGetInfoString{THostService::AppInfo, 3};

// IMoaUtility.
inline constexpr THostSlot kUtilityGetHostValue{THostService::Utility, 4};
inline constexpr THostSlot kUtilityAcquireContext{THostService::Utility, 6};
inline constexpr THostSlot kUtilityReleaseContext{THostService::Utility, 7};

// IMoaMessageService.
inline constexpr THostSlot kMessagesPrintMessage{THostService::Messages, 3};
inline constexpr THostSlot kMessagesPaletteIndexToColor{THostService::Messages, 10};

// IMoaDrMovie.
inline constexpr THostSlot kMovieGetProp{THostService::Movie, 3};
inline constexpr THostSlot kMovieSetProp{THostService::Movie, 4};
inline constexpr THostSlot kMovieCallHandler{THostService::Movie, 8};
inline constexpr THostSlot kMovieGetCastCount{THostService::Movie, 9};
inline constexpr THostSlot kMovieGetNthCast{THostService::Movie, 10};
inline constexpr THostSlot kMovieGetCastFromName{THostService::Movie, 11};
inline constexpr THostSlot kMovieGetCastIndexFromName{THostService::Movie, 13};
inline constexpr THostSlot kMovieGetCastIndexFromNameAndPath{THostService::Movie, 14};
inline constexpr THostSlot kMovieCastIndexCommand{THostService::Movie, 15};
inline constexpr THostSlot kMovieGetMemberRefFromName{THostService::Movie, 16};
inline constexpr THostSlot kMovieGetMemberFromRef{THostService::Movie, 17};
inline constexpr THostSlot kMovieNumberOfName{THostService::Movie, 21};
inline constexpr THostSlot kMovieNameOfNumber{THostService::Movie, 22};
inline constexpr THostSlot kMovieCallHandlerFor{THostService::Movie, 26};
inline constexpr THostSlot kMovieMovieCommand{THostService::Movie, 29};

// IMoaDrCast.
inline constexpr THostSlot kCastGetProp{THostService::Cast, 3};
inline constexpr THostSlot kCastSetProp{THostService::Cast, 4};
inline constexpr THostSlot kCastGetIndex{THostService::Cast, 5};
inline constexpr THostSlot kCastFirstUsedMember{THostService::Cast, 6};
inline constexpr THostSlot kCastNextUsedMember{THostService::Cast, 7};
inline constexpr THostSlot kCastLastUsedMember{THostService::Cast, 8};
inline constexpr THostSlot kCastFirstFreeMember{THostService::Cast, 9};
inline constexpr THostSlot kCastNextFreeMember{THostService::Cast, 10};
inline constexpr THostSlot kCastLastFreeMember{THostService::Cast, 11};
inline constexpr THostSlot kCastMemberNumberOfName{THostService::Cast, 12};
inline constexpr THostSlot kCastCreateMember{THostService::Cast, 14};
inline constexpr THostSlot kCastDeleteMember{THostService::Cast, 15};
inline constexpr THostSlot kCastAssignMember{THostService::Cast, 16};
inline constexpr THostSlot kCastCastCommand{THostService::Cast, 17};

// IMoaDrCastMem.
inline constexpr THostSlot kMemberGetProp{THostService::Member, 3};
inline constexpr THostSlot kMemberSetProp{THostService::Member, 4};
inline constexpr THostSlot kMemberGetMedia{THostService::Member, 5};
inline constexpr THostSlot kMemberSetMedia{THostService::Member, 6};

// IMoaHandleService.
inline constexpr THostSlot kHandlesAlloc{THostService::Handles, 3};
inline constexpr THostSlot kHandlesFree{THostService::Handles, 5};
inline constexpr THostSlot kHandlesGetSize{THostService::Handles, 6};
inline constexpr THostSlot kHandlesLock{THostService::Handles, 8};
inline constexpr THostSlot kHandlesUnlock{THostService::Handles, 9};

// IMoaStream.
inline constexpr THostSlot kStreamRead{THostService::Stream, 5};
inline constexpr THostSlot kStreamWrite{THostService::Stream, 7};

// IMoaAssetCallback.
inline constexpr THostSlot kAssetCallbackAssetChanged{THostService::AssetCallback, 3};

}  // namespace dxhost
