#pragma once

// Result codes of our host's own services.

#include "DXInt/MoaTypes.h"

namespace dxhost {

// A value the host does not know (released, never made), or not of the type the operation needs.
inline constexpr MoaError kHostErrBadValue = MoaError(0x80041001);
// No such position, property, symbol or registry key.
inline constexpr MoaError kHostErrNotFound = MoaError(0x80041002);
// A failure a test asked for (THostFaults).
inline constexpr MoaError kHostErrInjected = MoaError(0x80041003);
// A slot our host does not implement.
inline constexpr MoaError kHostErrNotImplemented = MoaError(0x80041004);
// No module is loaded, or the module does not offer what was asked.
inline constexpr MoaError kHostErrNoModule = MoaError(0x80041005);
// The host could not allocate what it needed.
inline constexpr MoaError kHostErrOutOfMemory = MoaError(0x80041006);

}  // namespace dxhost
