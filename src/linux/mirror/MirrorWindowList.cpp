// Listing the windows on screen, front to back.
#include "linux/kwin/KWinWindowList.h"

#include "linux/kwin/KWinAccessibility.h"
#include "linux/kwin/KWinSpace.h"

namespace dovrik::kwin {

std::vector<WindowListEntry> KWinWindowList::onScreenWindows() {
  const KWinSpace space(mirror_.outputs());
  std::vector<WindowListEntry> entries;
  for (const WindowHandle handle : mirror_.frontToBack()) {
    const KWinWindow* window = mirror_.window(handle);
    if (!window || window->minimized || window->desktop)
      continue;
    WindowListEntry entry;
    entry.layer = window->dock ? dockLayer : window->isOrdinary() ? normalLayer : floatingLayer;
    entry.ownerPid = *apps_.owner(handle);
    entry.bounds = space.toAccessibility(window->frame);
    entry.window = KWinAccessibility::windowElement(handle);
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace dovrik::kwin
