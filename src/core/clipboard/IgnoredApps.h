// The applications whose copies the history never records, named by desktop file ID or by
// window class, either compared without regard to case. Until the user changes the list it
// holds the password managers that copy secrets without marking them as secret; once changed,
// it is the user's list as it stands, so a default the user removed stays removed.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/AppState.h"
#include "core/platform/Pasteboard.h"

namespace dovrik {

std::span<const std::string_view> defaultIgnoredApps();
// The product name of an application on the default list ("QtPass"), for rows of one that is
// not installed; nothing for any other entry.
std::optional<std::string_view> defaultIgnoredAppName(std::string_view entry);

std::vector<std::string> ignoredApps(const AppState& appState);
// Adds `name` unless an entry names the same application; false when one does.
bool addIgnoredApp(AppState& appState, std::string_view name);
// Removes the entry naming the same application as `name` and answers it; nothing when there
// is none.
std::optional<std::string> removeIgnoredApp(AppState& appState, std::string_view name);

// Whether two names name one application: "KeePass2" and "keepass2.desktop" do.
bool sameAppName(std::string_view a, std::string_view b);
bool isIgnoredOwner(const std::vector<std::string>& ignored, const PasteboardOwner& owner);

}  // namespace dovrik
