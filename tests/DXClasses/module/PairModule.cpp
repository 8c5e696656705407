// The pair test module: one scripting class and the register class, as zelXML has them.

#include "DXClasses/DXModule.h"
#include "ProbeClasses.h"
#include "ProbeIds.h"

namespace {

const TDXClassRegistration<TProbeScript> kProbe{kProbeClassID};

const TDXModuleStartup kStartup{[] { RegisterXtraClass<TDXRegister>(kRegisterClassID); }};

}  // namespace
