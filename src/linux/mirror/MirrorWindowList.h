// The WindowList port over KWin: the reported windows that can be seen, front to back as far as
// the mirror knows, with their owner as the running-applications port numbers it.
#pragma once

#include <vector>

#include "core/platform/WindowList.h"
#include "linux/kwin/KWinApps.h"
#include "linux/kwin/KWinMirror.h"

namespace dovrik::kwin {

class KWinWindowList : public WindowList {
 public:
  // Layers as the window server of the original platform numbers them: only ordinary windows
  // are on layer 0.
  static constexpr int normalLayer = 0;
  static constexpr int floatingLayer = 3;
  static constexpr int dockLayer = 20;

  KWinWindowList(const KWinMirror& mirror, KWinApps& apps) : mirror_(mirror), apps_(apps) {}

  // Not minimized and not the desktop itself.
  std::vector<WindowListEntry> onScreenWindows() override;

 private:
  const KWinMirror& mirror_;
  KWinApps& apps_;
};

}  // namespace dovrik::kwin
