#include "platform/Resources.h"

#include "platform/win32/OwnModule.h"

namespace platform {
namespace {

LPCSTR AsResourceName(const TResourceKey& key) {
  return key.IsId() ? MAKEINTRESOURCEA(key.Id()) : key.Name().c_str();
}

}  // namespace

void RegisterEmbeddedResource(const TEmbeddedResource*) {}

std::optional<std::string_view> FindModuleResource(const TResourceKey& type,
                                                   const TResourceKey& name) {
  const HMODULE module = win32::OwnModuleHandle();
  const HRSRC info = FindResourceA(module, AsResourceName(name), AsResourceName(type));
  if (!info) return std::nullopt;
  const HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::string_view(static_cast<const char*>(data), SizeofResource(module, info));
}

}  // namespace platform
