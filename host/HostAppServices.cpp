#include "host/HostAppServices.h"

#include <algorithm>
#include <cstring>

#include "host/HostSlots.h"
#include "host/HostValueServices.h"

namespace dxhost {

THostAppInfo::THostAppInfo(THostFaults& faults)
    : THostInterface(kIID_IMoaAppInfo),
      faults_(faults),
      strings_{"zelXML host", "Projector", "1.0", "", "", "", "", "", ""} {}

MoaError MOA_CALL THostAppInfo::GetInfoString(MoaLong index, char* buffer, MoaLong size) {
  if (MoaError fault = faults_.Check(kAppInfoGetInfoString)) return fault;
  if (!buffer || size <= 0) return kHostErrBadValue;
  if (index < 0 || std::size_t(index) >= strings_.size()) return kHostErrNotFound;
  const std::string& text = strings_[std::size_t(index)];
  const std::size_t count = std::min(text.size(), std::size_t(size - 1));
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return kMoaOk;
}

MoaError MOA_CALL THostUtility::GetHostValue(MoaLong* value) {
  if (MoaError fault = faults_.Check(kUtilityGetHostValue)) return fault;
  if (!value) return kHostErrBadValue;
  *value = kHostValue;
  return kMoaOk;
}

MoaError MOA_CALL THostUtility::AcquireContext(MoaLong* handle) {
  if (MoaError fault = faults_.Check(kUtilityAcquireContext)) return fault;
  if (!handle) return kHostErrBadValue;
  ++open_;
  *handle = ++acquisitions_;
  return kMoaOk;
}

MoaError MOA_CALL THostUtility::ReleaseContext(MoaLong handle) {
  if (MoaError fault = faults_.Check(kUtilityReleaseContext)) {
    if (handle > 0 && handle <= acquisitions_ && open_ > 0) ++refusedReleases_;
    return fault;
  }
  if (handle <= 0 || handle > acquisitions_ || open_ == 0) {
    ++badReleases_;
    return kHostErrBadValue;
  }
  --open_;
  return kMoaOk;
}

MoaError MOA_CALL THostPlayer::GetActiveMovie(void** movie) {
  if (!movie) return kHostErrBadValue;
  *movie = movie_;
  if (!movie_) return kHostErrNotFound;
  movie_->AddRef();
  return kMoaOk;
}

MoaError MOA_CALL THostMessages::PrintMessage(const char* text) {
  if (MoaError fault = faults_.Check(kMessagesPrintMessage)) return fault;
  if (!text) return kHostErrBadValue;
  printed_.emplace_back(text);
  return kMoaOk;
}

MoaError MOA_CALL THostMessages::PaletteIndexToColor(MoaLong index, MoaUlong* color) {
  if (MoaError fault = faults_.Check(kMessagesPaletteIndexToColor)) return fault;
  if (!color || index < 0 || index > 255) return kHostErrBadValue;
  *color = PaletteColor(int(index));
  return kMoaOk;
}

}  // namespace dxhost
