#pragma once

// TDXInitializer: the base of classes the host instantiates when it starts and when it shuts
// down. A subclass overrides Initialize and Finalize.

#include "DXClasses/DXClass.h"

// The framework's own interface of an initializer object, asked of objects the host creates.
inline constexpr MoaInterfaceID kIID_IDXInitializer =
    MakeMoaID("7CEED249-BBDE-49BB-89B4-59F8C51A9ADF");

class IDXInitializer : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Initialize() = 0;  // 3
  virtual MoaError MOA_CALL Finalize() = 0;

 protected:
  ~IDXInitializer() = default;
};

class TDXInitializer : public TDXClass {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::Initializer;
  // At most this many initializers are kept between start-up and shut-down.
  static constexpr std::size_t kMaxKept = 20;

  TDXInitializer();

 protected:
  // Nothing by default.
  virtual void Initialize();
  virtual void Finalize();

  IMoaUnknown* FindInterface(const MoaInterfaceID& iid) noexcept override;

 private:
  class TStartupInterface final : public TDXEmbeddedInterface<IMoaInitialize> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL Initialize() noexcept override;
  };
  class TShutdownInterface final : public TDXEmbeddedInterface<IMoaFinalize> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL Finalize() noexcept override;
  };
  class TInitializerInterface final : public TDXEmbeddedInterface<IDXInitializer> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL Initialize() noexcept override;
    MoaError MOA_CALL Finalize() noexcept override;
  };

  // Start-up: an object of this class made through the host is kept and initialized.
  MoaError StartUp();
  // Shut-down: the kept object of this class is finalized and dropped.
  MoaError ShutDown();
  const MoaClassID* OwnClassID() const;

  TStartupInterface startup_;
  TShutdownInterface shutdown_;
  TInitializerInterface initializer_;
};
