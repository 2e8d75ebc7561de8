// The paste chords as a keyboard sends them: evdev key codes, which every Wayland protocol
// that injects keys takes.
#pragma once

#include <cstdint>
#include <vector>

#include "core/platform/KeySynth.h"

namespace dovrik::wayland {

// The evdev key codes of `chord`, pressed in this order and released in reverse.
std::vector<std::uint32_t> pasteChordKeys(PasteChord chord);

}  // namespace dovrik::wayland
