#pragma once

// Host values in Lingo's own text form: "text", 42, 3.1400, #name, [1, 2], [#a: 1], [:],
// point(1, 2), rect(1, 2, 3, 4), rgb(255, 0, 0), paletteIndex(5), <Void>.

#include <string>

#include "host/HostValues.h"

namespace dxhost {

std::string LingoText(THostValues& values, const MoaMmValue& value);

inline std::string LingoText(THostValues& values, const THostValue& value) {
  return LingoText(values, value.Raw());
}

}  // namespace dxhost
