// Display names of shortcut owners.
#include "core/model/ShortcutAction.h"

namespace dovrik {

std::string ShortcutAction::displayName(const WorkspaceNameLookup& workspaceName) const {
  if (const SnapPosition* p = snapPosition())
    return std::string(rawValue(*p));
  if (const WindowAction* action = windowAction())
    return std::string(rawValue(*action));
  if (const Uuid* id = workspaceId()) {
    if (workspaceName) {
      if (auto name = workspaceName(*id))
        return *name;
    }
    return "a workspace";
  }
  return "Clipboard History";
}

}  // namespace dovrik
