#pragma once

// The module's start-up. Class units enter their classes in the registry during the module's
// static initialisation, in no order the language fixes; the module's own start-up, which
// enters the register class after them, therefore runs when the host first calls one of the
// module's entry points, by which time every unit has been initialised. A module defines one:
//
//   const TDXModuleStartup kStartup{[] { RegisterXtraClass<TDXRegister>(kRegisterClassID); }};

class TDXModuleStartup {
 public:
  explicit TDXModuleStartup(void (*startup)());
};

// Runs the module's start-up once; a failure in it is dropped (the registry keeps what was
// entered).
void EnsureModuleStarted() noexcept;
