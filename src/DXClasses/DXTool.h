#pragma once

// TDXTool: the base of a tool Xtra, a command of the authoring environment. A subclass names
// itself in a static GetToolInfo and overrides Execute, and Enabled when it is not always
// usable.

#include "DXClasses/DXClass.h"
#include "DXClasses/DXClassInfo.h"
#include "DXInt/MoaXtraKinds.h"

class TDXTool : public TDXClass {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::Tool;

  // Every tool class names itself.
  static void GetToolInfo(TDXToolInfo& info) = delete;

 protected:
  TDXTool();
  ~TDXTool() override;

  // Runs inside the host's utility context; what it raises is dropped. Nothing by default.
  virtual void Execute();
  // True by default.
  virtual bool Enabled();

  IMoaUnknown* FindInterface(const MoaInterfaceID& iid) noexcept override;

 private:
  class TToolInterface final : public TDXEmbeddedInterface<IMoaTool> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL Invoke() noexcept override;
    MoaError MOA_CALL GetEnabled(MoaLong* enabled) noexcept override;

   private:
    TDXTool& Tool() const { return static_cast<TDXTool&>(Owner()); }
  };

  TToolInterface tool_;
};
