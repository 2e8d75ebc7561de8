// The modifier bits of Clutter's mask that count as held, and the paste chords typed as X
// keysyms by the extension's Clutter keyboard.
#include "linux/gnome/GnomePasteKeys.h"

#include <cstdint>

#include "linux/desktop/PasteChordKeysyms.h"

namespace dovrik::gnome {
namespace {

// Clutter's modifier mask: shift, control, alt and super. Super shows as MOD4 or as SUPER
// depending on how the keyboard's layout maps it.
constexpr std::uint32_t heldModifiers = (1u << 0) | (1u << 2) | (1u << 3) | (1u << 6) | (1u << 26);

}  // namespace

bool GnomePasteKeys::modifiersHeld() const {
  const auto pointer = shell_.pointerNow();
  return pointer && (pointer->modifiers & heldModifiers) != 0;
}

void GnomePasteKeys::postPaste(PasteChord chord) {
  shell_.pressKeys(desktop::pasteChordKeysyms(chord));
}

}  // namespace dovrik::gnome
