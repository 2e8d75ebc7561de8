// Which keystroke pastes in which application. Most take Ctrl+V; terminal emulators, where
// Ctrl+V is a control character, take Ctrl+Shift+V; xterm and urxvt know neither and paste the
// primary selection with Shift+Insert. What the system says of the application decides, and
// the user's own choice for it beats that.
#pragma once

#include "core/paste/PasteKeys.h"
#include "core/platform/KeySynth.h"
#include "core/platform/RunningApps.h"

namespace dovrik {

// The keystroke the system's description of the application suggests: Shift+Insert for the
// terminals of the X tradition known by window class, executable or identity; Ctrl+Shift+V for
// a few terminals known by identity and for every desktop entry of the TerminalEmulator
// category; Ctrl+V for the rest.
PasteChord suggestedPasteChord(const RunningApp& app);
// The user's choice for the application's identity, else the suggestion.
PasteChord pasteChordFor(const RunningApp& app, const PasteKeyTable& chosen);

}  // namespace dovrik
