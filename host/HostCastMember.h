#pragma once

// A cast member of the host's movie: properties by symbol and media by (label, format), handed
// out and taken back through handles.

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "DXInt/MoaDirector.h"
#include "DXInt/MoaIdentifiers.h"
#include "host/HostFaults.h"
#include "host/HostHandles.h"
#include "host/HostInterface.h"
#include "host/HostProperties.h"

namespace dxhost {

class THostCastMember final : public THostInterface<IMoaDrCastMem> {
 public:
  THostCastMember(THostValues& values, THostFaults& faults, THostHandles& handles)
      : THostInterface(kIID_IMoaDrCastMem),
        values_(values),
        faults_(faults),
        handles_(handles),
        properties_(values) {}

  MoaError MOA_CALL GetProp(MoaMmSymbol property, MoaMmValue* out) override;
  MoaError MOA_CALL SetProp(MoaMmSymbol property, const MoaMmValue* value) override;
  MoaError MOA_CALL GetMedia(MoaDrMediaInfo* info) override;
  MoaError MOA_CALL SetMedia(const MoaDrMediaInfo* info) override;

  THostProperties& Properties() { return properties_; }
  const THostProperties& Properties() const { return properties_; }
  // Media by the names of its label and format.
  void PutMedia(std::string_view label, std::string_view format, std::string_view bytes);
  const std::string* Media(std::string_view label, std::string_view format);
  // Properties and media of other, as well.
  void CopyFrom(const THostCastMember& other);

 private:
  using TMediaKey = std::pair<MoaMmSymbol, MoaMmSymbol>;

  THostValues& values_;
  THostFaults& faults_;
  THostHandles& handles_;
  THostProperties properties_;
  std::map<TMediaKey, std::string> media_;
};

}  // namespace dxhost
