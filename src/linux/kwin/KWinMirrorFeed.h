// Keeping the mirror current from the KWin script's messages. The script lists outputs in
// KWin's order, the user's priority, so the mirror's first output is the primary one.
#pragma once

#include "linux/kwin/KWinProtocol.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::kwin {

// Every message carries the pointer, taken before the message itself, so that a move is
// announced with the pointer where it ended up.
void applyScriptMessage(mirror::WindowMirror& mirror, const ScriptMessage& message);

}  // namespace dovrik::kwin
