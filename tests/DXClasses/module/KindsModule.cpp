// The kinds test module: one class of each Xtra kind besides scripting, a plain asset, the
// wrapper probe, then the register class from the module's start-up.

#include "DXClasses/DXModule.h"
#include "DXClasses/DXRegister.h"
#include "KindClasses.h"
#include "KindIds.h"

namespace {

const TDXClassRegistration<TKindAsset> kAsset{kKindAssetClassID};
const TDXClassRegistration<TKindTransitionAsset> kTransitionAsset{kKindTransitionAssetClassID};
const TDXClassRegistration<TPlainAsset> kPlainAsset{kPlainAssetClassID};
const TDXClassRegistration<TKindSprite> kSprite{kKindSpriteClassID};
const TDXClassRegistration<TKindTransition> kTransition{kKindTransitionClassID};
const TDXClassRegistration<TKindTool> kTool{kKindToolClassID};
const TDXClassRegistration<TKindPage> kPage{kKindPageClassID};
const TDXClassRegistration<TWrapperProbe> kWrappers{kWrapperProbeClassID};

const TDXModuleStartup kStartup{[] { RegisterXtraClass<TDXRegister>(kKindsRegisterClassID); }};

}  // namespace
