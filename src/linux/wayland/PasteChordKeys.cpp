#include "linux/wayland/PasteChordKeys.h"

#include <linux/input-event-codes.h>

namespace dovrik::wayland {

std::vector<std::uint32_t> pasteChordKeys(PasteChord chord) {
  switch (chord) {
    case PasteChord::ControlV:
      return {KEY_LEFTCTRL, KEY_V};
    case PasteChord::ControlShiftV:
      return {KEY_LEFTCTRL, KEY_LEFTSHIFT, KEY_V};
    case PasteChord::ShiftInsert:
      return {KEY_LEFTSHIFT, KEY_INSERT};
  }
  return {};
}

}  // namespace dovrik::wayland
