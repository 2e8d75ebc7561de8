// GNOME's list of turned-on extensions (org.gnome.shell enabled-extensions), read and written
// with gsettings as GNOME's own tools change it, so the running Shell hears of each change.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrik::gnome {

// A string array in GVariant's text form, as gsettings prints it ("['a', \"b'c\"]", "@as []");
// nothing for any other text.
std::optional<std::vector<std::string>> parseStringArray(std::string_view text);
// The same form, quoting each element so that any text survives.
std::string stringArrayText(const std::vector<std::string>& items);

bool isListed(const std::vector<std::string>& uuids, std::string_view uuid);

// Nothing when gsettings is missing or fails.
std::optional<std::vector<std::string>> readEnabledExtensions();
bool writeEnabledExtensions(const std::vector<std::string>& uuids);

}  // namespace dovrik::gnome
