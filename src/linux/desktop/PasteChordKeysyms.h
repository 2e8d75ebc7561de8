// The paste chords as X keysyms: what XTest and GNOME Shell's virtual keyboard both type.
#pragma once

#include <cstdint>
#include <vector>

#include "core/platform/KeySynth.h"

namespace dovrik::desktop {

// The keysyms of `chord`, modifiers first: pressed in this order and released in reverse.
std::vector<std::uint32_t> pasteChordKeysyms(PasteChord chord);

}  // namespace dovrik::desktop
