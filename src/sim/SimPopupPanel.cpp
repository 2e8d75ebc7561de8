// The simulated clipboard panel.
#include "sim/SimPopupPanel.h"

namespace dovrik::sim {

void SimPopupPanel::show(ClipboardPopupModel& content, const Rect& from, const Rect& to,
                         TimedAnimation animation) {
  showings.push_back({&content, from, to, animation});
  content_ = &content;
  ++generation_;
  visible_ = true;
  hasKeyboard_ = true;
  frame_ = to;
}

void SimPopupPanel::animateFrame(const Rect& to, TimedAnimation animation) {
  moves.push_back({to, animation});
  frame_ = to;
}

void SimPopupPanel::hide(TimedAnimation animation) {
  hidings.push_back(animation);
  hasKeyboard_ = false;
  clock_.after(animation.duration, lifetime_.guard([this, generation = generation_] {
    if (generation == generation_)
      visible_ = false;
  }));
}

void SimPopupPanel::dropContent() {
  content_ = nullptr;
  visible_ = false;
  hasKeyboard_ = false;
}

void SimPopupPanel::press(PopupKey key) {
  if (hasKeyboard_)
    keyPressed.emit(key);
}

}  // namespace dovrik::sim
