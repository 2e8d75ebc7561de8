// The EventTap port over KWin: KWin shows no client the pointer's buttons, but its script sees
// every title-bar move, which is the drag Dovrik watches. A move's start, steps and end come out
// as the left button's press, drags and release at the pointer; right-button presses and drags
// elsewhere are not seen.
#pragma once

#include <map>
#include <optional>

#include "core/platform/EventTap.h"
#include "linux/kwin/KWinMirror.h"

namespace dovrik::kwin {

class KWinEventTap : public EventTap {
 public:
  explicit KWinEventTap(KWinMirror& mirror);
  KWinEventTap(const KWinEventTap&) = delete;
  KWinEventTap& operator=(const KWinEventTap&) = delete;
  ~KWinEventTap() override;

  std::optional<EventTapRef> install(TapCallback callback) override;
  void setEnabled(EventTapRef tap, bool enabled) override;
  void remove(EventTapRef tap) override;

 private:
  void moved(MoveMessage::Phase phase);

  KWinMirror& mirror_;
  struct Tap {
    TapCallback callback;
    bool enabled = true;
  };
  std::map<EventTapRef, Tap> taps_;
  EventTapRef nextRef_ = 1;
  Signal<MoveMessage::Phase, WindowHandle>::Connection subscription_ = 0;
};

}  // namespace dovrik::kwin
