#pragma once

// Properties of host objects (movies, casts, members) by symbol, as framework values.

#include <string>

#include "DXClasses/DXValue.h"
#include "DXInt/MoaDirector.h"

// The property's value, or empty when the host refuses.
Ref<TDXValue> GetHostProperty(IMoaMmValue& values, IMoaPropertyAccess& object,
                              MoaMmSymbol property);
// False when the host refuses.
bool SetHostProperty(IMoaMmValue& values, IMoaPropertyAccess& object, MoaMmSymbol property,
                     const IDXValue& value);

// The same through an Xtra object's value service, which may be missing: empty, false.
Ref<IDXValue> GetHostProperty(IMoaMmValue* values, IMoaPropertyAccess& object,
                              MoaMmSymbol property);
bool SetHostProperty(IMoaMmValue* values, IMoaPropertyAccess& object, MoaMmSymbol property,
                     const IDXValue& value);

// The host's symbol of a name (0 when the host gives none).
MoaMmSymbol HostSymbol(IMoaMmValue& values, const char* name);

// The property "Name" as a string ("" when refused or not a string), and written as one.
std::string GetHostName(IMoaMmValue* values, IMoaPropertyAccess& object);
void SetHostName(IMoaMmValue* values, IMoaPropertyAccess& object, const std::string& name);
