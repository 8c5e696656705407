#pragma once

// The registration icons of an asset class: bitmap resources of the module, the class's own
// (IconName, IconName + "_BW") or the framework's defaults ("DXLIB_ICON", "DXLIB_ICON_BW",
// which a module has when it links zel_dxicons). Nothing when the module has no such bitmap.

#include <optional>
#include <string>
#include <string_view>

std::optional<std::string_view> ColorIcon(const std::string& iconName);
std::optional<std::string_view> BlackAndWhiteIcon(const std::string& iconName);
