// The synthesised paste after Dovrik wrote the clipboard: the keystroke of the focused
// application, sent once the popup is gone and the user's modifier keys are up.
#pragma once

#include <functional>

#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/platform/KeySynth.h"
#include "core/platform/RunningApps.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"

namespace dovrik {

class PasteKeystroke {
 public:
  // Lets the popup hide and the focus settle before the keystroke.
  static constexpr double delay = 0.08;

  PasteKeystroke(Scheduler& scheduler, RunningApps& runningApps, KeySynth& keySynth,
                 const AppState& appState, const AccessibilityTrust& trust);
  PasteKeystroke(const PasteKeystroke&) = delete;
  PasteKeystroke& operator=(const PasteKeystroke&) = delete;

  // The chord of the application that has the focus now.
  PasteChord chordForFocusedApplication() const;
  // Whether that application pastes the primary selection, which the write must then own too.
  bool focusedApplicationPastesPrimary() const;
  // `delay` from now, once no modifier key is held (or after about a second), posts `chord`
  // if window control is allowed, then tells `sent` whether it did. Nothing is posted once
  // this object is gone.
  void send(PasteChord chord, std::function<void(bool posted)> sent = {});

 private:
  void waitForModifiers(int attempt, PasteChord chord, std::function<void(bool posted)> sent);

  Scheduler& scheduler_;
  RunningApps& runningApps_;
  KeySynth& keySynth_;
  const AppState& appState_;
  const AccessibilityTrust& trust_;
  Lifetime lifetime_;
};

}  // namespace dovrik
