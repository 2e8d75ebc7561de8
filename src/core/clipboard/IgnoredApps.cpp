// The list of ignored applications and how an entry names a clipboard owner.
#include "core/clipboard/IgnoredApps.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/support/AsciiCase.h"

namespace dovrik {
namespace {

// Password managers for Linux that put secrets on the clipboard without the
// "x-kde-passwordManagerHint" target; each name matches the window class its windows carry
// or the ID of the desktop file it installs. Those that set the hint (KeePassXC, 1Password)
// are not here: the hint keeps their secrets out already, and the rest of what they copy is
// the user's to keep.
constexpr std::array<std::string_view, 6> defaults{
    "bitwarden", "keepass2", "keeweb", "qtpass", "seahorse", "org.gnome.World.Secrets",
};

// Their names as their makers write them, for a row of one that is not installed here.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> defaultNames{{
    {"bitwarden", "Bitwarden"},
    {"keepass2", "KeePass"},
    {"keeweb", "KeeWeb"},
    {"qtpass", "QtPass"},
    {"seahorse", "Passwords and Keys"},
    {"org.gnome.World.Secrets", "Secrets"},
}};

std::string_view withoutDesktopSuffix(std::string_view name) {
  constexpr std::string_view suffix = ".desktop";
  if (name.size() > suffix.size() && name.ends_with(suffix))
    name.remove_suffix(suffix.size());
  return name;
}

}  // namespace

std::span<const std::string_view> defaultIgnoredApps() {
  return defaults;
}

std::optional<std::string_view> defaultIgnoredAppName(std::string_view entry) {
  for (const auto& [id, name] : defaultNames) {
    if (sameAppName(id, entry))
      return name;
  }
  return std::nullopt;
}

std::vector<std::string> ignoredApps(const AppState& appState) {
  if (auto stored = appState.clipboardIgnoredApps())
    return std::move(*stored);
  return {defaults.begin(), defaults.end()};
}

bool addIgnoredApp(AppState& appState, std::string_view name) {
  std::vector<std::string> apps = ignoredApps(appState);
  if (std::ranges::any_of(apps, [&](const std::string& app) { return sameAppName(app, name); }))
    return false;
  apps.emplace_back(name);
  appState.setClipboardIgnoredApps(apps);
  return true;
}

std::optional<std::string> removeIgnoredApp(AppState& appState, std::string_view name) {
  std::vector<std::string> apps = ignoredApps(appState);
  const auto found =
      std::ranges::find_if(apps, [&](const std::string& app) { return sameAppName(app, name); });
  if (found == apps.end())
    return std::nullopt;
  std::string removed = std::move(*found);
  apps.erase(found);
  appState.setClipboardIgnoredApps(apps);
  return removed;
}

bool sameAppName(std::string_view a, std::string_view b) {
  a = withoutDesktopSuffix(a);
  b = withoutDesktopSuffix(b);
  return !a.empty() && asciiLower(a) == asciiLower(b);
}

bool isIgnoredOwner(const std::vector<std::string>& ignored, const PasteboardOwner& owner) {
  return std::ranges::any_of(ignored, [&](const std::string& name) {
    return sameAppName(name, owner.desktopName) || sameAppName(name, owner.windowClass);
  });
}

}  // namespace dovrik
