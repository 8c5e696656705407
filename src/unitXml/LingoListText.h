#pragma once

// Lists in Lingo's own text form, as the message window shows them: [1, "two", #three],
// [#a: 1, #b: 2.5000], [:]. Symbols are named through the host's value service (none: "#").

#include <string>

#include "DXClasses/DXInterfaces.h"
#include "DXInt/MoaValueServices.h"

std::string LinearListText(IDXList& list, IMoaMmValue* values);
std::string PropertyListText(IDXPropertyList& list, IMoaMmValue* values);
