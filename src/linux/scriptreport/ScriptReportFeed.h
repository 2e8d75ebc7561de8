// Keeping the mirror current from a script's messages. Scripts list outputs in the user's
// priority, so the mirror's first output is the primary one.
#pragma once

#include "linux/mirror/WindowMirror.h"
#include "linux/scriptreport/ScriptReport.h"

namespace dovrik::scriptreport {

// Every message carries the pointer, taken before the message itself, so that a move is
// announced with the pointer where it ended up.
void applyScriptMessage(mirror::WindowMirror& mirror, const ScriptMessage& message);

}  // namespace dovrik::scriptreport
