#include "linux/desktop/PasteChordKeysyms.h"

namespace dovrik::desktop {
namespace {

// From X11/keysymdef.h.
constexpr std::uint32_t controlLeft = 0xffe3;
constexpr std::uint32_t shiftLeft = 0xffe1;
constexpr std::uint32_t letterV = 0x0076;
constexpr std::uint32_t insertKey = 0xff63;

}  // namespace

std::vector<std::uint32_t> pasteChordKeysyms(PasteChord chord) {
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

}  // namespace dovrik::desktop
