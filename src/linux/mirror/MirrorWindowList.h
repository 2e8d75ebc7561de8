// The WindowList port over a mirrored compositor: the reported windows that can be seen, front to
// back as far as the mirror knows, with their owner as the running-applications port numbers it.
#pragma once

#include <vector>

#include "core/platform/WindowList.h"
#include "linux/mirror/MirrorApps.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::mirror {

class MirrorWindowList : public WindowList {
 public:
  // Layers as the window server of the original platform numbers them: only ordinary windows
  // are on layer 0.
  static constexpr int normalLayer = 0;
  static constexpr int floatingLayer = 3;
  static constexpr int dockLayer = 20;

  MirrorWindowList(const WindowMirror& mirror, MirrorApps& apps) : mirror_(mirror), apps_(apps) {}

  // Not minimized and not the desktop itself.
  std::vector<WindowListEntry> onScreenWindows() override;

 private:
  const WindowMirror& mirror_;
  MirrorApps& apps_;
};

}  // namespace dovrik::mirror
