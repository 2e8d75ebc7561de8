// Keys as a Wayland compositor reports them to Dovrik's own windows: by their physical
// position (evdev code + 8, the XKB key code), whatever layout the user types with.
#pragma once

#include <cstdint>

namespace dovrik::wayland {

// The key code the core uses for the US key position at XKB key code `xkbKeyCode`: the
// letters, the arrows and Escape; -1 for any other key.
int keyCodeAtXkb(std::uint32_t xkbKeyCode);

}  // namespace dovrik::wayland
