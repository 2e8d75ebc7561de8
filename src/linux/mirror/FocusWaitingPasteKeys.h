// The paste keystroke on a compositor that places Dovrik's popup as a window of its own (KWin,
// sway), held back while one of Dovrik's own windows has the keyboard. The clipboard popup
// hides just before the paste, and the compositor gives the focus back to the window that had
// it only once the popup is gone: a keystroke sent sooner reaches the popup, or no window at
// all. Bounded, so a focus that never returns still gets its paste after a while.
#pragma once

#include <functional>
#include <optional>

#include "core/platform/KeySynth.h"
#include "core/platform/Scheduler.h"

namespace dovrik::mirror {

class FocusWaitingPasteKeys : public KeySynth {
 public:
  // `ownWindowFocused` answers whether the active window is one of Dovrik's own.
  FocusWaitingPasteKeys(KeySynth& keys, Scheduler& scheduler,
                        std::function<bool()> ownWindowFocused);
  FocusWaitingPasteKeys(const FocusWaitingPasteKeys&) = delete;
  FocusWaitingPasteKeys& operator=(const FocusWaitingPasteKeys&) = delete;
  ~FocusWaitingPasteKeys() override;

  static constexpr double pollInterval = 0.025;
  static constexpr int polls = 40;

  bool modifiersHeld() const override { return keys_.modifiersHeld(); }
  void postPaste(PasteChord chord) override;

 private:
  void postOnceFocusLeft(PasteChord chord, int poll);

  KeySynth& keys_;
  Scheduler& scheduler_;
  std::function<bool()> ownWindowFocused_;
  std::optional<TaskId> pending_;
};

}  // namespace dovrik::mirror
