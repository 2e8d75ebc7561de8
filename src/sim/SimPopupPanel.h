// The simulated clipboard panel: records what the core asks of it and orders itself out when
// a fade-out ends in virtual time.
#pragma once

#include <vector>

#include "core/platform/PopupPanel.h"
#include "core/support/Lifetime.h"
#include "sim/SimClock.h"

namespace dovrik::sim {

class SimPopupPanel : public PopupPanel {
 public:
  struct Showing {
    ClipboardPopupModel* content = nullptr;
    Rect from;
    Rect to;
    TimedAnimation animation;
  };
  struct Move {
    Rect to;
    TimedAnimation animation;
  };

  explicit SimPopupPanel(SimClock& clock) : clock_(clock) {}

  bool isVisible() const override { return visible_; }
  Rect frame() const override { return frame_; }
  void show(ClipboardPopupModel& content, const Rect& from, const Rect& to,
            TimedAnimation animation) override;
  void animateFrame(const Rect& to, TimedAnimation animation) override;
  void hide(TimedAnimation animation) override;
  void dropContent() override;

  bool hasKeyboard() const { return hasKeyboard_; }
  // The content last shown, until it is dropped.
  ClipboardPopupModel* content() const { return content_; }
  // A navigation key as the user presses it; ignored unless the panel has the keyboard.
  void press(PopupKey key);

  std::vector<Showing> showings;
  std::vector<Move> moves;
  std::vector<TimedAnimation> hidings;

 private:
  SimClock& clock_;
  bool visible_ = false;
  bool hasKeyboard_ = false;
  ClipboardPopupModel* content_ = nullptr;
  Rect frame_;
  // Each showing ends the fade-out before it.
  int generation_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik::sim
