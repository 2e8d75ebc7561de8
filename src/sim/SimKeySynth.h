// Simulated keyboard: tests hold modifier keys and read back each paste keystroke posted.
#pragma once

#include <vector>

#include "core/platform/Clock.h"
#include "core/platform/KeySynth.h"

namespace dovrik::sim {

class SimKeySynth : public KeySynth {
 public:
  struct Post {
    PasteChord chord;
    double time;
  };

  explicit SimKeySynth(const Clock& clock) : clock_(clock) {}

  bool modifiersHeld() const override {
    ++modifierChecks;
    return held;
  }
  void postPaste(PasteChord chord) override { posts.push_back(Post{chord, clock_.now()}); }

  bool held = false;
  mutable int modifierChecks = 0;
  std::vector<Post> posts;

 private:
  const Clock& clock_;
};

}  // namespace dovrik::sim
