// A key as X11 and xkbcommon name its keysym ("Left", "BackSpace", "a"): the spelling every
// Linux desktop's key bindings take, sway's bindsym and mutter's accelerators alike.
#pragma once

#include <string>

#include "core/platform/KeyboardShortcut.h"

namespace dovrik::desktop {

std::string keysymName(Key key);

}  // namespace dovrik::desktop
