// The full test module: every probe class, entered by unit registrations like a class unit's,
// then the register class from the module's start-up.

#include "DXClasses/DXModule.h"
#include "ProbeClasses.h"
#include "ProbeIds.h"

namespace {

const TDXClassRegistration<TProbeScript> kProbe{kProbeClassID};
const TDXClassRegistration<TFallbackScript> kFallback{kFallbackClassID};
const TDXClassRegistration<TNewArgScript> kNewArg{kNewArgClassID};
const TDXClassRegistration<THandWrittenScript> kHandWritten{kHandWrittenClassID};
const TDXClassRegistration<TPartialScript> kPartial{kPartialClassID};
const TDXClassRegistration<TTableScript> kTable{kTableClassID};
const TDXClassRegistration<TProbeInitializer> kInitializer{kInitializerClassID};

const TDXModuleStartup kStartup{[] { RegisterXtraClass<TProbeRegister>(kRegisterClassID); }};

}  // namespace
