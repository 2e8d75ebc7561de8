// Sending the paste keystroke into the focused application.
#include "core/clipboard/PasteKeystroke.h"

#include "core/clipboard/PasteChords.h"

namespace dovrik {
namespace {

constexpr double modifierPollInterval = 0.04;
constexpr int modifierAttempts = 25;

}  // namespace

PasteKeystroke::PasteKeystroke(Platform& platform, const AppState& appState,
                               const AccessibilityTrust& trust)
    : platform_(platform), appState_(appState), trust_(trust) {}

PasteChord PasteKeystroke::chordForFocusedApplication() const {
  const auto frontmost = platform_.runningApps.frontmostApplication();
  return frontmost ? pasteChordFor(*frontmost, pasteKeyTable(appState_)) : PasteChord::ControlV;
}

bool PasteKeystroke::focusedApplicationPastesPrimary() const {
  return chordForFocusedApplication() == PasteChord::ShiftInsert;
}

void PasteKeystroke::send(PasteChord chord, std::function<void(bool posted)> sent) {
  platform_.scheduler.after(delay, lifetime_.guard([this, chord, sent = std::move(sent)] {
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
  if (platform_.keySynth.modifiersHeld() && attempt + 1 < modifierAttempts) {
    platform_.scheduler.after(modifierPollInterval,
                              lifetime_.guard([this, attempt, chord, sent = std::move(sent)] {
                                waitForModifiers(attempt + 1, chord, sent);
                              }));
    return;
  }
  platform_.keySynth.postPaste(chord);
  if (sent)
    sent(true);
}

}  // namespace dovrik
