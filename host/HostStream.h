#pragma once

// A stream of the host in memory: what is written is appended, reads take the bytes in order
// from the start. A read past the end fails and moves nothing.

#include <string>

#include "DXInt/MoaDirector.h"
#include "DXInt/MoaIdentifiers.h"
#include "host/HostFaults.h"
#include "host/HostInterface.h"

namespace dxhost {

class THostStream final : public THostInterface<IMoaStream> {
 public:
  explicit THostStream(THostFaults& faults, std::string bytes = {})
      : THostInterface(kIID_IMoaStream), faults_(faults), bytes_(std::move(bytes)) {}

  MoaError MOA_CALL Reserved3() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved4() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Read(void* buffer, MoaLong count, MoaLong* actual) override;
  MoaError MOA_CALL Reserved6() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Write(const void* buffer, MoaLong count, MoaLong* actual) override;

  const std::string& Bytes() const { return bytes_; }
  std::size_t Position() const { return position_; }
  // Reading starts again at the first byte.
  void Rewind() { position_ = 0; }

 private:
  THostFaults& faults_;
  std::string bytes_;
  std::size_t position_ = 0;
};

}  // namespace dxhost
