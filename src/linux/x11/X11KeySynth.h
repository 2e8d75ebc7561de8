// Synthesised keyboard input through XTest: the modifier keys held right now, from the
// server's key state, and the paste chord typed into whatever window has the focus.
#pragma once

#include <xcb/xcb.h>

#include "core/platform/KeySynth.h"
#include "linux/x11/KeyboardMap.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class X11KeySynth : public KeySynth {
 public:
  explicit X11KeySynth(XConnection& x);
  X11KeySynth(const X11KeySynth&) = delete;
  X11KeySynth& operator=(const X11KeySynth&) = delete;
  ~X11KeySynth() override;

  bool modifiersHeld() const override;
  void postPaste(PasteChord chord) override;

 private:
  XConnection& x_;
  KeyboardMap keyboard_;
  Signal<const xcb_generic_event_t&>::Connection subscription_ = 0;
};

}  // namespace dovrik::x11
