// The paste chords as X keysyms, which the extension's Clutter keyboard types, and the
// modifier bits of Clutter's mask that count as held.
#include "linux/gnome/GnomePasteKeys.h"

#include <cstdint>
#include <vector>

namespace dovrik::gnome {
namespace {

// Clutter's modifier mask: shift, control, alt and super. Super shows as MOD4 or as SUPER
// depending on how the keyboard's layout maps it.
constexpr std::uint32_t heldModifiers = (1u << 0) | (1u << 2) | (1u << 3) | (1u << 6) | (1u << 26);

constexpr std::uint32_t controlLeft = 0xffe3;
constexpr std::uint32_t shiftLeft = 0xffe1;
constexpr std::uint32_t letterV = 0x76;
constexpr std::uint32_t insertKey = 0xff63;

std::vector<std::uint32_t> keysymsOf(PasteChord chord) {
  switch (chord) {
    case PasteChord::ControlV:
      return {controlLeft, letterV};
    case PasteChord::ControlShiftV:
      return {controlLeft, shiftLeft, letterV};
    case PasteChord::ShiftInsert:
      return {shiftLeft, insertKey};
  }
  return {};
}

}  // namespace

bool GnomePasteKeys::modifiersHeld() const {
  const auto pointer = shell_.pointerNow();
  return pointer && (pointer->modifiers & heldModifiers) != 0;
}

void GnomePasteKeys::postPaste(PasteChord chord) {
  shell_.pressKeys(keysymsOf(chord));
}

}  // namespace dovrik::gnome
