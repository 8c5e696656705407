#pragma once

// Names in our host compare as the host's do: without regard to ASCII case.

#include <string>
#include <string_view>

namespace dxhost {

inline std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return lower;
}

inline bool SameName(std::string_view a, std::string_view b) {
  return LowerAscii(a) == LowerAscii(b);
}

}  // namespace dxhost
