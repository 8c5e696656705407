#include "platform/Resources.h"

namespace platform {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

}  // namespace

bool TResourceKey::Matches(const TResourceKey& other) const {
  if (isId_ || other.isId_) return isId_ == other.isId_ && id_ == other.id_;
  if (name_.size() != other.name_.size()) return false;
  for (std::size_t i = 0; i < name_.size(); ++i)
    if (LowerAscii(name_[i]) != LowerAscii(other.name_[i])) return false;
  return true;
}

}  // namespace platform
