// The paste keystrokes users choose for single applications, over the one the system suggests:
// kept in the settings as a JSON object of application IDs and keystroke words,
// {"debian-xterm": "shift-insert"}, the words the command line takes.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/AppState.h"
#include "core/platform/KeySynth.h"

namespace dovrik {

using PasteKeyTable = std::map<std::string, PasteChord>;

inline constexpr std::array<PasteChord, 3> allPasteChords = {
    PasteChord::ControlV, PasteChord::ControlShiftV, PasteChord::ShiftInsert};

// "ctrl-v", "ctrl-shift-v", "shift-insert".
std::string_view pasteKeyWord(PasteChord chord);
std::optional<PasteChord> pasteChordFromWord(std::string_view word);
// "Ctrl+V", "Ctrl+Shift+V", "Shift+Insert", as the settings show them.
std::string_view pasteKeyTitle(PasteChord chord);

// The choices stored; an entry that is not a keystroke word is left out, and stored data that is
// not a JSON object holds none.
PasteKeyTable pasteKeyTable(const AppState& appState);
// Stores `chord` for the application, or removes its choice when there is none.
void setPasteKey(AppState& appState, const std::string& appId, std::optional<PasteChord> chord);

}  // namespace dovrik
