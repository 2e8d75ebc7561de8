// Listing the windows on screen, front to back.
#include "linux/mirror/MirrorWindowList.h"

#include "linux/mirror/MirrorAccessibility.h"
#include "linux/mirror/MirrorSpace.h"

namespace dovrik::mirror {

std::vector<WindowListEntry> MirrorWindowList::onScreenWindows() {
  const MirrorSpace space(mirror_.outputs());
  std::vector<WindowListEntry> entries;
  for (const WindowHandle handle : mirror_.frontToBack()) {
    const MirroredWindow* window = mirror_.window(handle);
    if (!window || window->minimized || window->desktop)
      continue;
    WindowListEntry entry;
    entry.layer = window->dock ? dockLayer : window->isOrdinary() ? normalLayer : floatingLayer;
    entry.ownerPid = *apps_.owner(handle);
    entry.bounds = space.toAccessibility(window->frame);
    entry.window = MirrorAccessibility::windowElement(handle);
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace dovrik::mirror
