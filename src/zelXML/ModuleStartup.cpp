// The start-up of zelXML: the scripting class's unit has entered itself in the class registry
// while the module loaded; the register class follows it.

#include "DXClasses/DXModule.h"
#include "DXClasses/DXRegister.h"

namespace {

constexpr MoaClassID kRegisterClassID = MakeMoaID("ED49E742-0EB1-4596-BCF9-0FAE033CEF21");

const TDXModuleStartup kStartup{[] { RegisterXtraClass<TDXRegister>(kRegisterClassID); }};

}  // namespace
