// Synthesised keyboard input: the modifier keys held right now, and the paste keystroke.
#pragma once

namespace dovrik {

// The keystrokes applications paste with.
enum class PasteChord {
  ControlV,       // most applications
  ControlShiftV,  // terminal emulators, where Ctrl+V is a control character
  ShiftInsert,    // terminals that paste the primary selection
};

class KeySynth {
 public:
  virtual ~KeySynth() = default;
  // Whether any of shift, control, alt/option or super/command is held right now.
  virtual bool modifiersHeld() const = 0;
  // Posts the chord (press, then release) to the window that has the keyboard focus.
  virtual void postPaste(PasteChord chord) = 0;
};

}  // namespace dovrik
