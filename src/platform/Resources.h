#pragma once

// Named resources of the binary that holds this code: the module's resource section on
// Windows (FindResourceA and friends); elsewhere a table compiled into the binary. A missing
// resource gives nothing, never an error.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A resource type or name: a text, or a number (as MAKEINTRESOURCE makes on Windows).
class TResourceKey {
 public:
  TResourceKey(const char* name) : name_(name ? name : "") {}
  TResourceKey(std::string name) : name_(std::move(name)) {}
  TResourceKey(std::uint16_t id) : id_(id), isId_(true) {}

  bool IsId() const { return isId_; }
  std::uint16_t Id() const { return id_; }
  const std::string& Name() const { return name_; }
  // Resource names compare without regard to ASCII case, as Windows does.
  bool Matches(const TResourceKey& other) const;

 private:
  std::string name_;
  std::uint16_t id_ = 0;
  bool isId_ = false;
};

// Standard resource types.
inline constexpr std::uint16_t kResourceBitmap = 2;
inline constexpr std::uint16_t kResourceIcon = 3;
inline constexpr std::uint16_t kResourceRcData = 10;
inline constexpr std::uint16_t kResourceVersion = 16;

// The bytes of a resource for as long as the binary stays loaded, or nothing.
std::optional<std::string_view> FindModuleResource(const TResourceKey& type,
                                                   const TResourceKey& name);

// Portable builds: entries of the compiled-in table, normally written by the build's resource
// step. Registering does nothing on Windows, where the resource section is the table.
struct TEmbeddedResource {
  const char* Type;  // a name, or "#<number>" for a numbered type
  const char* Name;  // likewise
  const unsigned char* Data;
  std::size_t Size;
};
void RegisterEmbeddedResource(const TEmbeddedResource* resource);

}  // namespace platform
