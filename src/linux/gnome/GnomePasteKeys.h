// Paste keystrokes on GNOME, typed by the extension's virtual keyboard into whichever window
// has the focus; the modifiers held are asked of the Shell, which sees the real keyboard.
#pragma once

#include "core/platform/KeySynth.h"
#include "linux/gnome/GnomeShell.h"

namespace dovrik::gnome {

class GnomePasteKeys : public KeySynth {
 public:
  explicit GnomePasteKeys(GnomeShell& shell) : shell_(shell) {}

  // False when the extension does not answer: the paste then goes out after the core's delay.
  bool modifiersHeld() const override;
  void postPaste(PasteChord chord) override;

 private:
  GnomeShell& shell_;
};

}  // namespace dovrik::gnome
