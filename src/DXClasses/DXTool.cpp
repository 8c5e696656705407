#include "DXClasses/DXTool.h"

#include "DXClasses/DXGuard.h"
#include "DXInt/MoaIdentifiers.h"

TDXTool::TDXTool() : tool_(*this) {}

TDXTool::~TDXTool() = default;

void TDXTool::Execute() {}

bool TDXTool::Enabled() {
  return true;
}

IMoaUnknown* TDXTool::FindInterface(const MoaInterfaceID& iid) noexcept {
  if (iid == kIID_IMoaTool) return &tool_;
  return TDXClass::FindInterface(iid);
}

MoaError MOA_CALL TDXTool::TToolInterface::Invoke() noexcept {
  TDXTool& tool = Tool();
  tool.AcquireContext();
  // A tool's failure stays with the tool: the command simply did not complete.
  DXGuarded([&] { tool.Execute(); });
  tool.ReleaseContext();
  return kMoaOk;
}

MoaError MOA_CALL TDXTool::TToolInterface::GetEnabled(MoaLong* enabled) noexcept {
  if (!enabled) return kDXErrInvalid;
  *enabled = 0;
  return DXGuarded(kDXErrCallFailed, [&] {
    *enabled = Tool().Enabled() ? 1 : 0;
    return kMoaOk;
  });
}
