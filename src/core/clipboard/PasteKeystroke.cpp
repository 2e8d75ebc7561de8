// Sending the paste keystroke into the focused application.
#include "core/clipboard/PasteKeystroke.h"

#include "core/clipboard/PasteChords.h"

namespace dovrik {
namespace {

constexpr double modifierPollInterval = 0.04;
constexpr int modifierAttempts = 25;

}  // namespace

PasteKeystroke::PasteKeystroke(Platform& platform, const AppState& appState)
    : platform_(platform), appState_(appState) {}

PasteChord PasteKeystroke::chordForFocusedApplication() const {
  const auto frontmost = platform_.runningApps.frontmostApplication();
  return frontmost ? pasteChordFor(*frontmost, pasteKeyTable(appState_)) : PasteChord::ControlV;
}

bool PasteKeystroke::focusedApplicationPastesPrimary() const {
  return chordForFocusedApplication() == PasteChord::ShiftInsert;
}

void PasteKeystroke::send(PasteChord chord) {
  platform_.scheduler.after(delay, lifetime_.guard([this, chord] { waitForModifiers(0, chord); }));
}

// The user may still hold the popup's keys; pasting then would send another chord than
// the application expects, so wait for them, but not for ever.
void PasteKeystroke::waitForModifiers(int attempt, PasteChord chord) {
  if (!appState_.hasAccessibilityPermission())
    return;
  if (platform_.keySynth.modifiersHeld() && attempt + 1 < modifierAttempts) {
    platform_.scheduler.after(modifierPollInterval, lifetime_.guard([this, attempt, chord] {
      waitForModifiers(attempt + 1, chord);
    }));
    return;
  }
  platform_.keySynth.postPaste(chord);
}

}  // namespace dovrik
