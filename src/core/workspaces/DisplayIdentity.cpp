// Display signatures and the texts built on them.
#include "core/workspaces/DisplayIdentity.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace dovrik {
namespace {

std::size_t pieceCount(std::string_view signature) {
  std::size_t count = 0;
  std::size_t start = 0;
  while (start <= signature.size()) {
    const std::size_t end = std::min(signature.find('|', start), signature.size());
    if (end > start)
      ++count;
    start = end + 1;
  }
  return count;
}

std::string counted(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

bool nameTaken(const std::vector<Workspace>& workspaces, const std::string& name) {
  return std::any_of(workspaces.begin(), workspaces.end(),
                     [&](const Workspace& w) { return w.name == name; });
}

}  // namespace

std::string DisplayIdentity::signature(const std::vector<Screen>& screens) {
  std::vector<std::string> uuids;
  for (const Screen& screen : screens) {
    if (screen.uuid)
      uuids.push_back(*screen.uuid);
  }
  std::sort(uuids.begin(), uuids.end());
  std::string joined;
  for (const std::string& uuid : uuids)
    joined += (joined.empty() ? "" : "|") + uuid;
  return joined;
}

std::string DisplayIdentity::currentSignature(Screens& screens) {
  return signature(screens.screens());
}

std::optional<Screen> DisplayIdentity::screenForUuid(Screens& screens, std::string_view uuid) {
  for (Screen& screen : screens.screens()) {
    if (screen.uuid == uuid)
      return std::move(screen);
  }
  return std::nullopt;
}

std::string DisplayIdentity::describe(std::string_view signature) {
  const std::size_t count = pieceCount(signature);
  if (count == 0)
    return "Unknown display setup";
  return counted(count, "display");
}

std::string DisplayIdentity::displayConnectionPhrase(const Workspace& workspace) {
  std::string description = describe(workspace.displaySignature);
  for (char& c : description)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const bool one = description.starts_with("1 ");
  return description + (one ? " is" : " are") + " connected";
}

std::string DisplayIdentity::summary(const Workspace& workspace,
                                     std::string_view currentSignature) {
  std::set<std::string> apps;
  for (const WorkspaceWindow& window : workspace.windows)
    apps.insert(window.bundleIdentifier);
  static const std::string separator = " \u00B7 ";
  std::string line = counted(workspace.windows.size(), "window") + separator +
                     counted(apps.size(), "app") + separator + describe(workspace.displaySignature);
  if (workspace.displaySignature != currentSignature)
    line += separator + "not connected";
  return line;
}

std::string DisplayIdentity::defaultName(const std::vector<Workspace>& workspaces,
                                         std::string_view currentSignature) {
  const std::string base = describe(currentSignature);
  if (!nameTaken(workspaces, base))
    return base;
  for (int k = 2;; ++k) {
    std::string candidate = base + " " + std::to_string(k);
    if (!nameTaken(workspaces, candidate))
      return candidate;
  }
}

}  // namespace dovrik
