#pragma once

// The host's smaller services: application information (with the run mode), the utility
// service (its context), the player and the message window.

#include <array>
#include <string>
#include <vector>

#include "DXInt/MoaHostServices.h"
#include "host/HostFaults.h"
#include "host/HostInterface.h"

namespace dxhost {

class THostAppInfo final : public THostInterface<IMoaAppInfo> {
 public:
  static constexpr int kRunModeIndex = 1;

  explicit THostAppInfo(THostFaults& faults);

  MoaError MOA_CALL GetInfoString(MoaLong index, char* buffer, MoaLong size) override;

  // "Author" while authoring, "Projector" otherwise (the default).
  void SetRunMode(std::string mode) { strings_[kRunModeIndex] = std::move(mode); }
  void SetString(int index, std::string text) { strings_.at(std::size_t(index)) = std::move(text); }

 private:
  THostFaults& faults_;
  std::array<std::string, 9> strings_;
};

class THostUtility final : public THostInterface<IMoaUtility> {
 public:
  static constexpr MoaLong kHostValue = 0x5EED;

  explicit THostUtility(THostFaults& faults) : THostInterface(kIID_IMoaUtility), faults_(faults) {}

  MoaError MOA_CALL Reserved3() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL GetHostValue(MoaLong* value) override;
  MoaError MOA_CALL Reserved5() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL AcquireContext(MoaLong* handle) override;
  MoaError MOA_CALL ReleaseContext(MoaLong handle) override;

  // Contexts acquired and not released; releases of handles never handed out.
  int OpenContexts() const { return open_; }
  int BadReleases() const { return badReleases_; }
  int Acquisitions() const { return acquisitions_; }
  // Releases of open contexts that an injected failure refused: those stay open in the books
  // although the module did its part.
  int RefusedReleases() const { return refusedReleases_; }

 private:
  THostFaults& faults_;
  int open_ = 0;
  int refusedReleases_ = 0;
  int acquisitions_ = 0;
  int badReleases_ = 0;
};

// The player: it hands out the active movie, while there is one.
class THostPlayer final : public THostInterface<IMoaPlayer> {
 public:
  THostPlayer() : THostInterface(kIID_IMoaPlayer) {}

  MoaError MOA_CALL Reserved3() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved4() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved5() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL GetActiveMovie(void** movie) override;

  // The active movie, or none (null).
  void SetMovie(IMoaUnknown* movie) { movie_ = movie; }

 private:
  IMoaUnknown* movie_ = nullptr;
};

class THostMessages final : public THostInterface<IMoaMessageService> {
 public:
  explicit THostMessages(THostFaults& faults)
      : THostInterface(kIID_IMoaMessageService), faults_(faults) {}

  MoaError MOA_CALL PrintMessage(const char* text) override;
  MoaError MOA_CALL Reserved4() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved5() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved6() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved7() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved8() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved9() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL PaletteIndexToColor(MoaLong index, MoaUlong* color) override;

  // Every text printed, in order.
  const std::vector<std::string>& Printed() const { return printed_; }

 private:
  THostFaults& faults_;
  std::vector<std::string> printed_;
};

}  // namespace dxhost
