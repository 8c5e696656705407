#include "platform/Resources.h"

#include <cstdlib>
#include <vector>

namespace platform {
namespace {

std::vector<const TEmbeddedResource*>& Table() {
  static std::vector<const TEmbeddedResource*> table;
  return table;
}

// "#10" names the numbered type or name 10, as resource scripts write it.
TResourceKey KeyOf(const char* text) {
  if (text[0] == '#') return TResourceKey(std::uint16_t(std::strtoul(text + 1, nullptr, 10)));
  return TResourceKey(text);
}

}  // namespace

void RegisterEmbeddedResource(const TEmbeddedResource* resource) { Table().push_back(resource); }

std::optional<std::string_view> FindModuleResource(const TResourceKey& type,
                                                   const TResourceKey& name) {
  for (const TEmbeddedResource* resource : Table()) {
    if (KeyOf(resource->Type).Matches(type) && KeyOf(resource->Name).Matches(name))
      return std::string_view(reinterpret_cast<const char*>(resource->Data), resource->Size);
  }
  return std::nullopt;
}

}  // namespace platform
