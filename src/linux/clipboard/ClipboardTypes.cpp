// Preferences among offered clipboard types.
#include "linux/clipboard/ClipboardTypes.h"

#include <algorithm>

namespace dovrik::clipboard {

std::optional<std::string> textTypeAmong(const std::vector<std::string>& offered) {
  // Plain "text/plain" has no declared charset, but Wayland clients write UTF-8 under it.
  for (const char* type : {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain"}) {
    if (std::ranges::find(offered, type) != offered.end())
      return type;
  }
  return std::nullopt;
}

std::optional<std::string> imageTypeAmong(const std::vector<std::string>& offered) {
  if (std::ranges::find(offered, "image/png") != offered.end())
    return "image/png";
  const auto image = std::ranges::find_if(
      offered, [](const std::string& type) { return type.starts_with("image/"); });
  if (image == offered.end())
    return std::nullopt;
  return *image;
}

}  // namespace dovrik::clipboard
