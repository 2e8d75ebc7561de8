// Waiting for the focus to leave Dovrik's own windows before pasting.
#include "linux/mirror/FocusWaitingPasteKeys.h"

namespace dovrik::mirror {

FocusWaitingPasteKeys::FocusWaitingPasteKeys(KeySynth& keys, Scheduler& scheduler,
                                             std::function<bool()> ownWindowFocused)
    : keys_(keys), scheduler_(scheduler), ownWindowFocused_(std::move(ownWindowFocused)) {}

FocusWaitingPasteKeys::~FocusWaitingPasteKeys() {
  if (pending_)
    scheduler_.cancel(*pending_);
}

void FocusWaitingPasteKeys::postPaste(PasteChord chord) {
  // A newer paste replaces one still waiting.
  if (pending_)
    scheduler_.cancel(*pending_);
  postOnceFocusLeft(chord, 0);
}

void FocusWaitingPasteKeys::postOnceFocusLeft(PasteChord chord, int poll) {
  pending_.reset();
  if (ownWindowFocused_() && poll < polls) {
    pending_ =
        scheduler_.after(pollInterval, [this, chord, poll] { postOnceFocusLeft(chord, poll + 1); });
    return;
  }
  keys_.postPaste(chord);
}

}  // namespace dovrik::mirror
