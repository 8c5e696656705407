#pragma once

// Finding values in a version block (VS_VERSIONINFO) by sub-block path, as the system's
// VerQueryValue does: path components separated by backslashes, empty ones skipped, keys
// compared without regard to ASCII case, a node's children walked by their 32-bit aligned
// lengths up to the node's own length, a child of length 0 ending the walk. Every read stays
// inside the block.

#include <optional>
#include <string_view>

namespace platform::portable {

struct TBlockValue {
  // The value as long as its node says, and everything from the value to the end of the
  // block (where a text runs to its zero, whatever its node says); both cut at the block's end.
  std::string_view Declared;
  std::string_view Available;
  bool IsText = false;  // a UTF-16 text rather than bytes
};

// The value at the path in the block; nothing when a key is missing, the block is in the
// 16-bit layout of old executables, or the path leads out of the block.
std::optional<TBlockValue> FindBlockValue(std::string_view block, std::u16string_view path);

}  // namespace platform::portable
