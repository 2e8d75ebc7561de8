// Sending the paste keystroke into the focused application.
#include "core/paste/PasteKeystroke.h"

#include "core/paste/PasteChords.h"

namespace dovrik {
namespace {

constexpr double modifierPollInterval = 0.04;
constexpr int modifierAttempts = 25;

}  // namespace

PasteKeystroke::PasteKeystroke(Scheduler& scheduler, RunningApps& runningApps, KeySynth& keySynth,
                               const AppState& appState, const AccessibilityTrust& trust)
    : scheduler_(scheduler),
      runningApps_(runningApps),
      keySynth_(keySynth),
      appState_(appState),
      trust_(trust) {}

PasteChord PasteKeystroke::chordForFocusedApplication() const {
  const auto frontmost = runningApps_.frontmostApplication();
  return frontmost ? pasteChordFor(*frontmost, pasteKeyTable(appState_)) : PasteChord::ControlV;
}

bool PasteKeystroke::focusedApplicationPastesPrimary() const {
  return chordForFocusedApplication() == PasteChord::ShiftInsert;
}

void PasteKeystroke::send(PasteChord chord, std::function<void(bool posted)> sent) {
  scheduler_.after(delay, lifetime_.guard([this, chord, sent = std::move(sent)] {
    waitForModifiers(0, chord, sent);
  }));
}

// The user may still hold the popup's keys; pasting then would send another chord than
// the application expects, so wait for them, but not for ever.
void PasteKeystroke::waitForModifiers(int attempt, PasteChord chord,
                                      std::function<void(bool posted)> sent) {
  if (!trust_.hasAccessibilityPermission()) {
    if (sent)
      sent(false);
    return;
  }
  if (keySynth_.modifiersHeld() && attempt + 1 < modifierAttempts) {
    scheduler_.after(modifierPollInterval,
                     lifetime_.guard([this, attempt, chord, sent = std::move(sent)] {
                       waitForModifiers(attempt + 1, chord, sent);
                     }));
    return;
  }
  keySynth_.postPaste(chord);
  if (sent)
    sent(true);
}

}  // namespace dovrik
