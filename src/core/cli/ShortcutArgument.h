// Shortcuts as people type them on a command line: "ctrl+alt+left", "Ctrl+Alt+Super+→",
// "shift+super+v".
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "core/platform/KeyboardShortcut.h"

namespace dovrik::cli {

// The shortcut typed, or the error line saying what is wrong with it. Modifier and key names
// are taken in any case; Super, Meta, Win and Cmd all name the Super key, Option names Alt.
std::variant<KeyboardShortcut, std::string> shortcutFromArgument(std::string_view text);

}  // namespace dovrik::cli
