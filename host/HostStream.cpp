#include "host/HostStream.h"

#include "host/HostSlots.h"

#include <cstring>

namespace dxhost {

MoaError MOA_CALL THostStream::Read(void* buffer, MoaLong count, MoaLong* actual) {
  if (actual) *actual = 0;
  if (MoaError fault = faults_.Check(kStreamRead)) return fault;
  if (!buffer || count < 0) return kHostErrBadValue;
  if (std::size_t(count) > bytes_.size() - position_) return kHostErrNotFound;
  std::memcpy(buffer, bytes_.data() + position_, std::size_t(count));
  position_ += std::size_t(count);
  if (actual) *actual = count;
  return kMoaOk;
}

MoaError MOA_CALL THostStream::Write(const void* buffer, MoaLong count, MoaLong* actual) {
  if (actual) *actual = 0;
  if (MoaError fault = faults_.Check(kStreamWrite)) return fault;
  if (!buffer || count < 0) return kHostErrBadValue;
  bytes_.append(static_cast<const char*>(buffer), std::size_t(count));
  if (actual) *actual = count;
  return kMoaOk;
}

}  // namespace dxhost
