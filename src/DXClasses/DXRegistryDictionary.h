#pragma once

// The dictionary of the module's register-class registry entry, found through the host's
// registry.

#include "DXClasses/DXInterfaces.h"
#include "DXInt/MoaHostServices.h"

// Empty when there is no register class, no registry or no such entry.
Ref<IDXDictionary> RegistryDictionaryOf(IMoaHostServices* hostServices);
