#include "DXClasses/DXIcons.h"

#include "platform/Resources.h"

namespace {

constexpr const char* kDefaultIcon = "DXLIB_ICON";
constexpr const char* kDefaultBlackAndWhiteIcon = "DXLIB_ICON_BW";
constexpr const char* kBlackAndWhiteSuffix = "_BW";

std::optional<std::string_view> Bitmap(const std::string& name) {
  return platform::FindModuleResource(platform::kResourceBitmap, name);
}

}  // namespace

std::optional<std::string_view> ColorIcon(const std::string& iconName) {
  return Bitmap(iconName.empty() ? kDefaultIcon : iconName);
}

std::optional<std::string_view> BlackAndWhiteIcon(const std::string& iconName) {
  return Bitmap(iconName.empty() ? kDefaultBlackAndWhiteIcon : iconName + kBlackAndWhiteSuffix);
}
