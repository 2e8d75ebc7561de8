// Reading the XSETTINGS blob that a desktop's settings manager publishes on its selection
// owner window, and what its theme name says about light or dark.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dovrik::qt {

// The string setting `name`, or nothing if it is absent, not a string, or the blob is
// malformed anywhere before it. Never reads outside `blob`.
std::optional<std::string> xsettingsString(std::span<const std::uint8_t> blob,
                                           std::string_view name);
// Themes whose name ends in "-dark", in any case, are dark ("Adwaita-dark", "Arc-Dark").
bool isDarkThemeName(std::string_view themeName);

}  // namespace dovrik::qt
