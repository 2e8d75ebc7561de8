// The combinations a sway config binds with bindsym in the default mode: the ones a hotkey of
// Dovrik would take away from the user. The text is read the way sway 1.7 reads its config:
// whole-line comments, lines continued with a backslash, `set $name value` variables (the
// longest name first), `{ … }` blocks whose lines go on from the line that opened them (the
// brace may stand on a line of its own), and bindsym's flags before the combination.
// Bindings of other modes do not count, nor bindcode's key codes, which name no key without
// the keymap. sway hands out the main file only: the files its include lines name are read
// through `included`, and read as sway reads them, in place and with the variables set so far.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "linux/sway/SwayCombination.h"

namespace dovrik::sway {

// The texts of the files an include line's path names (after sway's variables), in order.
using IncludedFiles = std::function<std::vector<std::string>(const std::string& path)>;

std::vector<SwayCombination> defaultModeBindings(std::string_view config,
                                                 const IncludedFiles& included = {});

}  // namespace dovrik::sway
