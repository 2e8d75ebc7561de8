// Paste keystrokes on KWin through its fake-input protocol (org_kde_kwin_fake_input), which
// injects keys as if they came from a keyboard, into whichever window has the focus. KWin
// offers the protocol only to a program whose executable is the Exec= of a desktop entry that
// lists it under X-KDE-Wayland-Interfaces: without one, this does nothing.
#pragma once

#include "core/platform/KeySynth.h"
#include "linux/wayland/WaylandConnection.h"

struct org_kde_kwin_fake_input;

namespace dovrik::kwin {

class FakeInputKeySynth : public KeySynth {
 public:
  explicit FakeInputKeySynth(wayland::WaylandConnection& connection);
  FakeInputKeySynth(const FakeInputKeySynth&) = delete;
  FakeInputKeySynth& operator=(const FakeInputKeySynth&) = delete;
  ~FakeInputKeySynth() override;

  // Whether KWin let Dovrik fake keys.
  bool isAvailable() const { return fakeInput_ != nullptr && connection_.isConnected(); }

  // Always false: no Wayland protocol KWin offers tells a client without the keyboard focus
  // which keys are down, so the paste goes out after the core's fixed delay.
  bool modifiersHeld() const override { return false; }
  void postPaste(PasteChord chord) override;

 private:
  wayland::WaylandConnection& connection_;
  // One object for the session: KWin treats each as a device of its own.
  org_kde_kwin_fake_input* fakeInput_ = nullptr;
};

}  // namespace dovrik::kwin
