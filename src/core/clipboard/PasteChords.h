// Which keystroke pastes in which application: most take Ctrl+V, terminal emulators take
// Ctrl+Shift+V, and xterm and urxvt paste the primary selection with Shift+Insert.
#pragma once

#include <string_view>

#include "core/platform/KeySynth.h"

namespace dovrik {

// `identity` is the application identity the platform reports (a desktop-entry id such as
// "org.gnome.Terminal.desktop", or a window class such as "URxvt"); case does not matter.
PasteChord pasteChordFor(std::string_view identity);

}  // namespace dovrik
